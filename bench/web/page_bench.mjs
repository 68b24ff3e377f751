// The page's pace in Chromium (headless), measured on the display's frames:
//   node bench/web/page_bench.mjs SITE_DIR [--minutes N] [--intervals 200,2000] [--letter-size N]
//                                 [--burst N] [--material KEY]
// For each interval: the exposures and hidden halves as frame counts and how
// many are a whole frame or more off their nominal length, the pauses, the
// drift at the end, the frames the page asked for per second between changes
// and the CPU of the browser's renderer. Also the transfer size of a first
// visit (gzip) and the time from navigation to the settings view.

import { readFileSync, readdirSync } from 'node:fs';
import { setTimeout as sleep } from 'node:timers/promises';
import { startBrowser, setViewport } from '../../web/tests/support/browsers.mjs';
import { stepMs, SHORT_PAUSE_MS, LONG_PAUSE_MS } from '../../web/tests/support/pace.mjs';
import { Page, whatShows } from '../../web/tests/support/page.mjs';
import { PROBE_PATH, SiteServer } from '../../web/tests/support/site_server.mjs';

const args = process.argv.slice(2);
const site = args.find((a) => !a.startsWith('--') && !/^[\d.,]+$/.test(a)) ?? 'build-web/site';
const option = (name, fallback) => {
    const i = args.indexOf(name);
    return i >= 0 ? args[i + 1] : fallback;
};
const minutes = Number(option('--minutes', '10'));
const intervals = option('--intervals', '200,2000').split(',').map(Number);
// The letter size through the link (lettergrootte), as a teacher sets it for the board.
const letterSize = option('--letter-size', null);
const material = option('--material', null); // a material's key, as the link's oefenstof=
// N presses of + and - (and a key that does nothing) 1 s into the run, as fast as a page gets them.
const burst = Number(option('--burst', '0'));

const TICKS = 100; // USER_HZ on Linux

function rendererTicks() {
    let total = 0;
    for (const pid of readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
        try {
            const cmd = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
            if (!cmd.includes('--type=renderer') || cmd.includes('--extension-process')) continue;
            const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
            const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
            total += Number(fields[11]) + Number(fields[12]); // utime + stime
        } catch {
            // gone
        }
    }
    return total;
}

const pct = (n, d) => (d ? ((100 * n) / d).toFixed(2) : '0.00');
const summary = (xs) => {
    if (!xs.length) return 'none';
    const s = [...xs].sort((a, b) => a - b);
    return `min ${s[0]}, median ${s[Math.floor(s.length / 2)]}, max ${s[s.length - 1]}`;
};

