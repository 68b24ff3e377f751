// "Link kopiëren": the link that opens this exercise as set now (the boxes'
// texts as typed, the material and its order, the own list in the fragment,
// the letter size, the letters, full screen), put on the clipboard with a
// short confirmation that shows it; where the browser refuses the clipboard,
// the link is shown selected in the message box, to be copied by hand.

import { description } from './description.js';
import type { Engine } from './engine.js';
import { listName, parameters } from './link.js';
import type { MaterialChoice } from './material_choice.js';
import type { Page } from './page.js';

export interface LinkSettings {
    readonly letterSize: () => number;
    readonly schoolLetters: () => boolean;
    readonly fullScreen: () => boolean;
}

const confirmationMs = 4000;

export function offerLinkCopy(
    page: Page,
    engine: Engine,
    material: MaterialChoice,
    settings: LinkSettings,
): void {
    let hideLater = 0;
    const confirm = (link: string): void => {
        const text = page.linkCopied.querySelector('span');
        const shown = page.linkCopied.querySelector('a');
        if (text) text.textContent = description.pageTexts.linkCopied;
        if (shown) {
            shown.href = link;
            shown.textContent = link;
        }
        page.linkCopied.hidden = false;
        clearTimeout(hideLater);
        hideLater = window.setTimeout(() => {
            page.linkCopied.hidden = true;
        }, confirmationMs);
    };

    page.cmdLink.addEventListener('click', () => {
        let fragment = '';
        if (material.ownListChosen) {
            const list = engine.listLinkValue(page.txtList.value);
            if (list.message !== '') {
                page.tell(list.message, page.txtList, { line: list.line });
                return;
            }
            fragment = `#${listName}=${list.value}`;
        }
        const query = new URLSearchParams();
        query.set(parameters.interval, page.txtStart.value);
        query.set(parameters.speedStep, page.txtSpeed.value);
        query.set(parameters.material, material.material);
        query.set(parameters.order, material.order);
        query.set(parameters.letterSize, String(settings.letterSize()));
        if (settings.schoolLetters())
            query.set(parameters.letters, description.schoolLetters.name);
        if (settings.fullScreen()) query.set(parameters.fullScreen, '1');
        const link = `${location.origin}${location.pathname}?${query.toString()}${fragment}`;
        // No clipboard at all (a page not served over https) is a refusal too.
        Promise.resolve()
            .then(() => navigator.clipboard.writeText(link))
            .then(() => confirm(link))
            .catch(() => page.tell(description.pageTexts.linkByHand, page.cmdLink, { field: link }));
    });
}
