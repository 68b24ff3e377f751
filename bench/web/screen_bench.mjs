// The page's pace as the screen shows it, against the limit of the set-up:
//   node bench/web/screen_bench.mjs SITE_DIR [--runs 5] [--intervals 400,2000]
//        [--steps 125] [--browsers chromium,firefox] [--asleep] [--words] [--page-awake] [--no-trace]
// on an X display a pixel larger than 1016 x 734 (scripts/web bench starts such an
// Xvfb: Chromium in kiosk mode without a window manager leaves the screen's last
// row and column free), so that the page is 1016 x 734 from the screen's corner.
// A browser with a window, in kiosk mode, fills the screen with the exercise
// (speed step 0, so every step has the same length); bench/web/screen_sampler.py
// reads the middle of the screen from outside the browser and times every
// change of syllable, empty and picture. In the same run, taking turns with the
// page, a reference page of the bench's own that only counts frames flips the
// same place every N frames (N frames = one step at the interval): what frame
// counting in the browser gets on this screen. For each: the steps a whole frame
// or more off their nominal length, the step errors, and the frames asked for
// per second. Then where a step lost its frame: the steps as the page decided
// them (the times of the frames that made the changes) against what the screen
// showed, the changes shown half a frame or more later than the run's usual,
// and for those the frame's course in the browser (from the frame's time to its
// callback, the callback, the rest of its rendering); with the share of the
// machine its host took meanwhile, and the steps off that came while it took
// the processors (steal, which the sampler reads every 10 ms). --page-awake
// runs the page once more with its sleeps cut to nothing, asking for every frame.

import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createInterface } from 'node:readline';
import { fileURLToPath } from 'node:url';
import { startBrowser } from '../../web/tests/support/browsers.mjs';
import { EXERCISE, TWIPS_PER_PX } from '../../web/tests/support/contract.mjs';
import { LONG_PAUSE_MS, SHORT_PAUSE_MS, stepMs } from '../../web/tests/support/pace.mjs';
import { Page } from '../../web/tests/support/page.mjs';
import { SiteServer } from '../../web/tests/support/site_server.mjs';

const args = process.argv.slice(2);
const site = args.find((a) => !a.startsWith('--') && !/^[\d.,a-z]+$/.test(a)) ?? 'build-web/site';
const option = (name, fallback) => {
    const i = args.indexOf(name);
    return i >= 0 ? args[i + 1] : fallback;
};
const runs = Number(option('--runs', '5'));
const steps = Number(option('--steps', '125'));
const intervals = option('--intervals', '400,2000').split(',').map(Number);
const browsers = option('--browsers', 'chromium').split(',');
// A third page: frame counting that sleeps between flips as the page does (4 frames and 30 ms ahead).
const asleep = args.includes('--asleep');
// Another: frame counting that puts a new word into the hidden middle before each showing, as the page does.
const words = args.includes('--words');
// The page once more, kept awake: its sleeps between changes cut to nothing, so
// that it asks for every frame (whether sleeping is what costs a frame).
const awake = args.includes('--page-awake');
// Without the trace of the page's frame callbacks (it posts a task after each).
const untraced = args.includes('--no-trace');
const WORDS = ['blaa', 'schui', 'knee', 'stro', 'vlie', 'gruu', 'spoe', 'draa', 'klui', 'snee', 'prie', 'zwau'];
const SAMPLER = fileURLToPath(new URL('./screen_sampler.py', import.meta.url));
const WIDTH = 1016;
const HEIGHT = 734;

// The middle of the exercise view on the screen: the syllable's and the picture's
// rectangles together, and a row that only the picture reaches.
function middle() {
    const rect = (name) => EXERCISE.controls.find((c) => c.name === name).rect.map((v) => Math.round(v / TWIPS_PER_PX));
    const [tx, ty, tw, th] = rect('txt_string');
    const [px, py, pw, ph] = rect('Picture1');
    const x = Math.min(tx, px), y = Math.min(ty, py);
    const area = [x, y, Math.max(tx + tw, px + pw) - x, Math.max(ty + th, py + ph) - y];
    const strip = py < ty ? [px + 2, py + Math.floor((ty - py) / 2), pw - 4] : [px + 2, ty + th + 1, pw - 4];
    return { area, strip, text: [tx, ty, tw, th] };
}

