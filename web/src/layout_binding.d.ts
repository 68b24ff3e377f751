// The module's fit rule (web/bindings/layout_binding.cpp), beside the program's
// own calls in klankflits.d.ts.

import type { Fit } from './layout.js';

declare module './klankflits.js' {
    interface KlankflitsModule {
        fitAndCentre(width: number, height: number, clientWidth: number, clientHeight: number): Fit;
    }
}
