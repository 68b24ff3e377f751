// Each view at its window's layout (the core's places, in twips), drawn as one
// picture scaled to the viewport by the core's fit rule.

import { description, windowNamed } from './description.js';
import type { WindowDescription } from './description.js';
import type { Engine, TwipsRect } from './engine.js';
import type { Page } from './page.js';

type FitRule = Engine['fitAndCentre'];

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
function placeControls(section: HTMLElement, window: WindowDescription): void {
    section.style.width = px(window.client.width);
    section.style.height = px(window.client.height);
    for (const { name, place } of window.controls) placeAt(control(section, name), place);
}

// Scales the whole layout by the largest factor at which it fits the
// viewport, and centres it, as the desktop's full screen does.
function fitToViewport(section: HTMLElement, window: WindowDescription, fit: FitRule): void {
    const viewport = document.documentElement;
    const { factor, left, top } = fit(
        window.client.width,
        window.client.height,
        viewport.clientWidth,
        viewport.clientHeight,
    );
    section.style.transform = `translate(${left}px, ${top}px) scale(${factor})`;
}

// Both views at their places, fitted to the viewport now and on each resize.
export function layOutViews(page: Page, fit: FitRule): void {
    const views = [
        [page.frmHoofd, windowNamed('frm_hoofd')],
        [page.frmWerk, windowNamed('frm_werk')],
    ] as const;
    const fitAll = (): void => {
        for (const [section, described] of views) fitToViewport(section, described, fit);
    };
    for (const [section, described] of views) placeControls(section, described);
    fitAll();
    window.addEventListener('resize', fitAll);
}
