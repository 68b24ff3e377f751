// The engine: the core's WebAssembly module with its types
// (web/bindings/*.d.ts). The rest of the page reaches the module only here.

import createKlankflits from '../bindings/klankflits.js';
import type { KlankflitsModule } from '../bindings/klankflits.js';

export type {
    ExerciseKey,
    Fit,
    GrownControl,
    LinkLetterSize,
    ReadOutFit,
    TwipsRect,
    TwipsSize,
} from '../bindings/layout_binding.js';
export type {
    BoxProblem,
    ExerciseView,
    NumberSymbols,
    Program,
    SpeedButton,
    StartOutcome,
} from '../bindings/program_binding.js';

export type Engine = KlankflitsModule;

// The module, once it has loaded and compiled.
export function loadEngine(): Promise<Engine> {
    return createKlankflits();
}
