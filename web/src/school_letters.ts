// The syllable's letters: the window's own, or the school letters beginning
// readers learn from (Andika Bold). The school letters' font is fetched only
// when chosen (the service worker then keeps it for offline use), and
// txt_string changes to it only once it has loaded, so that no syllable is
// ever flashed in a fallback font; the letter size then measures in it.

import { description } from './description.js';
import type { Page } from './page.js';
import { setSyllableFont } from './syllable_font.js';
import type { SyllableFont } from './syllable_font.js';

const fontFile = 'fonts/schoolletters.woff2';

export class SchoolLetters {
    private chosen = false; // as last asked for
    private loading: Promise<boolean> | null = null;

    constructor(
        private readonly page: Page,
        private readonly measureIn: (font: SyllableFont) => void,
    ) {}

    // Resolves once the letters are drawn as chosen (or, if the font could
    // not load, stay the window's own).
    async choose(school: boolean): Promise<void> {
        this.chosen = school;
        if (school && !(await this.load())) this.chosen = false;
        if (this.chosen !== school) return; // chosen otherwise meanwhile
        const font = school ? description.schoolLetters.font : description.syllableFont;
        setSyllableFont(this.page.txtString, font);
        this.measureIn(font);
    }

    // Whether the school letters are drawn or being loaded to be.
    get school(): boolean {
        return this.chosen;
    }

    readonly toggle = (): void => {
        void this.choose(!this.chosen);
    };

    private load(): Promise<boolean> {
        const font = description.schoolLetters.font;
        this.loading ??= (async () => {
            try {
                const face = new FontFace(font.families[0] ?? '', `url(${fontFile})`, {
                    weight: font.bold ? 'bold' : 'normal',
                });
                await face.load();
                document.fonts.add(face);
                return true;
            } catch (cause) {
                console.warn(`${description.program}: the school letters did not load`, cause);
                this.loading = null; // tried again when chosen again
                return false;
            }
        })();
        return this.loading;
    }
}
