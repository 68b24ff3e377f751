// The program's calls of the module (program_binding.cpp). Names and fields
// are the C++ ones.

// The operations the engine performs on frm_werk's controls (ExerciseView).
export interface ExerciseView {
    setTxtStringCaption(syllable: string): void;
    setTxtStringVisible(visible: boolean): void;
    setPicture1Visible(visible: boolean): void;
    setLabel1Caption(text: string): void;
    setLabel3Caption(text: string): void;
}

// How the user's locale writes numbers (NumberSymbols).
export interface NumberSymbols {
    decimal_point: string;
    group_separator: string;
    negative_sign: string;
    positive_sign: string;
    zero_digit: string; // the locale's own digits start here (for the message's example)
}

// Start: both boxes read, or the first that could not be and what to tell.
export type StartOutcome = { ok: true } | { ok: false; box: string; message: string };

// The names of the speed buttons, as the description has them.
export type SpeedButton = 'Command1' | 'Command2';

// A box of the settings view that could not be read, and what to tell.
export interface BoxProblem {
    readonly box: string;
    readonly message: string;
}

// An own list as read by the core: its items, or the message naming the line
// (from 1; 0 for none).
export interface OwnListRead {
    readonly items: string[];
    readonly message: string;
    readonly line: number;
}

// The "#lijst=" value of a list box's text, empty with the message when the
// list cannot be read.
export interface ListLinkValue {
    readonly value: string;
    readonly message: string;
    readonly line: number;
}

export interface Program {
    txtStartText(): string;
    txtSpeedText(): string;
    start(txtStart: string, txtSpeed: string, symbols: NumberSymbols): StartOutcome;
    // These two answer how many milliseconds after the frame to ask for frames
    // again (0: the very next frame), NaN once the exercise has stopped.
    loadExercise(view: ExerciseView, frameMs: number): number;
    frame(frameMs: number, followsPrevious: boolean, clicks: string): number;
    // The teacher's pause, at a frame's time, before that frame's frame():
    // while paused frame() answers NaN; on resume the step under way starts
    // again at its beginning.
    pause(frameMs: number): void;
    resume(frameMs: number): void;
    paused(): boolean;
    endExercise(): void;
    fault(): string; // the words for the user, once a fault has stopped the exercise
    // Start's choice, before the numbers: the material's and the order's keys
    // and txt_list as typed (read for the own list only).
    choose(materialKey: string, orderKey: string, txtList: string): BoxProblem | null;
    exerciseTitle(): string; // "ZVK van " and the chosen material's name
    items(): string[]; // the chosen material's items
}

export interface ProgramBinding {
    Program: new () => Program;
    // What txt_list shows of a material: its items, one a line ("" for the
    // own list).
    itemsText(materialKey: string): string;
    // A text file's bytes as text (UTF-8, UTF-16 with a mark, Windows-1252).
    decodeTextFile(bytes: Uint8Array): string;
    // What the user is told of a file by that name that cannot be read.
    fileUnreadable(name: string): string;
    ownListFromLink(value: string): OwnListRead;
    listLinkValue(txtList: string): ListLinkValue;
}