// The reference: a page that flips the middle every N frames it counts, and nothing else.
function referenceSite() {
    const dir = mkdtempSync(join(tmpdir(), 'klankflits-frames-'));
    const [x, y, w, h] = middle().text;
    writeFileSync(join(dir, 'index.html'), `<!doctype html>
<html lang="nl"><head><meta charset="utf-8"><title>frames</title>
<link rel="stylesheet" href="frames.css"><script src="frames.js" defer></script></head>
<body><div id="mid" hidden>plak</div></body></html>
`);
    writeFileSync(join(dir, 'frames.css'), `html, body { margin: 0; width: 100%; height: 100%; overflow: hidden; background: #c0c0c0; }
#mid { position: absolute; left: ${x}px; top: ${y}px; width: ${w}px; height: ${h}px; background: #fff;
       font: bold 32px sans-serif; display: flex; align-items: center; justify-content: center; }
#mid[hidden] { display: none; }
`);
    writeFileSync(join(dir, 'frames.js'), `'use strict';
window.__flips = [];
window.flipEvery = (every, flips, words = []) => {
    const mid = document.getElementById('mid');
    let frame = 0;
    let shown = 0;
    const step = (time) => {
        frame += 1;
        if (frame % every === 0) {
            window.__flips.push(time);
            // With words, a new one goes in while hidden, as the page's syllable does.
            if (!mid.hidden && words.length) mid.textContent = words[shown++ % words.length];
            mid.hidden = !mid.hidden;
            if (frame / every >= flips) return;
        }
        requestAnimationFrame(step);
    };
    requestAnimationFrame(step);
};
// Frame counting that sleeps as the page does: asks for frames again only
// lead ms before each flip, and flips on the frame nearest its time.
window.flipAsleep = (stepMs, flips, leadMs, period) => {
    const mid = document.getElementById('mid');
    let due = null;
    let count = 0;
    const frame = (time) => {
        if (due === null) due = time + stepMs;
        if (time < due - period / 2) return requestAnimationFrame(frame);
        window.__flips.push(time);
        mid.hidden = !mid.hidden;
        if (++count >= flips) return;
        due += stepMs;
        setTimeout(() => requestAnimationFrame(frame), due - leadMs - performance.now());
    };
    requestAnimationFrame(frame);
};
`);
    return dir;
}

// The sampler, started and ready; its changes as {t, kind}.
async function startSampler() {
    const { area, strip } = middle();
    const child = spawn('python3', [SAMPLER, ...area, ...strip], { stdio: ['pipe', 'pipe', 'inherit'] });
    const changes = [];
    const steals = [];
    let sampleMs = null;
    const lines = createInterface({ input: child.stdout });
    await new Promise((ok, fail) => {
        child.once('exit', (code) => fail(new Error(`screen_sampler.py exited (${code})`)));
        lines.on('line', (line) => {
            const [a, b, c] = line.split(' ');
            if (a === 'ready') {
                sampleMs = Number(b);
                ok();
            } else if (b === 'steal') steals.push({ t: Number(a), ms: Number(c) });
            else changes.push({ t: Number(a), kind: b });
        });
    });
    return {
        changes,
        steals,
        sampleMs,
        stop: () => new Promise((ok) => {
            child.removeAllListeners('exit');
            child.once('exit', ok);
            child.stdin.end();
        }),
    };
}

async function waitFor(what, check, ms) {
    const until = Date.now() + ms;
    while (!check()) {
        if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
        await new Promise((ok) => setTimeout(ok, 50));
    }
}

const percentile = (xs, p) => {
    const s = [...xs].sort((a, b) => a - b);
    return s.length ? s[Math.min(s.length - 1, Math.ceil(p * s.length) - 1)] : NaN;
};

// The changes from the first syllable on the empty middle: before it, the sampler's
// first look and, for the page, the settings view going.
function fromFirstSyllable(changes) {
    const empty = changes.findIndex((c) => c.kind === 'empty');
    const first = changes.findIndex((c, i) => i > empty && c.kind === 'syllable');
    return empty < 0 || first < 0 ? [] : changes.slice(first);
}

