// Each view at its window's layout (the core's places, in twips), drawn as one
// picture scaled to the viewport by the core's fit rule.

import { description } from './description.js';
import type { TwipsRect, WindowDescription } from './description.js';

// Where the layout's corner lies and its scale: the core's fit_and_centre.
export interface Fit {
    readonly factor: number;
    readonly left: number;
    readonly top: number;
}
export type FitRule = (
    width: number,
    height: number,
    clientWidth: number,
    clientHeight: number,
) => Fit;

const px = (twips: number): string => `${twips / description.twipsPerPixel}px`;

export function control(section: HTMLElement, name: string): HTMLElement {
    const found = section.querySelector<HTMLElement>(`[data-control="${name}"]`);
    if (!found) throw new Error(`${section.id} has no control ${name}`);
    return found;
}

// Puts `element` at `box`, a place in twips of its window at factor 1.
export function placeAt(element: HTMLElement, box: TwipsRect): void {
    element.style.left = px(box.left);
    element.style.top = px(box.top);
    element.style.width = px(box.width);
    element.style.height = px(box.height);
}

// Puts every control of `section` at its place at factor 1.
export function placeControls(section: HTMLElement, window: WindowDescription): void {
    section.style.width = px(window.client.width);
    section.style.height = px(window.client.height);
    for (const { name, place } of window.controls) placeAt(control(section, name), place);
}

// Scales the whole layout by the largest factor at which it fits the
// viewport, and centres it, as the desktop's full screen does.
export function fitToViewport(section: HTMLElement, window: WindowDescription, fit: FitRule): void {
    const viewport = document.documentElement;
    const { factor, left, top } = fit(
        window.client.width,
        window.client.height,
        viewport.clientWidth,
        viewport.clientHeight,
    );
    section.style.transform = `translate(${left}px, ${top}px) scale(${factor})`;
}
