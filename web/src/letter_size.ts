// The letter size in the exercise view, for the back row of a classroom: the
// syllable and the pause picture drawn at a step of the core's rule (where
// each stands and how large, grownControl). The step is the teacher's: the
// keys, a touch screen's buttons or the link. Nothing else of the view moves,
// and the frames of the exercise are not touched: a step is drawn at once.

import { controlNamed, description, windowNamed } from './description.js';
import type { KlankflitsModule } from './klankflits.js';
import { placeAt } from './layout.js';
import type { GrownControl } from './layout_binding.js';
import type { Page } from './page.js';
import { pausePicture } from './views.js';

const exerciseWindow = windowNamed('frm_werk');
const { smallest, largest } = description.letterSize;

interface TwipsSize {
    readonly width: number;
    readonly height: number;
}

// The room the widest of every syllable takes in the syllable's font, as the
// element `like` has it at step 1: in CSS px of the unscaled layout, then in
// twips, as the desktop measures it.
function widestSyllable(like: HTMLElement): TwipsSize {
    const list = document.createElement('div');
    list.className = 'syllable-measure';
    for (const property of ['fontFamily', 'fontWeight', 'fontSize'] as const)
        list.style[property] = like.style[property];
    list.append(
        ...description.syllables.map((syllable) => {
            const line = document.createElement('span');
            line.textContent = syllable;
            return line;
        }),
    );
    document.body.append(list);
    const lines = [...list.children].map((line) => line.getBoundingClientRect());
    list.remove();
    const widest = Math.max(0, ...lines.map((line) => line.width));
    const height = Math.max(0, ...lines.map((line) => line.height));
    return {
        width: Math.ceil(widest * description.twipsPerPixel),
        height: Math.ceil(height * description.twipsPerPixel),
    };
}

export class LetterSize {
    private step: number;
    private readonly syllable: TwipsSize;
    private readonly picture: TwipsSize;
    private readonly fontPx: number;

    constructor(
        private readonly page: Page,
        private readonly engine: KlankflitsModule,
        step: number,
    ) {
        this.step = Math.min(Math.max(step, smallest), largest);
        this.syllable = widestSyllable(page.txtString);
        this.picture = controlNamed(exerciseWindow, 'Picture1').place;
        this.fontPx = parseFloat(page.txtString.style.fontSize);
        this.draw();
    }

    // One step up (1) or down (-1), no further than the largest or smallest.
    readonly by = (change: number): void => {
        const next = Math.min(Math.max(this.step + change, smallest), largest);
        if (next === this.step) return;
        this.step = next;
        this.draw();
    };

    private draw(): void {
        const { txtString, picture1 } = this.page;
        const syllable = this.grown('txt_string', this.syllable);
        placeAt(txtString, syllable.box);
        txtString.style.fontSize = `${this.fontPx * syllable.factor}px`;
        const pause = this.grown('Picture1', this.picture);
        placeAt(picture1, pause.box);
        const image = picture1.querySelector('img');
        if (image) {
            image.style.width = `${pausePicture.width * pause.factor}px`;
            image.style.height = `${pausePicture.height * pause.factor}px`;
        }
    }

    private grown(control: string, content: TwipsSize): GrownControl {
        return this.engine.grownControl(control, content.width, content.height, this.step);
    }
}
