// Klankflits in the browser: the settings view (frm_hoofd) and the exercise
// view (frm_werk) on the engine's WebAssembly module. Every exercise rule is
// the engine's; the page is the view, the clock (the display's frames), the
// input and the layout. This starts it.

import { offerLinkCopy } from './copy_link.js';
import { description } from './description.js';
import { loadEngine } from './engine.js';
import { exerciseView } from './exercise_view.js';
import { keepStill } from './keep_still.js';
import { bindKeys } from './keys.js';
import { layOutViews } from './layout.js';
import { LetterSize } from './letter_size.js';
import { readLink } from './link.js';
import { offerListFile } from './list_file.js';
import { MaterialChoice } from './material_choice.js';
import { registerServiceWorker } from './offline.js';
import { Page } from './page.js';
import { Pause } from './pause.js';
import { runProgram } from './program_flow.js';
import { ReadOuts } from './read_outs.js';
import { SchoolLetters } from './school_letters.js';
import {
    offerExerciseButtons,
    offerFullScreenButton,
    offerLetterSizeButtons,
} from './touch_buttons.js';
import { buildViews } from './views.js';

async function boot(): Promise<void> {
    // The page runs, so it was not refused as a file: no need for a web server.
    document.getElementById('needs-server')?.remove();
    buildViews();
    const page = new Page();
    const link = readLink(location.search, location.hash);
    keepStill(page);
    offerFullScreenButton(page);
    // The views stay hidden until the module is there to fit them (and no key
    // has anything to do).
    const engine = await loadEngine();
    layOutViews(page, engine.fitAndCentre);
    // The link's letter size: past the steps the nearest end; anything else is
    // ignored, and the console says why.
    const linked = engine.letterSizeFromLink(link.letterSize ?? '1');
    if (linked.note !== '') console.warn(`${description.program}: ${linked.note}`);
    const program = new engine.Program();
    const letterSize = new LetterSize(
        page,
        engine,
        linked.step ?? description.letterSize.smallest,
        program.items(),
    );
    const letters = new SchoolLetters(page, letterSize.measureIn);
    const pause = new Pause(page);
    bindKeys(page, engine, letterSize.by, letters.toggle, pause.toggle);
    offerLetterSizeButtons(page, letterSize);
    offerExerciseButtons(page, letters.toggle, pause);
    // The link's letters: the school letters before the settings view shows,
    // so that no syllable is flashed before they are there.
    const named = engine.lettersNamed(link.letters ?? '');
    if (link.letters !== null && named === '')
        console.warn(`${description.program}: letters=${link.letters} is not a choice of letters`);
    if (named === 'school') await letters.choose(true);
    const material = new MaterialChoice(page, engine);
    offerListFile(page, engine, material);
    offerLinkCopy(page, engine, material, {
        letterSize: () => letterSize.current,
        schoolLetters: () => letters.school,
        fullScreen: () => link.fullScreen || document.fullscreenElement !== null,
    });
    runProgram(
        page,
        engine,
        program,
        link,
        exerciseView(page, new ReadOuts(page, engine)),
        pause,
        material,
        (items) => letterSize.measureItems(items),
    );
    registerServiceWorker();
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
    document.title = description.program;
}

boot().catch(cannotStart);
