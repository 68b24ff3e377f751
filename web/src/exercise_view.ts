// The engine's operations on frm_werk's controls (its ExerciseView), done on
// the page's elements.

import type { ExerciseView } from './engine.js';
import type { Page } from './page.js';
import type { ReadOuts } from './read_outs.js';

export function exerciseView(page: Page, readOuts: ReadOuts): ExerciseView {
    return {
        setTxtStringCaption: (syllable) => (page.txtString.textContent = syllable),
        setTxtStringVisible: (visible) => (page.txtString.hidden = !visible),
        setPicture1Visible: (visible) => (page.picture1.hidden = !visible),
        setLabel1Caption: (text) => readOuts.show('Label1', text),
        setLabel3Caption: (text) => readOuts.show('Label3', text),
    };
}
