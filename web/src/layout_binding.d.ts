// The module's layout rules (web/bindings/layout_binding.cpp), beside the
// program's own calls in klankflits.d.ts.

import type { Fit } from './layout.js';
import type { TwipsRect } from './description.js';

export interface TwipsSize {
    readonly width: number;
    readonly height: number;
}

export interface ReadOutFit {
    readonly place: TwipsRect;
    readonly letterScale: number;
}

// How a control is drawn at a letter size: the step that fits, its factor and
// the control's box in twips.
export interface GrownControl {
    readonly step: number;
    readonly factor: number;
    readonly box: TwipsRect;
}

// A link's letter size: the step it asks for (a whole number past the steps is
// the nearest end; null for anything else), and for the console what was made
// of it (empty for "1" to "4").
export interface LinkLetterSize {
    readonly step: number | null;
    readonly note: string;
}

declare module './klankflits.js' {
    interface KlankflitsModule {
        fitAndCentre(width: number, height: number, clientWidth: number, clientHeight: number): Fit;
        grownControl(
            control: string,
            contentWidth: number,
            contentHeight: number,
            step: number,
        ): GrownControl;
        widestSyllable(widthPx: (syllable: string) => number, lineHeightPx: number): TwipsSize;
        grownSyllable(widestWidth: number, widestHeight: number, step: number): GrownControl;
        grownPausePicture(step: number): GrownControl;
        letterSizeStepped(step: number, by: number): number;
        letterSizeNamed(text: string): number | null;
        // What a key (the character it gives) does in the exercise.
        exerciseKey(typed: string, altOrMeta: boolean): 'larger' | 'smaller' | '';
        // A read-out's place and letter: widthAt(scale) in twips, measured by the page.
        fitReadOut(label: 'Label1' | 'Label3', widthAt: (scale: number) => number): ReadOutFit;
        letterSizeFromLink(value: string): LinkLetterSize;
    }
}
