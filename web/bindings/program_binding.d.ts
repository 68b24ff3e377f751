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
}

export interface ProgramBinding {
    Program: new () => Program;
}
