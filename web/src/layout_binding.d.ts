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
    }
}
