// The link the page was opened with: the two boxes' texts, the letter size,
// the syllable's letters and full screen, as a teacher hands them out.

const parameters = {
    interval: 'interval',
    speedStep: 'versnelling',
    letterSize: 'lettergrootte',
    fullScreen: 'volledig-scherm',
    letters: 'letters',
} as const;

export interface Link {
    readonly interval: string | null; // txt_start's text
    readonly speedStep: string | null; // txt_speed's text
    readonly letterSize: string | null; // a step, as the core names it
    readonly fullScreen: boolean;
    readonly letters: string | null; // the syllable's letters, as the core names them
    // "Opnieuw beginnen": the page again with the link's own parameters and
    // nothing else, what a pupil was given to start with.
    readonly startAgain: string;
}

export function readLink(search: string): Link {
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
    return {
        interval: last(parameters.interval),
        speedStep: last(parameters.speedStep),
        letterSize: last(parameters.letterSize),
        fullScreen: last(parameters.fullScreen) === '1',
        letters: last(parameters.letters),
        startAgain: query === '' ? './' : `./?${query}`,
    };
}
