// Klankflits in the browser: the settings view (frm_hoofd) and the exercise
// view (frm_werk) on the engine's WebAssembly module. Every exercise rule is
// the engine's; this is the view, the clock (the display's frames), the input
// and the layout.

import createKlankflits from './klankflits.js';
import type { ExerciseViewCalls, KlankflitsModule } from './klankflits.js';
import { ExerciseRun } from './exercise_run.js';
import { bindKeys } from './keys.js';
import { exerciseLayout, fitToViewport, placeControls, settingsLayout } from './layout.js';
import { numberSymbols } from './number_symbols.js';
import { Page } from './page.js';
import {
    ScreenAwake,
    fullScreenAtFirstGesture,
    fullScreenAvailable,
    toggleFullScreen,
} from './screen.js';

const settingsTitle = 'Form1';
const exerciseTitle = 'ZVK van CCV-structuren';
const endedTitle = 'Klankflits';

// The link's parameters: the two boxes' texts, and full screen.
const linkInterval = 'interval';
const linkSpeedStep = 'versnelling';
const linkFullScreen = 'volledig-scherm';

function layOut(page: Page): void {
    const fit = (): void => {
        fitToViewport(page.frmHoofd, settingsLayout);
        fitToViewport(page.frmWerk, exerciseLayout);
    };
    placeControls(page.frmHoofd, settingsLayout);
    placeControls(page.frmWerk, exerciseLayout);
    fit();
    window.addEventListener('resize', fit);
}

// The engine's operations on frm_werk's controls.
function exerciseView(page: Page): ExerciseViewCalls {
    const readOut = (label: HTMLElement): HTMLElement => label.firstElementChild as HTMLElement;
    return {
        setTxtStringCaption: (syllable) => (page.txtString.textContent = syllable),
        setTxtStringVisible: (visible) => (page.txtString.hidden = !visible),
        setPicture1Visible: (visible) => (page.picture1.hidden = !visible),
        setLabel1Caption: (text) => (readOut(page.label1).textContent = text),
        setLabel3Caption: (text) => (readOut(page.label3).textContent = text),
    };
}

function installed(): boolean {
    const standalone = (navigator as Navigator & { standalone?: boolean }).standalone === true;
    return (
        standalone ||
        matchMedia('(display-mode: standalone), (display-mode: minimal-ui), ' +
            '(display-mode: window-controls-overlay)').matches
    );
}

function run(page: Page, engine: KlankflitsModule): void {
    const program = new engine.Program();
    const awake = new ScreenAwake();
    let exercise: ExerciseRun | null = null;

    const end = (): void => {
        exercise?.stop();
        exercise = null;
        awake.release();
        page.show(page.ended, endedTitle);
        if (installed()) window.close();
    };

    const fault = (what: string): void => {
        awake.release();
        page.tell(`Er ging iets mis in het programma: ${what}\n\nHet programma stopt nu.`, null);
        page.message.addEventListener('close', end, { once: true });
    };

    // One box: its number, or the message and null.
    const read = (box: HTMLInputElement, prompt: string): number | null => {
        const reading = engine.Program.readBox(box.value, prompt, numberSymbols(navigator.language));
        if (reading.ok) return reading.value;
        page.tell(reading.message, box);
        return null;
    };

    const start = (): void => {
        if (exercise) return;
        const intervalMs = read(page.txtStart, 'Geef start interval');
        if (intervalMs === null) return;
        const speedStepMs = read(page.txtSpeed, 'Geef versnelling');
        if (speedStepMs === null) return;
        exercise = new ExerciseRun(program, fault);
        awake.keep();
        exercise.start(exerciseView(page), intervalMs, speedStepMs, () => {
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
    const link = new URLSearchParams(location.search);
    page.txtSpeed.value = link.get(linkSpeedStep) ?? String(program.speedStepMs());
    page.txtStart.value = link.get(linkInterval) ?? String(program.intervalMs());
    if (link.get(linkFullScreen) === '1') fullScreenAtFirstGesture();
    page.show(page.frmHoofd, settingsTitle);
    page.txtStart.focus();
}

function touchScreenButton(page: Page): void {
    if (!fullScreenAvailable() || !matchMedia('(any-pointer: coarse)').matches) return;
    const button = page.fullScreenButton;
    const caption = (): void => {
        button.textContent = document.fullscreenElement ? 'Scherm terug' : 'Volledig scherm';
    };
    caption();
    button.hidden = false;
    button.addEventListener('click', toggleFullScreen);
    document.addEventListener('fullscreenchange', caption);
}

// The picture and the syllable are for looking at: no long-press menu, no drag.
// A click beside the controls leaves the focus where it is, as in a window.
function keepStill(page: Page): void {
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

function offline(): void {
    if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
    navigator.serviceWorker.register('sw.js').catch(() => undefined);
}

async function boot(): Promise<void> {
    // The page runs, so it was not refused as a file: no need for a web server.
    document.getElementById('needs-server')?.remove();
    const page = new Page();
    layOut(page);
    bindKeys(page);
    keepStill(page);
    touchScreenButton(page);
    run(page, await createKlankflits());
    offline();
}

// A browser that cannot load the engine (no WebAssembly, or one that refuses it
// under the page's policy) gets a plain sentence instead of an empty page.
function cannotStart(): void {
    const sentence = document.createElement('p');
    sentence.className = 'no-script';
    sentence.textContent =
        'Klankflits kan in deze browser niet starten. Gebruik een recente versie van Chrome, ' +
        'Edge, Safari of Firefox.';
    document.body.replaceChildren(sentence);
    document.title = endedTitle;
}

boot().catch(cannotStart);
