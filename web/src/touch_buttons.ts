// A touch screen's buttons, which a keyboard does not need: full screen, and
// the letter size's two in the exercise view.

import { description } from './description.js';
import type { Page } from './page.js';
import { fullScreenAvailable, toggleFullScreen } from './screen.js';

function touchScreen(): boolean {
    return matchMedia('(any-pointer: coarse)').matches;
}

export function offerFullScreenButton(page: Page): void {
    if (!fullScreenAvailable() || !touchScreen()) return;
    const button = page.fullScreenButton;
    const caption = (): void => {
        button.textContent = document.fullscreenElement
            ? description.fullScreen.leave
            : description.fullScreen.enter;
    };
    caption();
    button.hidden = false;
    button.addEventListener('click', toggleFullScreen);
    document.addEventListener('fullscreenchange', caption);
}

// `stepLetterSize(by)`: one step up (1) or down (-1).
export function offerLetterSizeButtons(page: Page, stepLetterSize: (by: number) => void): void {
    if (!touchScreen()) return;
    const [smaller, larger] = page.letterSizeButtons.querySelectorAll('button');
    for (const [button, caption] of [
        [smaller, description.letterSize.smaller],
        [larger, description.letterSize.larger],
    ] as const) {
        if (!button) continue;
        button.textContent = caption;
        // A tap leaves the focus on Einde.
        button.addEventListener('mousedown', (event) => event.preventDefault());
        button.addEventListener('click', () => stepLetterSize(Number(button.dataset['by'])));
    }
    page.letterSizeOffered = true;
}
