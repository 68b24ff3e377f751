// The two views built from the core's description of the two windows: one
// element for each control, by its kind, in tab order, with the captions and
// state at load that the description gives.

import { description } from './description.js';
import type { ControlDescription, WindowDescription } from './description.js';

// The pause picture's own size in pixels.
export const pausePicture = { src: 'pause.jpg', width: 150, height: 112 } as const;

function element<K extends keyof HTMLElementTagNameMap>(
    tag: K,
    control: ControlDescription,
): HTMLElementTagNameMap[K] {
    const made = document.createElement(tag);
    made.dataset['control'] = control.name;
    made.hidden = !control.shownAtLoad;
    return made;
}

// A caption with its access key underlined: "&Start" as <u>S</u>tart.
function appendCaption(to: HTMLElement, caption: string): void {
    const marker = caption.indexOf('&');
    if (marker < 0 || marker + 1 >= caption.length) {
        to.append(caption);
        return;
    }
    const key = document.createElement('u');
    key.textContent = caption.charAt(marker + 1);
    const parts = [caption.slice(0, marker), key, caption.slice(marker + 2)];
    to.append(...parts.filter((part) => part !== '')); // no empty text nodes
}

function syllableFont(to: HTMLElement): void {
    const font = description.syllableFont;
    const quoted = font.families.map((family) => `"${family.replace(/["\\]/g, '\\$&')}"`);
    to.style.fontFamily = [...quoted, 'sans-serif'].join(', ');
    to.style.fontWeight = font.bold ? 'bold' : 'normal';
    to.style.fontSize = `${(font.points * 96) / 72}px`; // 96 CSS pixels to the inch
}

function label(window: WindowDescription, control: ControlDescription, at: number): HTMLElement {
    if (control.font === 'syllable') {
        const syllable = element('div', control);
        syllable.className = 'syllable';
        syllable.setAttribute('aria-live', 'off');
        syllableFont(syllable);
        return syllable;
    }
    // A label the program fills is a read-out: its figure sits in an inner span.
    if (control.caption === '') {
        const readOut = element('span', control);
        readOut.className = 'read-out';
        readOut.append(document.createElement('span'));
        return readOut;
    }
    // A label just before a text box names that box.
    const next = window.controls[at + 1];
    if (next?.kind === 'text_box') {
        const named = element('label', control);
        named.htmlFor = next.name;
        named.textContent = control.caption;
        return named;
    }
    const plain = element('span', control);
    plain.textContent = control.caption;
    return plain;
}

function textBox(control: ControlDescription): HTMLInputElement {
    const box = element('input', control);
    box.id = control.name;
    box.type = 'text';
    for (const [name, value] of [
        ['autocomplete', 'off'],
        ['spellcheck', 'false'],
        ['autocapitalize', 'off'],
        ['autocorrect', 'off'],
    ] as const)
        box.setAttribute(name, value);
    return box;
}

function pushButton(control: ControlDescription): HTMLButtonElement {
    const button = element('button', control);
    button.type = 'button';
    if (control.accessKey) button.setAttribute('aria-keyshortcuts', `Alt+${control.accessKey}`);
    if (control.twoLines && control.lines) {
        button.className = 'two-lines';
        button.append(control.lines[0], document.createElement('br'), control.lines[1]);
    } else {
        appendCaption(button, control.caption);
    }
    return button;
}

function pictureBox(control: ControlDescription): HTMLElement {
    const box = element('div', control);
    box.className = 'picture';
    const picture = document.createElement('img');
    picture.src = pausePicture.src;
    picture.alt = '';
    picture.width = pausePicture.width;
    picture.height = pausePicture.height;
    picture.draggable = false;
    box.append(picture);
    return box;
}

function controlElement(window: WindowDescription, control: ControlDescription, at: number) {
    switch (control.kind) {
        case 'label':
            return label(window, control, at);
        case 'text_box':
            return textBox(control);
        case 'push_button':
            return pushButton(control);
        case 'picture_box':
            return pictureBox(control);
    }
}

// Fills each window's section (#frm_hoofd, #frm_werk) with its controls.
export function buildViews(): void {
    for (const window of description.windows) {
        const section = document.getElementById(window.name);
        if (!section) throw new Error(`the page has no #${window.name}`);
        section.replaceChildren(
            ...window.controls.map((control, at) => controlElement(window, control, at)),
        );
    }
}
