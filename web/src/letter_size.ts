// The letter size in the exercise view, for the back row of a classroom: the
// syllable and the pause picture drawn at a step of the core's rule (where
// each stands and how large). The step is the teacher's: the keys, a touch
// screen's buttons or the link. Nothing else of the view moves, and the
// frames of the exercise are not touched: a key only records the step it
// wants, and the next frame draws the last one wanted, once, however many
// keys came (a burst of keys would otherwise hold back the exercise's frames).

import { description } from './description.js';
import type { Engine, TwipsSize } from './engine.js';
import { placeAt } from './layout.js';
import type { Page } from './page.js';
import { setSyllableFont, syllableFontPx } from './syllable_font.js';
import type { SyllableFont } from './syllable_font.js';
import { TextMeasure } from './text_measure.js';

// The room the widest of the material's items takes at step 1, by the core's
// rule, each item measured in txt_string's font.
function widestItem(engine: Engine, items: readonly string[], font?: SyllableFont): TwipsSize {
    const measure = new TextMeasure((line) => setSyllableFont(line, font));
    try {
        return engine.widestItem(items, (item) => measure.of(item).width, measure.of('A').height);
    } finally {
        measure.remove();
    }
}

export class LetterSize {
    private step: number;
    // The step drawn, and the frame asked for to draw `step` (0: none).
    private drawn = 0;
    private frameRequest = 0;
    private widest: TwipsSize;
    private font: SyllableFont | undefined;
    private readonly onDrawn: ((step: number) => void)[] = [];

    constructor(
        private readonly page: Page,
        private readonly engine: Engine,
        step: number,
        private items: readonly string[],
    ) {
        this.step = engine.letterSizeStepped(step, 0);
        this.widest = widestItem(engine, items);
        this.draw();
    }

    // The step as the teacher set it last.
    get current(): number {
        return this.step;
    }

    // One step up (1) or down (-1), no further than the largest or smallest.
    readonly by = (change: number): void => {
        const next = this.engine.letterSizeStepped(this.step, change);
        if (next === this.step) return;
        this.step = next;
        if (this.frameRequest === 0) this.frameRequest = requestAnimationFrame(this.drawWanted);
    };

    // `show(step)` now and after every step drawn.
    whenDrawn(show: (step: number) => void): void {
        this.onDrawn.push(show);
        show(this.drawn);
    }

    private readonly drawWanted = (): void => {
        this.frameRequest = 0;
        if (this.step !== this.drawn) this.draw();
    };

    // The syllable's letters changed (txt_string is in `font` now): the
    // widest is measured again in them.
    readonly measureIn = (font: SyllableFont): void => {
        this.font = font;
        this.widest = widestItem(this.engine, this.items, font);
        this.draw();
    };

    // The material chosen at Start: its widest item is measured.
    measureItems(items: readonly string[]): void {
        this.items = items;
        this.widest = widestItem(this.engine, items, this.font);
        this.draw();
    }

    private draw(): void {
        this.drawn = this.step;
        const { txtString, picture1 } = this.page;
        const syllable = this.engine.grownSyllable(this.widest.width, this.widest.height, this.step);
        placeAt(txtString, syllable.box);
        txtString.style.fontSize = `${syllableFontPx * syllable.factor}px`;
        const pause = this.engine.grownPausePicture(this.step);
        placeAt(picture1, pause.box);
        const image = picture1.querySelector('img');
        if (image) {
            image.style.width = `${description.pausePicture.width * pause.factor}px`;
            image.style.height = `${description.pausePicture.height * pause.factor}px`;
        }
        for (const show of this.onDrawn) show(this.step);
    }
}
