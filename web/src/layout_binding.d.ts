// The module's layout rules (web/bindings/layout_binding.cpp), beside the
// program's own calls in klankflits.d.ts.

import type { Fit } from './layout.js';
import type { TwipsRect } from './description.js';

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
        letterSizeNamed(text: string): number | null;
        letterSizeFromLink(value: string): LinkLetterSize;
    }
}
