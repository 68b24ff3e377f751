// The syllable's letters as the description gives them (face, weight, size at
// step 1) with the style's .syllable (line height, no ligatures): the same on
// txt_string and on what measures the syllables.

import { description } from './description.js';

// The syllable's size at step 1 in CSS px: 96 to the inch.
export const syllableFontPx = (description.syllableFont.points * 96) / 72;

export type SyllableFont = typeof description.syllableFont;

// `font`: the window's own letters, or the school letters once they loaded.
export function setSyllableFont(element: HTMLElement, font: SyllableFont = description.syllableFont): void {
    const quoted = font.families.map((family) => `"${family.replace(/["\\]/g, '\\$&')}"`);
    element.classList.add('syllable');
    element.style.fontFamily = [...quoted, 'sans-serif'].join(', ');
    element.style.fontWeight = font.bold ? 'bold' : 'normal';
    element.style.fontSize = `${syllableFontPx}px`;
}
