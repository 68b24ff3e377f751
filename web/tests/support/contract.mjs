// What the page must show: the two windows' captions, layout rectangles (twips)
// and tab order, and the settings window's messages, as the desktop has them.

export const TWIPS_PER_PX = 15;

export const SETTINGS = {
    id: 'frm_hoofd',
    title: 'Form1',
    width: 5535 / TWIPS_PER_PX, // 369
    height: 2880 / TWIPS_PER_PX, // 192
    controls: [
        { name: 'Label1', text: 'Geef start interval', rect: [240, 360, 1600, 255] },
        { name: 'txt_start', rect: [2040, 360, 1575, 285] },
        { name: 'Label2', text: 'Geef versnelling', rect: [240, 960, 1600, 255] },
        { name: 'txt_speed', rect: [2040, 960, 1575, 285] },
        { name: 'Label3', text: 'Mili seconden', rect: [3840, 360, 1215, 255] },
        { name: 'Label4', text: 'Mili seconden', rect: [3840, 960, 1215, 255] },
        { name: 'cmd_start', text: 'Start', accessKey: 'S', rect: [240, 2160, 1695, 495] },
        { name: 'cmd_exit', text: 'Einde', accessKey: 'E', rect: [3600, 2160, 1695, 495] },
    ],
    tabOrder: ['txt_start', 'txt_speed', 'cmd_start', 'cmd_exit'],
};

export const EXERCISE = {
    id: 'frm_werk',
    title: 'ZVK van CCV-structuren',
    width: 15240 / TWIPS_PER_PX, // 1016
    height: 11010 / TWIPS_PER_PX, // 734
    controls: [
        { name: 'cmd_exit', text: 'Einde', accessKey: 'E', rect: [11400, 9120, 1695, 495] },
        { name: 'txt_string', rect: [5280, 4320, 3375, 1455] },
        { name: 'Label1', rect: [14280, 9840, 735, 255] },
        { name: 'Label3', rect: [14280, 9240, 735, 255] },
        { name: 'Picture1', rect: [5760, 4200, 2295, 1695] },
        { name: 'Label4', text: 'reeks', rect: [13440, 9240, 495, 255] },
        { name: 'Label5', text: 'tijd', rect: [13560, 9840, 375, 255] },
        { name: 'Command1', lines: ['versnel', '100 msec'], rect: [13560, 8280, 1215, 495] },
        { name: 'Command2', lines: ['vertraag', '100 msec'], rect: [13560, 7560, 1215, 495] },
    ],
    tabOrder: ['cmd_exit', 'Command1', 'Command2'],
};

export const DEFAULT_INTERVAL = '2000';
export const DEFAULT_SPEED_STEP = '100';
export const START_PROMPT = 'Geef start interval';
export const SPEED_PROMPT = 'Geef versnelling';

// The exercise's constants, in milliseconds.
export const SHORT_PAUSE_MS = 3500;
export const LONG_PAUSE_MS = 5500;
export const SYLLABLES_PER_SERIES = 10;
export const TICK_MS = 10;

// The time from one flash step to the next at an interval: the k-th 10 ms tick
// with 1 + 10 k > interval / 2.
export function stepMs(intervalMs) {
    let k = 1;
    while (1 + TICK_MS * k <= intervalMs / 2) k += 1;
    return k * TICK_MS;
}

// The settings window's message for a box it could not read: the desktop's words.
function quoted(typed) {
    const chars = Array.from(typed);
    // The desktop counts UTF-16 code units; the cases here are all in the BMP.
    return chars.length <= 40 ? `"${typed}"` : `"${chars.slice(0, 40).join('')}\u2026"`;
}

export function problemMessage(problem, prompt, typed, decimalPoint = '.') {
    let first;
    if (problem === 'empty') {
        first = `Bij "${prompt}" staat nog niets.`;
    } else if (problem === 'too-large' || problem === 'too-small') {
        first =
            `Bij "${prompt}" staat ${quoted(typed)}. Dat getal is te ` +
            `${problem === 'too-large' ? 'groot' : 'klein'}: het kleinste getal is ` +
            '-2147483648, het grootste 2147483647.';
    } else {
        first = `Bij "${prompt}" staat ${quoted(typed)}. Dat is geen getal.`;
    }
    return (
        first +
        `\n\nVul een getal in, in milliseconden, bijvoorbeeld ${prompt === SPEED_PROMPT ? 100 : 2000}. ` +
        'Een getal als ' +
        `2${decimalPoint}5 wordt afgerond op een heel getal.`
    );
}
