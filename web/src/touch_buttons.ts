// A touch screen's buttons, which a keyboard does not need: full screen, and
// in the exercise view the letter size's two, the school letters and the pause.

import { description } from './description.js';
import type { Page } from './page.js';
import type { Pause } from './pause.js';
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

// Beside A− and A+: the school letters and the pause.
export function offerExerciseButtons(page: Page, switchLetters: () => void, pause: Pause): void {
    if (!touchScreen()) return;
    const button = (caption: string, role: string, press: () => void): HTMLButtonElement => {
        const made = document.createElement('button');
        made.type = 'button';
        made.tabIndex = -1;
        made.dataset['role'] = role;
        made.textContent = caption;
        made.addEventListener('mousedown', (event) => event.preventDefault());
        made.addEventListener('click', press);
        page.letterSizeButtons.append(made);
        return made;
    };
    button(description.schoolLetters.caption, 'letters', switchLetters);
    const pauseButton = button(description.pause.take, 'pause', pause.toggle);
    pause.onChange((paused) => {
        pauseButton.textContent = paused ? description.pause.resume : description.pause.take;
    });
}
