// A touch screen's buttons, which a keyboard does not need: full screen, and
// in the exercise view the letter size's two, the school letters and the pause.

import { description } from './description.js';
import type { LetterSize } from './letter_size.js';
import type { Page } from './page.js';
import type { Pause } from './pause.js';
import { fullScreenAvailable, toggleFullScreen } from './screen.js';

function touchScreen(): boolean {
    return matchMedia('(any-pointer: coarse)').matches;
}

export function offerFullScreenButton(page: Page): void {
    if (!fullScreenAvailable() || !touchScreen()) return;
    const button = page.fullScreenButton;
    // Both captions in the button, one over the other, the other one unseen:
    // the button is as wide as the wider, so the buttons beside it stay put.
    const [enter, leave] = [description.fullScreen.enter, description.fullScreen.leave].map((text) => {
        const span = document.createElement('span');
        span.textContent = text;
        return span;
    }) as [HTMLSpanElement, HTMLSpanElement];
    button.replaceChildren(enter, leave);
    const caption = (): void => {
        const full = document.fullscreenElement !== null;
        enter.className = full ? 'unseen' : '';
        leave.className = full ? '' : 'unseen';
    };
    caption();
    button.hidden = false;
    button.addEventListener('click', toggleFullScreen);
    document.addEventListener('fullscreenchange', caption);
}

// A− and A+ with the step in force between them; at either end its button is off.
export function offerLetterSizeButtons(page: Page, letterSize: LetterSize): void {
    if (!touchScreen()) return;
    const [smaller, larger] = page.letterSizeButtons.querySelectorAll('button');
    const shown = page.letterSizeButtons.querySelector<HTMLElement>('output');
    for (const [button, caption] of [
        [smaller, description.letterSize.smaller],
        [larger, description.letterSize.larger],
    ] as const) {
        if (!button) continue;
        button.textContent = caption;
        // A tap leaves the focus on Einde.
        button.addEventListener('mousedown', (event) => event.preventDefault());
        button.addEventListener('click', () => letterSize.by(Number(button.dataset['by'])));
    }
    const { smallest, largest } = description.letterSize;
    letterSize.whenDrawn((step) => {
        if (shown) {
            shown.textContent = String(step);
            shown.title = `Lettergrootte ${step} van ${largest}`;
            shown.setAttribute('aria-label', shown.title);
        }
        if (smaller) smaller.disabled = step <= smallest;
        if (larger) larger.disabled = step >= largest;
    });
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
