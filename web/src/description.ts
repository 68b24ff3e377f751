// The two windows as the core describes them (web/description): the site's
// build bundles the document in as WINDOW_DESCRIPTION, so the first view needs
// no request for it. Places are in twips.

import type { TwipsRect } from './engine.js';

export type ControlKind =
    | 'label'
    | 'text_box'
    | 'push_button'
    | 'picture_box'
    | 'combo_box'
    | 'text_area';

export interface ControlDescription {
    readonly name: string;
    readonly kind: ControlKind;
    readonly caption: string; // "&" before the access key
    readonly accessKey: string; // upper case, or empty
    readonly accessKeyTarget?: string; // the control Alt and the key reaches
    readonly drawnCaption: string; // without the "&"
    readonly place: TwipsRect;
    readonly font: 'window' | 'syllable';
    readonly shownAtLoad: boolean;
    readonly twoLines: boolean;
    readonly lines?: readonly [string, string];
}

export interface WindowDescription {
    readonly name: string;
    readonly caption: string;
    readonly client: { readonly width: number; readonly height: number };
    readonly controls: readonly ControlDescription[]; // in tab order
}

export interface Description {
    readonly program: string;
    // The full-screen button's caption, and its caption while full screen.
    readonly fullScreen: { readonly enter: string; readonly leave: string };
    readonly twipsPerPixel: number;
    readonly takesFocus: Readonly<Record<ControlKind, boolean>>;
    readonly syllableFont: {
        readonly families: readonly string[];
        readonly bold: boolean;
        readonly points: number;
    };
    // The school letters: a touch screen's button, the link's name, the font.
    readonly schoolLetters: {
        readonly caption: string;
        readonly name: string;
        readonly font: Description['syllableFont'];
    };
    // The pause: a touch screen's button (to take it, to go on) and the sign
    // in the syllable's place.
    readonly pause: { readonly take: string; readonly resume: string; readonly sign: string };
    // The pause picture's own size in pixels.
    readonly pausePicture: { readonly width: number; readonly height: number };
    // The letter size's steps.
    readonly letterSize: {
        readonly smallest: number;
        readonly largest: number;
        readonly smaller: string; // a touch screen's buttons
        readonly larger: string;
    };
    // The materials to choose (each with the order it starts in) and the
    // orders, by the keys of the link.
    readonly materials: {
        readonly ownList: string;
        readonly listLink: string; // the name of the own list in the link's fragment
        readonly choices: readonly {
            readonly key: string;
            readonly caption: string;
            readonly order: string;
        }[];
        readonly orders: readonly {
            readonly key: string;
            readonly caption: string;
            readonly explanation: string;
        }[];
    };
    // What the page alone says about the list file and the link.
    readonly pageTexts: {
        readonly fileNotText: string;
        readonly linkCopied: string;
        readonly linkByHand: string;
    };
    readonly windows: readonly WindowDescription[];
}

declare const WINDOW_DESCRIPTION: Description;
export const description: Description = WINDOW_DESCRIPTION;

export function windowNamed(name: string): WindowDescription {
    const found = description.windows.find((each) => each.name === name);
    if (!found) throw new Error(`no window ${name} in the description`);
    return found;
}

export function controlNamed(window: WindowDescription, name: string): ControlDescription {
    const found = window.controls.find((each) => each.name === name);
    if (!found) throw new Error(`${window.name} has no control ${name}`);
    return found;
}
