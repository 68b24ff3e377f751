// The two views built from the core's description of the two windows: one
// element for each control, by its kind, in tab order, with the captions and
// state at load that the description gives.

import { description } from './description.js';
import type { ControlDescription, WindowDescription } from './description.js';
import { setSyllableFont } from './syllable_font.js';

const pausePictureFile = 'pause.svg';

function element<K extends keyof HTMLElementTagNameMap>(
    tag: K,
    control: ControlDescription,
): HTMLElementTagNameMap[K] {
    const made = document.createElement(tag);
    made.dataset['control'] = control.name;
    made.hidden = !control.shownAtLoad;
    return made;
}

// A caption as drawn, the first letter that is its access key underlined:
// "Start" with key S as <u>S</u>tart.
function appendCaption(to: HTMLElement, control: ControlDescription): void {
    const key = control.accessKey;
    const letters = [...control.drawnCaption];
    const at = letters.findIndex((letter) => key !== '' && letter.toUpperCase() === key);
    if (at < 0) {
        to.append(control.drawnCaption);
        return;
    }
    const underlined = document.createElement('u');
    underlined.textContent = letters[at] ?? '';
    const parts = [letters.slice(0, at).join(''), underlined, letters.slice(at + 1).join('')];
    to.append(...parts.filter((part) => part !== '')); // no empty text nodes
}

function label(window: WindowDescription, control: ControlDescription, at: number): HTMLElement {
    if (control.font === 'syllable') {
        const syllable = element('div', control);
        syllable.setAttribute('aria-live', 'off');
        setSyllableFont(syllable);
        return syllable;
    }
    // A label just before a box names that box; its access key, underlined,
    // reaches the control the description names.
    const next = window.controls[at + 1];
    if (next?.kind === 'text_box' || next?.kind === 'combo_box' || next?.kind === 'text_area') {
        const named = element('label', control);
        named.htmlFor = next.name;
        appendCaption(named, control);
        return named;
    }
    const plain = element('span', control);
    plain.textContent = control.drawnCaption;
    return plain;
}

// Typed numbers and words are the pupil's own: no completion, spelling or
// correction by the browser or the device's keyboard.
function withoutTypingAids<T extends HTMLInputElement | HTMLTextAreaElement>(
    box: T,
    control: ControlDescription,
): T {
    box.id = control.name;
    box.spellcheck = false;
    for (const [name, value] of [
        ['autocomplete', 'off'],
        ['autocapitalize', 'off'],
        ['autocorrect', 'off'],
    ] as const)
        box.setAttribute(name, value);
    return box;
}

function textBox(control: ControlDescription): HTMLInputElement {
    const box = withoutTypingAids(element('input', control), control);
    box.type = 'text';
    return box;
}

// A combo box as a drop-down list; material_choice.ts fills it.
function comboBox(control: ControlDescription): HTMLSelectElement {
    const box = element('select', control);
    box.id = control.name;
    return box;
}

function textArea(control: ControlDescription): HTMLTextAreaElement {
    return withoutTypingAids(element('textarea', control), control);
}

function pushButton(control: ControlDescription): HTMLButtonElement {
    const button = element('button', control);
    button.type = 'button';
    if (control.accessKey) button.setAttribute('aria-keyshortcuts', `Alt+${control.accessKey}`);
    if (control.twoLines && control.lines) {
        button.className = 'two-lines';
        button.append(control.lines[0], document.createElement('br'), control.lines[1]);
    } else {
        appendCaption(button, control);
    }
    return button;
}

function pictureBox(control: ControlDescription): HTMLElement {
    const box = element('div', control);
    box.className = 'picture';
    const picture = document.createElement('img');
    picture.src = pausePictureFile;
    picture.alt = '';
    picture.width = description.pausePicture.width;
    picture.height = description.pausePicture.height;
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
        case 'combo_box':
            return comboBox(control);
        case 'text_area':
            return textArea(control);
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
        // A label's access key, on the control it reaches, for screen readers.
        for (const { name, accessKey, accessKeyTarget } of window.controls) {
            if (!accessKeyTarget || accessKeyTarget === name) continue;
            section
                .querySelector(`[data-control="${accessKeyTarget}"]`)
                ?.setAttribute('aria-keyshortcuts', `Alt+${accessKey}`);
        }
    }
}
