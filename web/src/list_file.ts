// "Openen…" and a file dropped on the settings view: a plain text file's
// bytes, decoded by the core (UTF-8 with or without a mark, UTF-16 with one,
// else Windows-1252), go into txt_list as the own list. Start reads it as it
// reads what is typed.

import { description } from './description.js';
import type { Engine } from './engine.js';
import type { MaterialChoice } from './material_choice.js';
import type { Page } from './page.js';

function isTextFile(file: File): boolean {
    return /\.txt$/i.test(file.name) || file.type === 'text/plain';
}

export function offerListFile(page: Page, engine: Engine, material: MaterialChoice): void {
    const open = async (file: File): Promise<void> => {
        if (!isTextFile(file)) {
            page.tell(description.pageTexts.fileNotText, page.cmdOpen);
            return;
        }
        let bytes: Uint8Array;
        try {
            bytes = new Uint8Array(await file.arrayBuffer());
        } catch (cause) {
            console.warn(`${description.program}: ${file.name} could not be read`, cause);
            page.tell(engine.fileUnreadable(file.name), page.cmdOpen);
            return;
        }
        material.useOwnList(engine.decodeTextFile(bytes));
        page.txtList.focus();
    };

    const picker = document.createElement('input');
    picker.type = 'file';
    picker.accept = '.txt,text/plain';
    picker.hidden = true;
    picker.tabIndex = -1;
    document.body.append(picker);
    picker.addEventListener('change', () => {
        const file = picker.files?.[0];
        picker.value = ''; // the same file again is a change again
        if (file) void open(file);
    });
    page.cmdOpen.addEventListener('click', () => picker.click());

    // Anywhere on the page while the settings view shows (a file dropped
    // beside it would otherwise replace the page); elsewhere nowhere.
    const carriesFiles = (event: DragEvent): boolean =>
        event.dataTransfer?.types.includes('Files') ?? false;
    document.addEventListener('dragover', (event) => {
        if (!carriesFiles(event)) return;
        event.preventDefault();
        if (event.dataTransfer)
            event.dataTransfer.dropEffect =
                page.shownView() === page.frmHoofd && !page.messageOpen() ? 'copy' : 'none';
    });
    document.addEventListener('drop', (event) => {
        if (!carriesFiles(event)) return;
        event.preventDefault();
        const file = event.dataTransfer?.files[0];
        if (file && page.shownView() === page.frmHoofd && !page.messageOpen()) void open(file);
    });
}
