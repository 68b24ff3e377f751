// The settings view's choice of material and order, as on the desktop:
// choosing a material selects the order it starts in and shows its items,
// read-only, in txt_list; the own list makes txt_list take typing, and what was
// typed there stays across switches to other materials and back.

import { description } from './description.js';
import type { Engine } from './engine.js';
import type { Page } from './page.js';

const { ownList, choices, orders } = description.materials;

function fill(box: HTMLSelectElement, options: readonly { key: string; caption: string }[]): void {
    box.replaceChildren(
        ...options.map(({ key, caption }) => {
            const option = document.createElement('option');
            option.value = key;
            option.textContent = caption;
            return option;
        }),
    );
}

export class MaterialChoice {
    private ownText = ''; // txt_list as typed for the own list
    private shown = ''; // the material whose items txt_list shows

    constructor(
        private readonly page: Page,
        private readonly engine: Engine,
    ) {
        fill(page.cmbMaterial, choices);
        fill(page.cmbOrder, orders);
        for (const [at, order] of orders.entries()) {
            const option = page.cmbOrder.options[at];
            if (option) option.title = order.explanation;
        }
        page.cmbMaterial.addEventListener('change', () => this.choose(page.cmbMaterial.value));
        page.cmbOrder.addEventListener('change', () => this.explainOrder());
        this.choose(choices[0]?.key ?? ownList);
    }

    static known(key: string): boolean {
        return choices.some((choice) => choice.key === key);
    }

    static knownOrder(key: string): boolean {
        return orders.some((order) => order.key === key);
    }

    get material(): string {
        return this.page.cmbMaterial.value;
    }

    get order(): string {
        return this.page.cmbOrder.value;
    }

    get ownListChosen(): boolean {
        return this.material === ownList;
    }

    // A material by its key, in the order it starts in.
    choose(key: string): void {
        const { cmbMaterial, cmbOrder, txtList } = this.page;
        if (this.shown === ownList) this.ownText = txtList.value;
        const choice = choices.find((each) => each.key === key);
        cmbMaterial.value = key;
        // The whole caption where the box is too narrow for it.
        cmbMaterial.title = choice?.caption ?? '';
        cmbOrder.value = choice?.order ?? '';
        this.explainOrder();
        this.shown = key;
        const own = key === ownList;
        txtList.readOnly = !own;
        txtList.value = own ? this.ownText : this.engine.itemsText(key);
        txtList.scrollTop = 0;
    }

    chooseOrder(key: string): void {
        this.page.cmbOrder.value = key;
        this.explainOrder();
    }

    // A list typed elsewhere (a file, a link): the own list, showing it.
    useOwnList(text: string): void {
        if (this.ownListChosen) this.page.txtList.value = text;
        this.ownText = text;
        this.choose(ownList);
    }

    private explainOrder(): void {
        const { cmbOrder } = this.page;
        cmbOrder.title = orders.find((order) => order.key === cmbOrder.value)?.explanation ?? '';
    }
}
