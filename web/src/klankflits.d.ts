// The engine's WebAssembly module (web/bindings), as emscripten's glue exports it.

// The operations the engine performs on frm_werk's controls.
export interface ExerciseViewCalls {
    setTxtStringCaption(syllable: string): void;
    setTxtStringVisible(visible: boolean): void;
    setPicture1Visible(visible: boolean): void;
    setLabel1Caption(text: string): void;
    setLabel3Caption(text: string): void;
}

export interface NumberSymbols {
    decimal: string;
    group: string;
    minus: string;
    plus: string;
    zero: string; // the locale's own digits start here (for the message's example)
}

export interface BoxReading {
    ok: boolean;
    value: number;
    message: string;
}

export interface Program {
    intervalMs(): number;
    speedStepMs(): number;
    startExercise(view: ExerciseViewCalls, intervalMs: number, speedStepMs: number,
                  frameMs: number): void;
    endExercise(): void;
    frame(frameMs: number, followsPrevious: boolean): boolean;
    command1Click(frameMs: number): void;
    command2Click(frameMs: number): void;
    framesFromMs(): number;
    framePeriodMs(): number;
    fault(): string;
}

export interface KlankflitsModule {
    Program: {
        new (): Program;
        readBox(typed: string, prompt: string, symbols: NumberSymbols): BoxReading;
    };
}

declare const createKlankflits: () => Promise<KlankflitsModule>;
export default createKlankflits;
