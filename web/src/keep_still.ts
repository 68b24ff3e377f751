// The picture and the syllable are for looking at: no long-press menu, no drag.
// A click beside the controls leaves the focus where it is, as in a window.

import type { Page } from './page.js';

export function keepStill(page: Page): void {
    for (const view of [page.frmHoofd, page.frmWerk]) {
        view.addEventListener('mousedown', (event) => {
            if (!(event.target instanceof Element) || !event.target.closest('button, input'))
                event.preventDefault();
        });
    }
    for (const element of [page.txtString, page.picture1]) {
        element.addEventListener('contextmenu', (event) => event.preventDefault());
        element.addEventListener('dragstart', (event) => event.preventDefault());
    }
}
