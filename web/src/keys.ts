// The keyboard as on the desktop: Alt+S and Alt+E, Tab round the window's
// controls, Space presses the focused button (the browser's own), Enter and
// Esc press nothing, F11 full screen; in the exercise view + and - (= as +,
// with Ctrl too, instead of the browser's zoom) step the letter size, L
// switches the syllable's letters and P (or the media Play/Pause key) pauses.

import { description, windowNamed } from './description.js';
import type { Engine } from './engine.js';
import type { Page } from './page.js';
import { fullScreenAvailable, toggleFullScreen } from './screen.js';

// Each window's access keys: the key's code ("KeyS") to the name of the
// control it reaches (a button its own, a label's the control after it).
const accessKeys = new Map<string, Map<string, string>>(
    description.windows.map((window) => [
        window.name,
        new Map(
            window.controls
                .filter((control) => /^[A-Z]$/.test(control.accessKey))
                .map((control): [string, string] => [
                    `Key${control.accessKey}`,
                    control.accessKeyTarget ?? control.name,
                ]),
        ),
    ]),
);

// The view's controls that take the focus, in its window's tab order.
function focusables(view: HTMLElement): HTMLElement[] {
    return windowNamed(view.id)
        .controls.filter((control) => description.takesFocus[control.kind])
        .map((control) => view.querySelector<HTMLElement>(`[data-control="${control.name}"]`))
        .filter(
            (element): element is HTMLElement =>
                element !== null && !element.hidden && element.tabIndex >= 0,
        );
}

// The exercise's keys are the core's (+ and - step the letter size): the
// character a key gives, of the main keyboard or the keypad.
export function bindKeys(
    page: Page,
    engine: Engine,
    stepLetterSize: (by: number) => void,
    switchLetters: () => void,
    togglePause: () => void,
): void {
    document.addEventListener(
        'keydown',
        (event) => {
            if (page.messageOpen()) return; // the message box has its own keys
            if (event.key === 'F11' && fullScreenAvailable()) {
                event.preventDefault();
                toggleFullScreen();
                return;
            }
            const view = page.shownView();
            if (!view) return;
            const exerciseKey = engine.exerciseKey(event.key, event.altKey || event.metaKey);
            if (exerciseKey !== '' && view === page.frmWerk) {
                event.preventDefault();
                if (exerciseKey === 'letters' || exerciseKey === 'pause') {
                    if (!event.repeat) (exerciseKey === 'letters' ? switchLetters : togglePause)();
                    return;
                }
                stepLetterSize(exerciseKey === 'larger' ? 1 : -1);
                return;
            }
            if (event.altKey && !event.ctrlKey && !event.metaKey) {
                const name = accessKeys.get(view.id)?.get(event.code);
                const target = name
                    ? view.querySelector<HTMLElement>(`[data-control="${name}"]`)
                    : null;
                if (target && !target.hidden) {
                    event.preventDefault();
                    if (!event.repeat) {
                        target.focus();
                        if (target instanceof HTMLButtonElement) target.click();
                    }
                }
                return;
            }
            // Enter starts a new line in the list box; elsewhere it presses nothing.
            if (event.key === 'Enter' && event.target instanceof HTMLTextAreaElement) return;
            if (event.key === 'Enter' || event.key === 'Escape') {
                // No default or cancel button. (Esc still leaves the browser's full screen.)
                event.preventDefault();
                return;
            }
            if (event.key === 'Tab' && !event.ctrlKey && !event.altKey && !event.metaKey) {
                const order = focusables(view);
                if (order.length === 0) return;
                const at = order.indexOf(document.activeElement as HTMLElement);
                const next = event.shiftKey
                    ? (at <= 0 ? order.length : at) - 1
                    : (at + 1) % order.length;
                event.preventDefault();
                order[next]?.focus();
                if (order[next] instanceof HTMLInputElement) order[next].select();
            }
        },
        true,
    );
}