// Steps from the times of their changes (and what each showed, if known), each against the
// nearest of its nominal lengths.
// With the host's steal, the steps off are also counted where it took the processors
// during the step's changes (from two frames before one to its showing).
function judgeSteps(times, kinds, nominals, period, steals = null) {
    const errors = [];
    const wide = []; // the steps half a frame or more off, for the report
    let offHost = 0;
    let withHost = 0;
    const hostAt = times.map((t) =>
        steals ? steals.filter((s) => s.t > t - 2 * period && s.t <= t + 1).reduce((a, s) => a + s.ms, 0) : 0);
    for (let i = 0; i + 1 < times.length && i < steps; i++) {
        const length = times[i + 1] - times[i];
        const nominal = nominals.reduce((a, b) => (Math.abs(b - length) < Math.abs(a - length) ? b : a));
        const error = Math.abs(length - nominal);
        const host = hostAt[i] + hostAt[i + 1];
        errors.push(error);
        if (host > 0) withHost++;
        if (error >= period && host > 0) offHost++;
        if (error >= period / 2)
            wide.push(`step ${i} ${kinds ? `${kinds[i]} ` : ''}${length.toFixed(1)} for ${nominal.toFixed(0)}${host ? ` (host ${host} ms)` : ''}`);
    }
    return {
        steps: errors.length,
        off: errors.filter((e) => e >= period).length,
        offHost,
        withHost,
        p50: percentile(errors, 0.5),
        p99: percentile(errors, 0.99),
        max: Math.max(...errors),
        wide,
    };
}

// The steps seen on the screen.
function judge(changes, steals, nominals, period) {
    const seen = fromFirstSyllable(changes).slice(0, steps + 1);
    const pictures = seen.slice(0, -1).filter((c) => c.kind === 'picture').length;
    return { ...judgeSteps(seen.map((c) => c.t), seen.map((c) => c.kind), nominals, period, steals), pictures };
}

// From each change's frame to the screen showing it, against the run's median.
function lateness(screen, decided) {
    const n = Math.min(screen.length, decided.length, steps + 1);
    const lat = Array.from({ length: n }, (_, i) => screen[i] - decided[i]);
    const mid = percentile(lat, 0.5);
    return lat.map((l) => l - mid);
}

// The changes shown half a frame or more later or sooner than usual.
const latencies = (late, period) =>
    late.map((d, i) => [i, d]).filter(([, d]) => Math.abs(d) >= period / 2).map(([i, d]) => `${i}:${d > 0 ? '+' : ''}${d.toFixed(1)}`);

// How the frames that made the changes went in the browser: from the frame's time to its
// callback (start), the callback itself (work) and the rest of the frame's rendering (render),
// and for the changes shown half a frame or more late, each with the frames asked for before it.
function traced(frames, late, decided, period) {
    const rows = [];
    for (let i = 0; i < late.length; i++) {
        const mine = frames.filter((f) => f[0] === decided[i]);
        if (!mine.length) continue;
        const last = mine.at(-1);
        rows.push({ i, late: late[i], start: mine[0][1] - mine[0][0], work: mine.reduce((a, f) => a + f[2] - f[1], 0),
            render: last[3] === undefined ? NaN : last[3] - last[2],
            before: frames.filter((f) => f[0] < decided[i] && f[0] > decided[i] - 150).length });
    }
    const spread = (k) => [0.5, 0.9, 1].map((p) => percentile(rows.map((r) => r[k]), p).toFixed(1)).join('/');
    const shownLate = rows.filter((r) => r.late >= period / 2)
        .map((r) => `${r.i}:+${r.late.toFixed(1)} start ${r.start.toFixed(1)} render ${r.render.toFixed(1)} after ${r.before}`);
    return `change frames (p50/p90/max ms): start ${spread('start')}, work ${spread('work')}, render ${spread('render')}; ` +
        `late: ${shownLate.join(' | ') || 'none'}`;
}

// The share of the machine's time its host took (steal), from /proc/stat.
function cpuTimes() {
    try {
        const f = readFileSync('/proc/stat', 'utf8').split('\n')[0].trim().split(/\s+/).slice(1).map(Number);
        return { total: f.reduce((a, b) => a + b, 0), steal: f[7] ?? 0 };
    } catch {
        return null;
    }
}
const stealShare = (from, to) => (from && to && to.total > from.total ? (100 * (to.steal - from.steal)) / (to.total - from.total) : NaN);

