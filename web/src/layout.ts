// The two windows' layouts in twips (1/1440 inch; 15 twips make a CSS pixel at
// 96 dpi), and how a view is drawn as one picture scaled to the viewport.

export type Twips = readonly [left: number, top: number, width: number, height: number];

export interface WindowLayout {
    readonly width: number;
    readonly height: number;
    readonly controls: Readonly<Record<string, Twips>>;
}

export const twipsPerPixel = 15;

export const settingsLayout: WindowLayout = {
    width: 5535,
    height: 2880,
    controls: {
        Label1: [240, 360, 1600, 255],
        txt_start: [2040, 360, 1575, 285],
        Label2: [240, 960, 1600, 255],
        txt_speed: [2040, 960, 1575, 285],
        Label3: [3840, 360, 1215, 255],
        Label4: [3840, 960, 1215, 255],
        cmd_start: [240, 2160, 1695, 495],
        cmd_exit: [3600, 2160, 1695, 495],
    },
};

export const exerciseLayout: WindowLayout = {
    width: 15240,
    height: 11010,
    controls: {
        cmd_exit: [11400, 9120, 1695, 495],
        txt_string: [5280, 4320, 3375, 1455],
        Label1: [14280, 9840, 735, 255],
        Label3: [14280, 9240, 735, 255],
        Picture1: [5760, 4200, 2295, 1695],
        Label4: [13440, 9240, 495, 255],
        Label5: [13560, 9840, 375, 255],
        Command1: [13560, 8280, 1215, 495],
        Command2: [13560, 7560, 1215, 495],
    },
};

const px = (twips: number): string => `${twips / twipsPerPixel}px`;

export function control(section: HTMLElement, name: string): HTMLElement {
    const found = section.querySelector<HTMLElement>(`[data-control="${name}"]`);
    if (!found) throw new Error(`${section.id} has no control ${name}`);
    return found;
}

// Puts every control of `section` at its place at factor 1.
export function placeControls(section: HTMLElement, layout: WindowLayout): void {
    section.style.width = px(layout.width);
    section.style.height = px(layout.height);
    for (const [name, [left, top, width, height]] of Object.entries(layout.controls)) {
        const element = control(section, name);
        element.style.left = px(left);
        element.style.top = px(top);
        element.style.width = px(width);
        element.style.height = px(height);
    }
}

// Scales the whole layout by the largest factor at which it fits the
// viewport, and centres it, as the desktop's full screen does.
export function fitToViewport(section: HTMLElement, layout: WindowLayout): void {
    const viewport = document.documentElement;
    const width = layout.width / twipsPerPixel;
    const height = layout.height / twipsPerPixel;
    const factor = Math.min(viewport.clientWidth / width, viewport.clientHeight / height);
    const left = (viewport.clientWidth - width * factor) / 2;
    const top = (viewport.clientHeight - height * factor) / 2;
    section.style.transform = `translate(${left}px, ${top}px) scale(${factor})`;
}
