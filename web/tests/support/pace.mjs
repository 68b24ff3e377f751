// The exercise's pace written out from its rules alone, for the page's tests and
// benchmarks: every 10 ms tick adds 10 ms to the time since the last step, and a
// step comes on the tick at which that passes half the interval (then 1 ms again);
// a step shows or hides the syllable, ten syllables a series, and the 21st step
// shows the pause picture: 3500 ms, 5500 ms after every third series, which also
// shortens the interval by the speed step (never below the speed step).

export const TICK_MS = 10;
export const SHORT_PAUSE_MS = 3500;
export const LONG_PAUSE_MS = 5500;
export const SYLLABLES_PER_SERIES = 10;

// The time from one step to the next: the k-th tick with 1 + 10 k > interval / 2.
export function stepMs(intervalMs) {
    let k = 1;
    while (1 + TICK_MS * k <= intervalMs / 2) k += 1;
    return k * TICK_MS;
}

// The first `count` changes from the first syllable on: when (ms after it), what
// shows from then ('syllable', 'picture' or 'nothing') and, with a syllable, the
// read-outs Label1 (the interval) and Label3 (the series).
export function nominalChanges(intervalMs, speedStepMs, count) {
    const changes = [];
    let [t, interval, series] = [0, intervalMs, 1];
    while (changes.length < count) {
        const step = stepMs(interval);
        for (let i = 0; i < SYLLABLES_PER_SERIES; i++) {
            changes.push({ t, what: 'syllable', label1: String(interval), label3: String(series) });
            changes.push({ t: t + step, what: 'nothing' });
            t += 2 * step;
        }
        changes.push({ t, what: 'picture' });
        t += series === 3 ? LONG_PAUSE_MS : SHORT_PAUSE_MS;
        if (series === 3) interval = Math.max(interval - speedStepMs, speedStepMs);
        series = series === 3 ? 1 : series + 1;
        changes.push({ t, what: 'nothing' });
        t += stepMs(interval);
    }
    return changes.slice(0, count);
}

// Each change's time as the learner may see it after the changes seen before it
// (`seen[j].t`, on the clock), with the time line starting at t0: a syllable stays
// up for its whole exposure; a hidden half ends on the time line, but no sooner
// than half its length after a late change (a pause: 90 %), so a stall is made up
// over the next few hidden halves and pauses, and then the time line holds.
export function dueTimes(nominal, seen, t0) {
    const shortest = { syllable: 1, nothing: 0.5, picture: 0.9 };
    return nominal.map((n, i) => {
        const onLine = t0 + n.t;
        if (i === 0) return onLine;
        const before = nominal[i - 1];
        const least = seen[i - 1].t + shortest[before.what] * (n.t - before.t);
        return before.what === 'syllable' ? least : Math.max(onLine, least);
    });
}
