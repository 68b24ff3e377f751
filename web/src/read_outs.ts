// frm_werk's read-outs, Label1 and Label3: each new figure placed and drawn
// by the core's rule (a wider figure grows its read-out to the left, then is
// drawn smaller), measured in the window's letter.

import { description } from './description.js';
import type { Engine } from './engine.js';
import { placeAt } from './layout.js';
import type { Page } from './page.js';
import { TextMeasure } from './text_measure.js';

type ReadOut = 'Label1' | 'Label3';

export class ReadOuts {
    private readonly measure: TextMeasure;
    private readonly letterPx: number;

    constructor(
        private readonly page: Page,
        private readonly engine: Engine,
    ) {
        const letter = getComputedStyle(page.label1);
        this.letterPx = parseFloat(letter.fontSize);
        this.measure = new TextMeasure((line) => {
            line.style.fontFamily = letter.fontFamily;
            line.style.fontWeight = letter.fontWeight;
        });
        window.addEventListener('resize', () => {
            this.fit('Label1');
            this.fit('Label3');
        });
    }

    // The engine writes both read-outs on every step, mostly as they were:
    // only a new figure is measured.
    show(label: ReadOut, figure: string): void {
        const element = this.element(label);
        if (element.textContent === figure) return;
        element.textContent = figure;
        this.fit(label);
    }

    private fit(label: ReadOut): void {
        const element = this.element(label);
        const figure = element.textContent ?? '';
        const fit = this.engine.fitReadOut(label, (scale) => {
            this.measure.style.fontSize = `${this.letterPx * scale}px`;
            return this.measure.of(figure).width * description.twipsPerPixel;
        });
        placeAt(element, fit.place);
        element.style.fontSize = fit.letterScale === 1 ? '' : `${this.letterPx * fit.letterScale}px`;
    }

    private element(label: ReadOut): HTMLElement {
        return label === 'Label1' ? this.page.label1 : this.page.label3;
    }
}
