// frm_werk's clock: the display's frames. The engine (through Program) decides
// which frame makes a change and when to start asking for frames again; this
// only asks for them, and sleeps in between.

import type { ExerciseViewCalls, Program } from './klankflits.js';

export type SpeedButton = 'Command1' | 'Command2';

export class ExerciseRun {
    private frameRequest = 0;
    private sleep = 0;
    // The frame asked for was asked for by the frame before it.
    private chained = false;
    private clicks: SpeedButton[] = [];
    private running = false;

    constructor(
        private readonly program: Program,
        private readonly onFault: (what: string) => void,
    ) {}

    // The exercise window loads in the next frame: `show` puts it on screen
    // and the engine's first syllable goes into the hidden txt_string.
    start(view: ExerciseViewCalls, intervalMs: number, speedStepMs: number, show: () => void): void {
        this.running = true;
        requestAnimationFrame((time) => {
            if (!this.running) return;
            show();
            this.program.startExercise(view, intervalMs, speedStepMs, time);
            if (this.faulted()) return;
            this.plan(time);
        });
    }

    // A speed button: its click takes its place among the ticks in the next frame.
    click(button: SpeedButton): void {
        if (!this.running) return;
        this.clicks.push(button);
        if (this.frameRequest === 0) {
            clearTimeout(this.sleep);
            this.ask(false);
        }
    }

    // Einde: nothing of the exercise runs again.
    stop(): void {
        this.running = false;
        cancelAnimationFrame(this.frameRequest);
        clearTimeout(this.sleep);
        this.frameRequest = 0;
        this.program.endExercise();
    }

    private readonly onFrame = (time: number): void => {
        this.frameRequest = 0;
        if (!this.running) return;
        this.program.frame(time, this.chained);
        for (const button of this.clicks.splice(0)) {
            if (button === 'Command1') this.program.command1Click(time);
            else this.program.command2Click(time);
        }
        if (this.faulted()) return;
        this.plan(time);
    };

    private plan(frameTime: number): void {
        const from = this.program.framesFromMs();
        if (Number.isNaN(from)) return; // neither timer runs: only a click wakes it
        if (from <= frameTime + this.program.framePeriodMs()) {
            this.ask(true);
            return;
        }
        this.sleep = window.setTimeout(() => this.ask(false), from - performance.now());
    }

    private ask(chained: boolean): void {
        this.chained = chained;
        this.frameRequest = requestAnimationFrame(this.onFrame);
    }

    private faulted(): boolean {
        const fault = this.program.fault();
        if (fault === '') return false;
        this.stop();
        this.onFault(fault);
        return true;
    }
}