async function measure(page, kind, interval, period) {
    const cpuFrom = cpuTimes();
    const isPage = kind === 'page' || kind === 'awake';
    const step = stepMs(interval);
    const every = Math.round(step / period);
    const requestsFrom = await page.js('return window.__klankflitsProbe.frameRequests.length');
    const sampler = await startSampler();
    const t0 = await page.js('return performance.now()');
    await page.js('window.__klankflitsProbe.traceFrames = arguments[0]; window.__klankflitsProbe.frameTrace.length = 0', !untraced);
    if (kind === 'awake') await page.js('const wait = window.setTimeout; window.setTimeout = (f) => wait(f, 0)');
    if (isPage) await page.startExercise();
    else if (kind === 'asleep') await page.js('window.flipAsleep(arguments[0], arguments[1], arguments[2], arguments[3])', step, steps + 2, 4 * period + 30, period);
    else await page.js('window.flipEvery(arguments[0], arguments[1], arguments[2])', every, steps + 2, kind === 'words' ? WORDS : []);
    const series = Math.ceil(steps / 22);
    const nominalMs = steps * step + series * LONG_PAUSE_MS;
    try {
        await waitFor(`${steps} steps on the screen`, () => fromFirstSyllable(sampler.changes).length > steps,
            nominalMs * 1.5 + 20000);
    } finally {
        await sampler.stop();
    }
    const t1 = await page.js('return performance.now()');
    const decided = isPage
        ? await page.js(`const c = window.__klankflitsProbe.changes.filter((c) => c.now >= arguments[0] && c.kind === 'hidden' &&
              (c.control === 'txt_string' || c.control === 'Picture1'));
              const first = c.findIndex((x) => x.control === 'txt_string' && x.value === false);
              return first < 0 ? [] : [...new Set(c.slice(first).map((x) => x.t))];`, t0)
        : await page.js('return window.__flips.slice(-arguments[0])', steps + 2);
    const requests = (await page.js('return window.__klankflitsProbe.frameRequests')).slice(requestsFrom);
    const during = requests.filter((r) => r >= t0 && r <= t1).length;
    const nominals = isPage ? [step, SHORT_PAUSE_MS, LONG_PAUSE_MS] : kind === 'asleep' ? [step] : [every * period];
    const late = lateness(fromFirstSyllable(sampler.changes).map((c) => c.t), decided);
    const trace = untraced ? '' : traced(await page.js('return window.__klankflitsProbe.frameTrace'), late, decided, period);
    return { ...judge(sampler.changes, sampler.steals, nominals, period), trace, inPage: judgeSteps(decided, null, nominals, period),
        latency: latencies(late, period),
        perSecond: during / ((t1 - t0) / 1000), sampleMs: sampler.sampleMs, every, steal: stealShare(cpuFrom, cpuTimes()) };
}

// Where a page's steps went wide: on the screen, as it decided them, and its change frames.
function explain(name, r) {
    if (r.wide.length) console.log(`    ${name}, half a frame or more off: ${r.wide.join('; ')}`);
    console.log(detail(name, r));
}

const detail = (name, r) =>
    `    ${name}: in the page ${r.inPage.off} off${r.inPage.wide.length ? ` (${r.inPage.wide.join('; ')})` : ''}; ` +
    `shown late or soon: ${r.latency.join(' ') || 'none'}${r.trace ? `\n      ${r.trace}` : ''}`;

const fmt = (r) =>
    `${String(r.off).padStart(3)} of ${r.steps}${r.off ? ` (${r.offHost} with steal, as were ${r.withHost} of all)` : ''} (${r.pictures} pictures)  p50 ${r.p50.toFixed(1).padStart(5)}  p99 ${r.p99.toFixed(1).padStart(5)}  ` +
    `max ${r.max.toFixed(1).padStart(6)} ms  ${r.perSecond.toFixed(1).padStart(5)} frames/s  steal ${r.steal.toFixed(1)} %`;

