// The page's elements: the two views as the two windows, the message box, the
// ended view and the touch screens' buttons: full screen, and the letter size
// in the exercise view.

import { control } from './layout.js';

function byId<T extends HTMLElement>(id: string): T {
    const element = document.getElementById(id);
    if (!element) throw new Error(`the page has no #${id}`);
    return element as T;
}

// Selects line `line` (from 1) of the box's text, without its line break.
function selectLine(box: HTMLTextAreaElement, line: number): void {
    const lines = box.value.split('\n');
    const start = lines.slice(0, line - 1).reduce((at, each) => at + each.length + 1, 0);
    box.setSelectionRange(start, start + (lines[line - 1]?.length ?? 0));
}

export class Page {
    readonly frmHoofd = byId<HTMLElement>('frm_hoofd');
    readonly frmWerk = byId<HTMLElement>('frm_werk');
    readonly ended = byId<HTMLElement>('ended');
    readonly message = byId<HTMLDialogElement>('message');
    readonly fullScreenButton = byId<HTMLButtonElement>('full-screen');
    readonly letterSizeButtons = byId<HTMLElement>('letter-size');
    // A touch screen has them; they show with the exercise view.
    letterSizeOffered = false;

    readonly txtStart = control(this.frmHoofd, 'txt_start') as HTMLInputElement;
    readonly txtSpeed = control(this.frmHoofd, 'txt_speed') as HTMLInputElement;
    readonly cmdStart = control(this.frmHoofd, 'cmd_start') as HTMLButtonElement;
    readonly settingsExit = control(this.frmHoofd, 'cmd_exit') as HTMLButtonElement;
    readonly cmbMaterial = control(this.frmHoofd, 'cmb_material') as HTMLSelectElement;
    readonly cmbOrder = control(this.frmHoofd, 'cmb_order') as HTMLSelectElement;
    readonly txtList = control(this.frmHoofd, 'txt_list') as HTMLTextAreaElement;
    readonly cmdOpen = control(this.frmHoofd, 'cmd_open') as HTMLButtonElement;
    readonly cmdLink = control(this.frmHoofd, 'cmd_link') as HTMLButtonElement;
    readonly linkCopied = byId<HTMLElement>('link-copied');

    readonly exerciseExit = control(this.frmWerk, 'cmd_exit') as HTMLButtonElement;
    readonly txtString = control(this.frmWerk, 'txt_string');
    readonly picture1 = control(this.frmWerk, 'Picture1');
    readonly label1 = control(this.frmWerk, 'Label1');
    readonly label3 = control(this.frmWerk, 'Label3');
    readonly command1 = control(this.frmWerk, 'Command1') as HTMLButtonElement;
    readonly command2 = control(this.frmWerk, 'Command2') as HTMLButtonElement;

    // The view that shows: frm_hoofd or frm_werk; null once the exercise ended.
    shownView(): HTMLElement | null {
        if (!this.frmHoofd.hidden) return this.frmHoofd;
        if (!this.frmWerk.hidden) return this.frmWerk;
        return null;
    }

    show(view: HTMLElement | null, title: string): void {
        for (const each of [this.frmHoofd, this.frmWerk, this.ended]) each.hidden = each !== view;
        this.letterSizeButtons.hidden = !this.letterSizeOffered || view !== this.frmWerk;
        document.title = title;
    }

    // The settings view's control of that name (a box Start names).
    settingsControl(name: string): HTMLElement {
        return control(this.frmHoofd, name);
    }

    // A message about the box that could not be read; closing it puts the
    // focus back in that box, a one-line box with its text selected, the list
    // box with the line the message names selected (the text stays as it is).
    // With `field`, the message shows that text selected, to be copied by hand.
    tell(
        text: string,
        box: HTMLElement | null,
        { field, line }: { field?: string; line?: number } = {},
    ): void {
        const textElement = this.message.querySelector<HTMLElement>('[data-role="message-text"]');
        if (textElement) textElement.textContent = text;
        const fieldElement = this.message.querySelector<HTMLInputElement>(
            '[data-role="message-field"]',
        );
        if (fieldElement) {
            fieldElement.hidden = field === undefined;
            fieldElement.value = field ?? '';
        }
        this.message.addEventListener(
            'close',
            () => {
                if (!box) return;
                box.focus();
                if (box instanceof HTMLInputElement) box.select();
                if (box instanceof HTMLTextAreaElement && line !== undefined && line > 0)
                    selectLine(box, line);
            },
            { once: true },
        );
        this.message.showModal();
        if (fieldElement && field !== undefined) {
            fieldElement.focus();
            fieldElement.select();
        } else {
            this.message.querySelector<HTMLButtonElement>('[data-role="message-ok"]')?.focus();
        }
    }

    messageOpen(): boolean {
        return this.message.open;
    }
}
