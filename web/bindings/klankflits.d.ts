// The module as emscripten's glue (klankflits.js) exports it: the program's
// calls and the core's layout rules.

import type { LayoutBinding } from './layout_binding.js';
import type { ProgramBinding } from './program_binding.js';

export type KlankflitsModule = ProgramBinding & LayoutBinding;

declare const createKlankflits: () => Promise<KlankflitsModule>;
export default createKlankflits;
