// The teacher's pause in the exercise view: the key P (and the media
// Play/Pause key) or a touch screen's button. While paused the syllable and
// the pause picture are out of sight (a class on the view, so that the
// engine's own visible flags stay as it set them), a calm sign stands in the
// syllable's place, the read-outs stay, no frames are asked for and the
// screen may dim; the speed buttons and Einde still work.

import { description } from './description.js';
import type { ExerciseClock } from './exercise_clock.js';
import type { Page } from './page.js';
import type { ScreenAwake } from './screen.js';

export class Pause {
    private clock: ExerciseClock | null = null;
    private awake: ScreenAwake | null = null;
    private readonly sign = document.createElement('div');
    private readonly listeners: ((paused: boolean) => void)[] = [];

    constructor(private readonly page: Page) {
        this.sign.className = 'syllable paused-sign';
        this.sign.textContent = description.pause.sign;
        this.sign.hidden = true;
        page.frmWerk.append(this.sign);
        // The sign in txt_string's place and size, at every letter size.
        const follow = (): void => {
            this.sign.style.cssText = page.txtString.style.cssText;
        };
        follow();
        new MutationObserver(follow).observe(page.txtString, { attributeFilter: ['style'] });
    }

    // The exercise runs on `clock` with the screen kept on by `awake`; null
    // once it has ended.
    attach(clock: ExerciseClock | null, awake: ScreenAwake | null): void {
        this.clock = clock;
        this.awake = awake;
        this.show(false);
    }

    // `listener(paused)` after each change (a button's caption).
    onChange(listener: (paused: boolean) => void): void {
        this.listeners.push(listener);
    }

    readonly toggle = (): void => {
        if (!this.clock) return;
        const paused = this.clock.togglePause();
        if (paused) this.awake?.release();
        else this.awake?.keep();
        this.show(paused);
    };

    private show(paused: boolean): void {
        this.page.frmWerk.classList.toggle('paused', paused);
        this.sign.hidden = !paused;
        for (const listener of this.listeners) listener(paused);
    }
}
