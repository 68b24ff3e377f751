// The screen while the exercise runs: full screen (F11, the page's button on a
// touch screen, or the link's volledig-scherm=1) and kept awake, since the
// learner only watches.

export function fullScreenAvailable(): boolean {
    return document.fullscreenEnabled === true;
}

export function toggleFullScreen(): void {
    if (!fullScreenAvailable()) return;
    if (document.fullscreenElement) void document.exitFullscreen().catch(() => undefined);
    else void document.documentElement.requestFullscreen({ navigationUI: 'hide' }).catch(() => undefined);
}

// Full screen at the user's first tap or key: a page may ask for it only then.
export function fullScreenAtFirstGesture(): void {
    const go = (): void => {
        window.removeEventListener('pointerup', go, true);
        window.removeEventListener('keyup', go, true);
        if (fullScreenAvailable() && !document.fullscreenElement) toggleFullScreen();
    };
    window.addEventListener('pointerup', go, true);
    window.addEventListener('keyup', go, true);
}

// Screen Wake Lock where the browser has it. The browser lets the lock go when
// the page is hidden; it is taken again when the page shows.
export class ScreenAwake {
    private lock: WakeLockSentinel | null = null;
    private wanted = false;

    constructor() {
        document.addEventListener('visibilitychange', () => {
            if (this.wanted && document.visibilityState === 'visible') this.acquire();
        });
    }

    keep(): void {
        this.wanted = true;
        this.acquire();
    }

    release(): void {
        this.wanted = false;
        void this.lock?.release().catch(() => undefined);
        this.lock = null;
    }

    private acquire(): void {
        if (!('wakeLock' in navigator) || (this.lock && !this.lock.released)) return;
        navigator.wakeLock.request('screen').then(
            (lock) => {
                if (this.wanted) this.lock = lock;
                else void lock.release();
            },
            () => undefined, // refused (no permission, battery saver): the screen may dim
        );
    }
}