async function firstVisit() {
    const server = await new SiteServer(site, { gzip: true }).start();
    const browser = await startBrowser('chromium');
    try {
        const page = new Page(browser, server);
        await page.open();
        await page.driver.manage().setTimeouts({ script: 15000 });
        await page.driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
            setTimeout(done, 10000); navigator.serviceWorker && navigator.serviceWorker.ready.then(() => setTimeout(done, 1000));`);
        const shown = await page.js(`const c = window.__klankflitsProbe.changes.find((c) => c.view === 'frm_hoofd' && !c.control && c.value === false);
            return c ? c.now : null`);
        const files = server.requests.filter((r) => r.path !== PROBE_PATH && r.status === 200);
        const bytes = files.reduce((a, r) => a + r.bytes, 0);
        console.log(`first visit: ${files.length} requests (the service worker's copies included), ${(bytes / 1024).toFixed(1)} KiB gzip`);
        console.log(`navigation to the settings view: ${shown === null ? 'not seen' : `${shown.toFixed(0)} ms`}`);
    } finally {
        await browser.quit();
        await server.stop();
    }
}

async function pace(interval) {
    const server = await new SiteServer(site).start();
    const browser = await startBrowser('chromium');
    try {
        const page = new Page(browser, server);
        await setViewport(browser.driver, 1016, 734);
        await page.open(`?interval=${interval}${letterSize === null ? '' : `&lettergrootte=${letterSize}`}` +
            `${material === null ? '' : `&oefenstof=${encodeURIComponent(material)}`}`);
        await page.js('window.__klankflitsProbe.countFrames(2000)');
        await sleep(2200);
        const period = await page.js('return window.__klankflitsProbe.framePeriod()');
        const from = (await page.changes()).length;
        const requestsFrom = await page.js('return window.__klankflitsProbe.frameRequests.length');
        const cpu0 = rendererTicks();
        const wall0 = Date.now();
        await page.startExercise();
        if (burst > 0) {
            await sleep(1000);
            const { fonts } = await page.keyBurst(Array.from({ length: burst }, (_, k) => ['+', '-', '=', 'Shift'][k % 4]));
            console.log(`\n${burst} keys in ${fonts.length} tasks, 1 s into the run`);
        }
        await sleep(minutes * 60000);
        const cpu = (rendererTicks() - cpu0) / TICKS;
        const wall = (Date.now() - wall0) / 1000;
        const changes = (await page.changes(from)).filter((c) => c.view === 'frm_werk' && c.control);
        const requests = (await page.js('return window.__klankflitsProbe.frameRequests')).slice(requestsFrom);

        const { events } = whatShows(changes);
        const exposures = [], halves = [], pauses = [];
        let nominalTotal = 0;
        for (let i = 0; i + 1 < events.length; i++) {
            const e = events[i];
            const length = events[i + 1].t - e.t;
            let nominal;
            if (e.what === 'syllable') nominal = stepMs(Number(e.label1));
            else if (e.what === 'picture') nominal = events[i - 1]?.label3 === '3' ? LONG_PAUSE_MS : SHORT_PAUSE_MS;
            else nominal = stepMs(Number(events[i + 1].what === 'syllable' ? events[i + 1].label1 : events[i - 1].label1));
            nominalTotal += nominal;
            const row = { frames: Math.round(length / period), off: Math.abs(length - nominal) >= period, nominal };
            (e.what === 'syllable' ? exposures : e.what === 'picture' ? pauses : halves).push(row);
        }
        const drift = events.length > 1 ? events[events.length - 1].t - events[0].t - nominalTotal : 0;
        // Frame requests away from any change (more than two frames before one).
        const changeTimes = events.map((e) => e.now);
        let idle = 0, j = 0;
        for (const r of requests) {
            while (j < changeTimes.length && changeTimes[j] < r) j++;
            if (j >= changeTimes.length || changeTimes[j] - r > 2 * period) idle++;
        }
        const span = (requests.length ? requests[requests.length - 1] - requests[0] : 0) / 1000;
        console.log(`\ninterval ${interval}, ${minutes} min: frame period ${period.toFixed(3)} ms, ${events.length} changes`);
        const show = (name, rows) => {
            const byNominal = new Map();
            for (const r of rows) byNominal.set(r.nominal, [...(byNominal.get(r.nominal) ?? []), r.frames]);
            const parts = [...byNominal].map(([n, f]) => `${n} ms (${(n / period).toFixed(2)} frames): ${summary(f)}`);
            console.log(`  ${name}: ${rows.length}, ${rows.filter((r) => r.off).length} a whole frame or more off; ${parts.join('; ')}`);
        };
        show('exposures', exposures);
        show('hidden halves', halves);
        show('pauses', pauses);
        console.log(`  drift at the end: ${drift.toFixed(1)} ms over ${((events.at(-1)?.t - events[0]?.t) / 1000).toFixed(1)} s`);
        console.log(`  frames asked for: ${requests.length} (${(requests.length / Math.max(span, 1e-9)).toFixed(1)}/s), ` +
            `away from a change ${idle} (${(idle / Math.max(wall, 1e-9)).toFixed(2)}/s)`);
        console.log(`  renderer CPU: ${cpu.toFixed(1)} s in ${wall.toFixed(0)} s (${pct(cpu, wall)} % of one core)`);
    } finally {
        await browser.quit();
        await server.stop();
    }
}

console.log(`Chromium headless, ${site}${letterSize === null ? '' : `, letter size ${letterSize}`}${material === null ? '' : `, material ${material}`}${burst ? `, a burst of ${burst} keys` : ''}`);
await firstVisit();
for (const interval of intervals) await pace(interval);
