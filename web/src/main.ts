// Klankflits in the browser: the settings view (frm_hoofd) and the exercise
// view (frm_werk) on the engine's WebAssembly module. Every exercise rule is
// the engine's; this is the view, the clock (the display's frames), the input
// and the layout.

import createKlankflits from './klankflits.js';
import type { ExerciseViewCalls, KlankflitsModule } from './klankflits.js';
import { ExerciseRun } from './exercise_run.js';
import { bindKeys } from './keys.js';
import { description, windowNamed } from './description.js';
import { fitToViewport, placeControls } from './layout.js';
import { LetterSize } from './letter_size.js';
import { numberSymbols } from './number_symbols.js';
import { Page } from './page.js';
import { buildViews } from './views.js';
import {
    ScreenAwake,
    fullScreenAtFirstGesture,
    fullScreenAvailable,
    toggleFullScreen,
} from './screen.js';

const settingsWindow = windowNamed('frm_hoofd');
const exerciseWindow = windowNamed('frm_werk');
const settingsTitle = settingsWindow.caption;
const exerciseTitle = exerciseWindow.caption;
const endedTitle = description.program;

// The link's parameters: the two boxes' texts, the letter size, and full screen.
const linkInterval = 'interval';
const linkSpeedStep = 'versnelling';
const linkLetterSize = 'lettergrootte';
const linkFullScreen = 'volledig-scherm';

function layOut(page: Page, engine: KlankflitsModule): void {
    const fit = (): void => {
        fitToViewport(page.frmHoofd, settingsWindow, engine.fitAndCentre);
        fitToViewport(page.frmWerk, exerciseWindow, engine.fitAndCentre);
    };
    placeControls(page.frmHoofd, settingsWindow);
    placeControls(page.frmWerk, exerciseWindow);
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

// "Opnieuw beginnen" opens the page again with the link's own parameters, and
// nothing else: what a pupil was given to start with.
function startAgainLink(link: URLSearchParams): string {
    const kept = new URLSearchParams();
    for (const name of [linkInterval, linkSpeedStep, linkLetterSize, linkFullScreen]) {
        const value = link.get(name);
        if (value !== null) kept.set(name, value);
    }
    const query = kept.toString();
    return query === '' ? './' : `./?${query}`;
}

function run(page: Page, engine: KlankflitsModule): void {
    const program = new engine.Program();
    const link = new URLSearchParams(location.search);
    const awake = new ScreenAwake();
    let exercise: ExerciseRun | null = null;

    const end = (): void => {
        exercise?.stop();
        exercise = null;
        awake.release();
        page.ended.querySelector('a')?.setAttribute('href', startAgainLink(link));
        page.show(page.ended, endedTitle);
        if (installed()) window.close();
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
        exercise = new ExerciseRun(program, fault);
        awake.keep();
        exercise.start(exerciseView(page), () => {
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
    page.txtSpeed.value = link.get(linkSpeedStep) ?? program.txtSpeedText();
    page.txtStart.value = link.get(linkInterval) ?? program.txtStartText();
    if (link.get(linkFullScreen) === '1') fullScreenAtFirstGesture();
    page.show(page.frmHoofd, settingsTitle);
    page.txtStart.focus();
}

function touchScreen(): boolean {
    return matchMedia('(any-pointer: coarse)').matches;
}

function touchScreenButton(page: Page): void {
    if (!fullScreenAvailable() || !touchScreen()) return;
    const button = page.fullScreenButton;
    const caption = (): void => {
        button.textContent = document.fullscreenElement ? 'Scherm terug' : 'Volledig scherm';
    };
    caption();
    button.hidden = false;
    button.addEventListener('click', toggleFullScreen);
    document.addEventListener('fullscreenchange', caption);
}

// The letter size from the link (a step the core does not name is ignored),
// stepped by the keys and, on a touch screen, by its two buttons in the exercise view.
function letterSize(page: Page, engine: KlankflitsModule): void {
    const linked = new URLSearchParams(location.search).get(linkLetterSize);
    const named = engine.letterSizeNamed(linked ?? '');
    const size = new LetterSize(page, engine, named ?? description.letterSize.smallest);
    bindKeys(page, size.by);
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
        button.addEventListener('click', () => size.by(Number(button.dataset['by'])));
    }
    page.letterSizeOffered = true;
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
    buildViews();
    const page = new Page();
    keepStill(page);
    touchScreenButton(page);
    // The views stay hidden until the module is there to fit them (and no key
    // has anything to do).
    const engine = await createKlankflits();
    layOut(page, engine);
    letterSize(page, engine);
    run(page, engine);
    offline();
}

// A browser that cannot load the engine (no WebAssembly, or one that refuses it
// under the page's policy) gets a plain sentence instead of an empty page.
function cannotStart(cause: unknown): void {
    console.error(`${description.program} could not start:`, cause);
    const sentence = document.createElement('p');
    sentence.className = 'no-script';
    sentence.textContent =
        `${description.program} kan in deze browser niet starten. Gebruik een recente versie ` +
        'van Chrome, Edge, Safari of Firefox.';
    document.body.replaceChildren(sentence);
    document.title = endedTitle;
}

boot().catch(cannotStart);
