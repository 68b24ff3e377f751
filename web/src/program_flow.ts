// The program's course on the page: frm_hoofd loads with the two boxes' texts
// and the material, Start opens frm_werk on the material chosen (or tells what
// could not be read), Einde or a fault ends the program.

import { description, windowNamed } from './description.js';
import type { Engine, ExerciseView, Program } from './engine.js';
import { ExerciseClock } from './exercise_clock.js';
import { installedApp } from './installed_app.js';
import type { Link } from './link.js';
import { MaterialChoice } from './material_choice.js';
import { numberSymbols } from './number_symbols.js';
import type { Page } from './page.js';
import type { Pause } from './pause.js';
import { ScreenAwake, fullScreenAtFirstGesture } from './screen.js';

const settingsTitle = windowNamed('frm_hoofd').caption;
const endedTitle = description.program;

// The link's material, order and list, each ignored when it is not one (the
// console says why); the last value given counts.
function chooseFromLink(engine: Engine, link: Link, material: MaterialChoice): void {
    const warn = (why: string): void => console.warn(`${description.program}: ${why}`);
    if (link.list !== null) {
        const read = engine.ownListFromLink(link.list);
        if (read.message === '') material.useOwnList(read.items.join('\n'));
        else warn(`lijst= is ignored: ${read.message}`);
    }
    if (link.material !== null) {
        if (MaterialChoice.known(link.material)) material.choose(link.material);
        else warn(`oefenstof=${link.material} is not a material`);
    }
    if (link.order !== null) {
        if (MaterialChoice.knownOrder(link.order)) material.chooseOrder(link.order);
        else warn(`volgorde=${link.order} is not an order`);
    }
}

export function runProgram(
    page: Page,
    engine: Engine,
    program: Program,
    link: Link,
    view: ExerciseView,
    pause: Pause,
    material: MaterialChoice,
    measureItems: (items: readonly string[]) => void,
): void {
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
        const chosen = program.choose(material.material, material.order, page.txtList.value);
        if (chosen) {
            // The list's problem names a line: that line is selected after.
            const line =
                chosen.box === 'txt_list' ? engine.listLinkValue(page.txtList.value).line : 0;
            page.tell(chosen.message, page.settingsControl(chosen.box), { line });
            return;
        }
        const outcome = program.start(page.txtStart.value, page.txtSpeed.value,
            numberSymbols(navigator.language));
        if (!outcome.ok) {
            page.tell(outcome.message, outcome.box === 'txt_start' ? page.txtStart : page.txtSpeed);
            return;
        }
        measureItems(program.items());
        const exerciseTitle = program.exerciseTitle();
        page.frmWerk.setAttribute('aria-label', exerciseTitle);
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

    // Load of frm_hoofd: the two defaults, or the link's texts and material.
    page.txtSpeed.value = link.speedStep ?? program.txtSpeedText();
    page.txtStart.value = link.interval ?? program.txtStartText();
    chooseFromLink(engine, link, material);
    if (link.fullScreen) fullScreenAtFirstGesture();
    page.show(page.frmHoofd, settingsTitle);
    page.txtStart.focus();
}
