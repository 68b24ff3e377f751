// The link the page was opened with: the two boxes' texts, the material and
// its order, the letter size, the syllable's letters and full screen, as a
// teacher hands them out; and the own list in the fragment ("#lijst=…"),
// which the browser never sends to a server.

import { description } from './description.js';

export const parameters = {
    interval: 'interval',
    speedStep: 'versnelling',
    material: 'oefenstof',
    order: 'volgorde',
    letterSize: 'lettergrootte',
    fullScreen: 'volledig-scherm',
    letters: 'letters',
} as const;

export const listName = description.materials.listLink;

export interface Link {
    readonly interval: string | null; // txt_start's text
    readonly speedStep: string | null; // txt_speed's text
    readonly material: string | null; // a material's key
    readonly order: string | null; // an order's key
    readonly list: string | null; // the fragment's list, percent-encoded as given
    readonly letterSize: string | null; // a step, as the core names it
    readonly fullScreen: boolean;
    readonly letters: string | null; // the syllable's letters, as the core names them
    // "Opnieuw beginnen": the page again with the link's own parameters and
    // list and nothing else, what a pupil was given to start with.
    readonly startAgain: string;
}

// The fragment's "lijst=" value as it stands (the core decodes it); given
// twice, the last counts.
function listIn(hash: string): string | null {
    let list: string | null = null;
    for (const part of hash.replace(/^#/, '').split('&')) {
        if (part.startsWith(`${listName}=`)) list = part.slice(listName.length + 1);
    }
    return list;
}

export function readLink(search: string, hash: string): Link {
    const given = new URLSearchParams(search);
    // A parameter given twice counts as given last, as on the command line.
    const last = (name: string): string | null => {
        const values = given.getAll(name);
        return values.length === 0 ? null : (values[values.length - 1] ?? null);
    };
    const kept = new URLSearchParams();
    for (const name of Object.values(parameters)) {
        const value = last(name);
        if (value !== null) kept.set(name, value);
    }
    const query = kept.toString();
    const list = listIn(hash);
    const fragment = list === null ? '' : `#${listName}=${list}`;
    return {
        interval: last(parameters.interval),
        speedStep: last(parameters.speedStep),
        material: last(parameters.material),
        order: last(parameters.order),
        list,
        letterSize: last(parameters.letterSize),
        fullScreen: last(parameters.fullScreen) === '1',
        letters: last(parameters.letters),
        startAgain: `./${query === '' ? '' : `?${query}`}${fragment}`,
    };
}
