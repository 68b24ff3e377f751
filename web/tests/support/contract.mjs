// What the page must show: the two windows' captions, layout rectangles (twips)
// and tab order, and the settings window's messages, as the desktop has them.
// The windows are the core's own description, as the site's build wrote it
// (build-web/description.json, or KLANKFLITS_DESCRIPTION).

import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const REPO = resolve(fileURLToPath(new URL('../../..', import.meta.url)));
const DESCRIPTION_FILE = resolve(process.env.KLANKFLITS_DESCRIPTION ?? `${REPO}/build-web/description.json`);
export const DESCRIPTION = JSON.parse(readFileSync(DESCRIPTION_FILE, 'utf8'));

export const TWIPS_PER_PX = DESCRIPTION.twipsPerPixel;

function windowNamed(name) {
    const found = DESCRIPTION.windows.find((w) => w.name === name);
    if (!found) throw new Error(`${DESCRIPTION_FILE} has no window ${name}`);
    return found;
}

// A control as the cases check it: its drawn text (or its two lines), its
// access key, its rectangle in twips.
function expected(control) {
    const { left, top, width, height } = control.place;
    const out = { name: control.name, rect: [left, top, width, height] };
    if (control.twoLines) out.lines = control.lines;
    else if (control.caption) out.text = control.caption.replace('&', '');
    if (control.accessKey) {
        out.accessKey = control.accessKey;
        out.keyLetter = control.caption[control.caption.indexOf('&') + 1]; // as drawn: "n" of "Ope&nen…"
        if (control.accessKeyTarget) out.accessKeyTarget = control.accessKeyTarget;
    }
    return out;
}

function layout(name) {
    const described = windowNamed(name);
    return {
        id: described.name,
        title: described.caption,
        width: described.client.width / TWIPS_PER_PX,
        height: described.client.height / TWIPS_PER_PX,
        controls: described.controls.map(expected),
        tabOrder: described.controls.filter((c) => DESCRIPTION.takesFocus[c.kind]).map((c) => c.name),
    };
}

export const SETTINGS = layout('frm_hoofd');
export const EXERCISE = layout('frm_werk');

// A box's prompt: the label just before it.
function promptOf(box) {
    const controls = windowNamed('frm_hoofd').controls;
    const before = controls[controls.findIndex((c) => c.name === box) - 1];
    if (before?.kind !== 'label') throw new Error(`${box} has no label before it`);
    return before.caption;
}

export const DEFAULT_INTERVAL = '2000';
export const DEFAULT_SPEED_STEP = '100';
export const START_PROMPT = promptOf('txt_start');
export const SPEED_PROMPT = promptOf('txt_speed');

// The letter size's four steps, each the cube root of 4 larger than the one before.
export const LETTER_SIZE_FACTORS = [1, 2, 3, 4].map((step) => 4 ** ((step - 1) / 3));

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
