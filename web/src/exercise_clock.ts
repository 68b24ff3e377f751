// frm_werk's clock: the display's frames. The core decides which frame makes a
// change and when to ask for frames again; this asks for them and sleeps in
// between, with one call into the module per frame.

import type { ExerciseView, Program, SpeedButton } from './engine.js';

export class ExerciseClock {
    private frameRequest = 0;
    private sleep = 0;
    // The frame asked for was asked for by the frame before it.
    private chained = false;
    private clicks: SpeedButton[] = [];
    private running = false;
    // The pause asked for (taken or ended in the next frame), and as taken.
    private pauseWanted = false;
    private pausedNow = false;

    constructor(
        private readonly program: Program,
        private readonly onFault: (message: string) => void,
    ) {}

    // The exercise window loads in the next frame: `show` puts it on screen
    // and the engine's first syllable goes into the hidden txt_string.
    start(view: ExerciseView, show: () => void): void {
        this.running = true;
        requestAnimationFrame((time) => {
            if (!this.running) return;
            show();
            this.plan(time, this.program.loadExercise(view, time));
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

    // The teacher's pause, or going on: taken or ended in the next frame. While
    // paused no frames are asked for, except for a click.
    togglePause(): boolean {
        if (!this.running) return this.pauseWanted;
        this.pauseWanted = !this.pauseWanted;
        if (this.frameRequest === 0) {
            clearTimeout(this.sleep);
            this.ask(false);
        }
        return this.pauseWanted;
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
        if (this.pauseWanted !== this.pausedNow) {
            if (this.pauseWanted) this.program.pause(time);
            else this.program.resume(time);
            this.pausedNow = this.pauseWanted;
        }
        const clicks = this.clicks.splice(0).join(' ');
        this.plan(time, this.program.frame(time, this.chained, clicks));
    };

    private plan(frameTime: number, sleepMs: number): void {
        if (Number.isNaN(sleepMs)) {
            const fault = this.program.fault();
            if (fault !== '') {
                this.stop();
                this.onFault(fault);
            }
            return; // neither timer runs: only a click wakes it
        }
        if (sleepMs === 0) {
            this.ask(true);
            return;
        }
        this.sleep = window.setTimeout(() => this.ask(false), frameTime + sleepMs - performance.now());
    }

    private ask(chained: boolean): void {
        this.chained = chained;
        this.frameRequest = requestAnimationFrame(this.onFrame);
    }
}