async function bench(browserName) {
    const server = await new SiteServer(site).start();
    const refDir = referenceSite();
    const reference = await new SiteServer(refDir).start();
    const browser = await startBrowser(browserName, { kiosk: true, width: WIDTH, height: HEIGHT });
    const verdicts = [];
    try {
        const page = new Page(browser, server);
        await page.open();
        const [vw, vh, ow, oh, sx, sy] = await page.js('return [innerWidth, innerHeight, outerWidth, outerHeight, screenX, screenY]');
        if (vw !== WIDTH || vh !== HEIGHT || ow !== vw || oh !== vh || sx !== 0 || sy !== 0)
            throw new Error(`the page is ${vw}x${vh} in a window of ${ow}x${oh} at ${sx},${sy}, not ${WIDTH}x${HEIGHT} at 0,0`);
        await page.js('window.__klankflitsProbe.countFrames(2000)');
        await page.waitFor('two seconds of frames', () => page.js('return !window.__klankflitsProbe.frames.running'), 10000);
        const period = await page.js('return window.__klankflitsProbe.framePeriod()');
        console.log(`\n${browserName} in kiosk mode on the X screen ${WIDTH}x${HEIGHT}: frame period ${period.toFixed(3)} ms; ` +
            `${steps} steps a run, speed step 0; off = a whole frame (${period.toFixed(1)} ms) or more from nominal`);
        for (const interval of intervals) {
            const rows = { page: [], frames: [] };
            for (let run = 1; run <= runs; run++) {
                const openPage = () => page.open(`?interval=${interval}&versnelling=0`);
                const openReference = async () => {
                    await browser.driver.get(`${reference.origin}/`);
                    await page.waitFor('the reference page', () => page.js('return typeof window.flipEvery === "function"'), 10000);
                };
                // A further page, measured and reported on its own.
                const further = async (kind, caption, open) => {
                    await open();
                    const r = await measure(page, kind, interval, period);
                    console.log(`  interval ${interval} run ${run}  ${caption}: ${fmt(r)}`);
                    explain(kind, r);
                };
                await openPage();
                rows.page.push(await measure(page, 'page', interval, period));
                await openReference();
                rows.frames.push(await measure(page, 'frames', interval, period));
                if (awake) await further('awake', 'the page kept awake', openPage);
                if (words) await further('words', 'frame counting with a new word each showing', openReference);
                if (asleep) await further('asleep', 'frame counting asleep between flips', openReference);
                console.log(`  interval ${interval} run ${run}  page: ${fmt(rows.page.at(-1))}   ` +
                    `counting ${rows.frames.at(-1).every} frames: ${fmt(rows.frames.at(-1))}`);
                explain('page', rows.page.at(-1));
                explain('frame counting', rows.frames.at(-1));
            }
            const worst = (rs) => Math.max(...rs.map((r) => r.off));
            const median = (rs, k) => percentile(rs.map((r) => r[k]), 0.5);
            const sampleMs = Math.max(...rows.page.concat(rows.frames).map((r) => r.sampleMs));
            // Worse: more steps off in its worst run, or a step error beyond the other's by more than
            // the sampler can tell apart (one sample period and the time one sample takes).
            const worse = worst(rows.page) > worst(rows.frames) || median(rows.page, 'p99') > median(rows.frames, 'p99') + 1 + sampleMs;
            const sum = (rs, k) => rs.reduce((a, r) => a + r[k], 0);
            const line = `  interval ${interval}, ${runs} runs: steps off a run, page ${rows.page.map((r) => r.off).join(' ')} vs ` +
                `frame counting ${rows.frames.map((r) => r.off).join(' ')} (with steal: ${sum(rows.page, 'offHost')} vs ` +
                `${sum(rows.frames, 'offHost')}, as were ${sum(rows.page, 'withHost')} vs ${sum(rows.frames, 'withHost')} of all); median p99 ${median(rows.page, 'p99').toFixed(1)} vs ` +
                `${median(rows.frames, 'p99').toFixed(1)} ms; frames asked for ${median(rows.page, 'perSecond').toFixed(1)}/s vs ` +
                `${median(rows.frames, 'perSecond').toFixed(1)}/s: the page is ${worse ? 'WORSE than' : 'at'} the limit of the set-up`;
            console.log(line);
            verdicts.push(line);
        }
    } finally {
        await browser.quit();
        await server.stop();
        await reference.stop();
        rmSync(refDir, { recursive: true, force: true });
    }
    return verdicts;
}

console.log(`The page on the screen (XGetImage of the middle, about once a millisecond), ${site}`);
const all = [];
for (const name of browsers) {
    try {
        all.push(...(await bench(name)).map((v) => `${name}: ${v.trim()}`));
    } catch (e) {
        console.log(`\n${name}: not measured on the screen: ${e.message}`);
    }
}
console.log(`\n${all.join('\n')}`);
