// The program's course on the page: frm_hoofd loads with the two boxes' texts,
// Start opens frm_werk (or tells what could not be read), Einde or a fault
// ends the program.

import { description, windowNamed } from './description.js';
import type { Engine, ExerciseView } from './engine.js';
import { ExerciseClock } from './exercise_clock.js';
import { installedApp } from './installed_app.js';
import type { Link } from './link.js';
import { numberSymbols } from './number_symbols.js';
import type { Page } from './page.js';
import type { Pause } from './pause.js';
import { ScreenAwake, fullScreenAtFirstGesture } from './screen.js';

const settingsTitle = windowNamed('frm_hoofd').caption;
const exerciseTitle = windowNamed('frm_werk').caption;
const endedTitle = description.program;

export function runProgram(
    page: Page,
    engine: Engine,
    link: Link,
    view: ExerciseView,
    pause: Pause,
): void {
    const program = new engine.Program();
    const awake = new ScreenAwake();
    let exercise: ExerciseClock | null = null;

    const end = (): void => {
        exercise?.stop();
        exercise = null;
        pause.attach(null, null);
        awake.release();
        page.ended.querySelector('a')?.setAttribute('href', link.startAgain);
        page.show(page.ended, endedTitle);
        if (installedApp()) window.close();
    };

    const fault = (message: string): void => {
        awake.release();
        page.tell(message, null);
        page.message.addEventListener('close', end, { once: true });
    };

    const start = (): void => {
        if (exercise) return;
        const outcome = program.start(page.txtStart.value, page.txtSpeed.value,
            numberSymbols(navigator.language));
        if (!outcome.ok) {
            page.tell(outcome.message, outcome.box === 'txt_start' ? page.txtStart : page.txtSpeed);
            return;
        }
        exercise = new ExerciseClock(program, fault);
        awake.keep();
        pause.attach(exercise, awake);
        exercise.start(view, () => {
            page.show(page.frmWerk, exerciseTitle);
            page.exerciseExit.focus();
        });
    };

    page.cmdStart.addEventListener('click', start);
    page.settingsExit.addEventListener('click', end);
    page.exerciseExit.addEventListener('click', end);
    page.command1.addEventListener('click', () => exercise?.click('Command1'));
    page.command2.addEventListener('click', () => exercise?.click('Command2'));
    page.message
        .querySelector('[data-role="message-ok"]')
        ?.addEventListener('click', () => page.message.close());

    // Load of frm_hoofd: the two defaults, or the link's texts.
    page.txtSpeed.value = link.speedStep ?? program.txtSpeedText();
    page.txtStart.value = link.interval ?? program.txtStartText();
    if (link.fullScreen) fullScreenAtFirstGesture();
    page.show(page.frmHoofd, settingsTitle);
    page.txtStart.focus();
}
