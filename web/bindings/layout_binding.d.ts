// The core's layout rules in the module (layout_binding.cpp). Places and
// sizes are in twips of a window at its own size.

export interface TwipsRect {
    readonly left: number;
    readonly top: number;
    readonly width: number;
    readonly height: number;
}

export interface TwipsSize {
    readonly width: number;
    readonly height: number;
}

// Where a layout's corner lies in the viewport and its scale.
export interface Fit {
    readonly factor: number;
    readonly left: number;
    readonly top: number;
}

// A read-out's place and its letter, a share of the window's.
export interface ReadOutFit {
    readonly place: TwipsRect;
    readonly letterScale: number;
}

// How a control is drawn at a letter size: the step that fits, its factor and
// the control's box.
export interface GrownControl {
    readonly step: number;
    readonly factor: number;
    readonly box: TwipsRect;
}

// What a key does in the exercise.
export type ExerciseKey = 'larger' | 'smaller' | 'letters' | 'pause' | '';

// A link's letter size: the step it asks for (a whole number past the steps is
// the nearest end; null for anything else), and for the console what was made
// of it (empty for "1" to "4").
export interface LinkLetterSize {
    readonly step: number | null;
    readonly note: string;
}

export interface LayoutBinding {
    fitAndCentre(width: number, height: number, clientWidth: number, clientHeight: number): Fit;
    // The widest of the items: widthPx(item) in CSS px of the layout at its
    // own size, measured by the page in the syllable's font.
    widestItem(
        items: readonly string[],
        widthPx: (item: string) => number,
        lineHeightPx: number,
    ): TwipsSize;
    grownSyllable(widestWidth: number, widestHeight: number, step: number): GrownControl;
    grownPausePicture(step: number): GrownControl;
    letterSizeStepped(step: number, by: number): number;
    letterSizeFromLink(value: string): LinkLetterSize;
    // typed: the character the key gives (KeyboardEvent.key).
    exerciseKey(typed: string, altOrMeta: boolean): ExerciseKey;
    // A link's letters=: "school", "window" ("gewoon"), "" for anything else.
    lettersNamed(text: string): 'school' | 'window' | '';
    // widthAt(scale): the figure's width in twips in the window's letter at
    // that scale, measured by the page.
    fitReadOut(label: 'Label1' | 'Label3', widthAt: (scale: number) => number): ReadOutFit;
}
