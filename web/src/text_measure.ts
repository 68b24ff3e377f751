// One line of text measured as the page draws it: in an element of its own,
// dressed in the font of what it measures, outside the scaled views, so that
// the sizes are CSS px of a layout at its own size.

export interface PixelSize {
    readonly width: number;
    readonly height: number;
}

export class TextMeasure {
    private readonly line = document.createElement('span');

    // `dress` gives the line the font of what is measured.
    constructor(dress: (line: HTMLElement) => void) {
        this.line.className = 'text-measure';
        this.line.setAttribute('aria-hidden', 'true');
        dress(this.line);
        document.body.append(this.line);
    }

    get style(): CSSStyleDeclaration {
        return this.line.style;
    }

    // The text's width and its line's height.
    of(text: string): PixelSize {
        this.line.textContent = text;
        const { width, height } = this.line.getBoundingClientRect();
        return { width, height };
    }

    remove(): void {
        this.line.remove();
    }
}
