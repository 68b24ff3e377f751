// Screenshots of the page in Chromium, headless, driven over the DevTools
// protocol on a pipe (no npm package needed): the settings view, the exercise
// with a syllable and with the pause picture, at a Chromebook's, a board's and
// an iPad's size; the board at each letter size, with the syllable's ink
// height, one syllable in the window's letters and in the school letters, and
// the teacher's pause; a syllable of "sch" at the largest size on a Chromebook and in a
// small window; a phone held sideways with the buttons' tap areas outlined;
// and, given the site's folder, the page opened as a file. Also prints every
// console message and CSP report it saw.
//
//   node tools/screenshots.mjs URL OUT_DIR [SITE_DIR]

import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { inkHeight } from './png_ink.mjs';

const [url, outDir, siteDir] = process.argv.slice(2);
if (!url || !outDir) {
    console.error('usage: screenshots.mjs URL OUT_DIR [SITE_DIR]');
    process.exit(2);
}

const profile = mkdtempSync(join(tmpdir(), 'klankflits-shots-'));
const browser = spawn(
    process.env.CHROMIUM ?? 'chromium',
    ['--headless=new', '--no-sandbox', '--remote-debugging-pipe', '--hide-scrollbars',
     '--no-first-run', '--disable-gpu', '--lang=nl-NL', `--user-data-dir=${profile}`,
     '--window-size=1366,768', 'about:blank'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] },
);
const toBrowser = browser.stdio[3];
const fromBrowser = browser.stdio[4];

let nextId = 1;
const waiting = new Map();
const listeners = [];
let buffered = '';
fromBrowser.on('data', (chunk) => {
    buffered += chunk.toString('utf8');
    let end;
    while ((end = buffered.indexOf('\0')) >= 0) {
        const message = JSON.parse(buffered.slice(0, end));
        buffered = buffered.slice(end + 1);
        if (message.id && waiting.has(message.id)) {
            const { resolve, reject } = waiting.get(message.id);
            waiting.delete(message.id);
            if (message.error) reject(new Error(JSON.stringify(message.error)));
            else resolve(message.result);
        } else if (message.method) {
            for (const listener of listeners) listener(message);
        }
    }
});

function send(method, params = {}, sessionId = undefined) {
    const id = nextId++;
    toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    return new Promise((resolve, reject) => waiting.set(id, { resolve, reject }));
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const seen = [];

async function openPage(width, height, deviceScaleFactor = 1) {
    const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
    const call = (method, params) => send(method, params, sessionId);
    listeners.push((message) => {
        if (message.sessionId !== sessionId) return;
        if (message.method === 'Runtime.consoleAPICalled')
            seen.push(`console.${message.params.type}: ${message.params.args.map((a) => a.value ?? a.description).join(' ')}`);
        if (message.method === 'Runtime.exceptionThrown')
            seen.push(`exception: ${message.params.exceptionDetails.exception?.description ?? message.params.exceptionDetails.text}`);
        if (message.method === 'Log.entryAdded')
            seen.push(`log ${message.params.entry.level} (${message.params.entry.source}): ${message.params.entry.text}`);
    });
    await call('Runtime.enable');
    await call('Log.enable');
    await call('Page.enable');
    await call('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor, mobile: false });
    // A Dutch browser: navigator.language and Intl.
    const { userAgent } = await send('Browser.getVersion');
    await call('Emulation.setUserAgentOverride', { userAgent, acceptLanguage: 'nl-NL,nl' });
    await call('Emulation.setLocaleOverride', { locale: 'nl-NL' });
    const evaluate = async (expression) =>
        (await call('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true })).result.value;
    const waitFor = async (expression, timeoutMs = 20000) => {
        const until = Date.now() + timeoutMs;
        while (!(await evaluate(expression))) {
            if (Date.now() > until) throw new Error(`timed out waiting for ${expression}`);
            await sleep(20);
        }
    };
    const shoot = async (name) => {
        const { data } = await call('Page.captureScreenshot', { format: 'png' });
        const png = Buffer.from(data, 'base64');
        writeFileSync(join(outDir, name), png);
        console.log(`${name}: ${width} x ${height}`);
        return png;
    };
    const key = async (text) => {
        for (const type of ['keyDown', 'keyUp']) await call('Input.dispatchKeyEvent', { type, key: text, text });
    };
    return { call, evaluate, waitFor, shoot, key, close: () => send('Target.closeTarget', { targetId }) };
}

const settingsShown = `!document.getElementById('frm_hoofd').hidden`;
const syllableShown = `!document.querySelector('#frm_werk [data-control=txt_string]').hidden`;
const pictureShown = `!document.querySelector('#frm_werk [data-control=Picture1]').hidden`;
const clickStart = `document.querySelector('#frm_hoofd [data-control=cmd_start]').click()`;
const exerciseShown = `!document.getElementById('frm_werk').hidden`;
const syllable = `document.querySelector('#frm_werk [data-control=txt_string]')`;
// Counts the syllable's changes, so that a shot that showed one syllable all along can be told.
const watchSyllable = `window.__syllableChanges = 0; new MutationObserver(() => window.__syllableChanges++)
    .observe(${syllable}, { attributes: true, attributeFilter: ['hidden'], childList: true, characterData: true, subtree: true })`;

// Waits for a syllable that `wanted` (an expression of s) holds, and shoots it
// while it stays up; answers the shot, the syllable and its box.
async function shootSyllable(page, name, wanted) {
    for (;;) {
        await page.waitFor(`${syllableShown} && ((s) => ${wanted})(${syllable}.textContent)`, 120000);
        const [changes, text, box] = await page.evaluate(`(() => { const b = ${syllable}.getBoundingClientRect();
            return [window.__syllableChanges, ${syllable}.textContent, [b.left, b.top, b.width, b.height]]; })()`);
        const png = await page.shoot(name);
        if ((await page.evaluate('window.__syllableChanges')) === changes) return { png, text, box };
    }
}

try {
    await send('Target.setDiscoverTargets', { discover: false });
    for (const [width, height, name, what] of [
        [1366, 768, 'web-chromebook-1366x768', 'all'],
        [1920, 1080, 'web-board-1920x1080', 'exercise'],
        [1180, 820, 'web-ipad-1180x820', 'all'],
    ]) {
        const page = await openPage(width, height);
        // The iPad is a touch screen: the page offers its full-screen button.
        if (name.includes('ipad'))
            await page.call('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
        // A short interval, so that a whole series and its pause pass quickly.
        await page.call('Page.navigate', { url: `${url}?interval=400&versnelling=100` });
        await page.waitFor(settingsShown);
        await sleep(300);
        if (what === 'all') await page.shoot(`${name}-settings.png`);
        if (name.includes('chromebook')) {
            // The message for text that is not a number.
            await page.evaluate(`document.querySelector('#frm_hoofd [data-control=txt_start]').value = 'tien'`);
            await page.evaluate(clickStart);
            await page.waitFor(`document.getElementById('message').open`);
            await sleep(200);
            await page.shoot(`${name}-message.png`);
            await page.evaluate(`document.querySelector('[data-role=message-ok]').click()`);
            await page.evaluate(`document.querySelector('#frm_hoofd [data-control=txt_start]').value = '400'`);
        }
        await page.evaluate(clickStart);
        await page.waitFor(syllableShown);
        await sleep(100);
        await page.shoot(`${name}-syllable.png`);
        await page.waitFor(pictureShown, 15000);
        await sleep(200);
        await page.shoot(`${name}-pause.png`);
        if (name.includes('ipad')) {
            // A+ three times: the largest letter size.
            for (let i = 0; i < 3; i++) await page.evaluate(`document.querySelector('#letter-size [data-by="1"]').click()`);
            await page.waitFor(syllableShown, 15000);
            await sleep(100);
            await page.shoot(`${name}-step4-syllable.png`);
        }
        await page.close();
    }

    // The board at full screen at each letter size, + from one to the next: a syllable with a
    // letter above the line and one below it, its ink measured, and the pause.
    const board = await openPage(1920, 1080);
    await board.call('Page.navigate', { url: `${url}?interval=1000&versnelling=100` });
    await board.waitFor(settingsShown);
    const full = await board.call('Runtime.evaluate', { expression: `document.documentElement.requestFullscreen()
        .then(() => true, () => false)`, userGesture: true, awaitPromise: true, returnByValue: true });
    console.log(`board: full screen ${full.result.value ? 'on' : 'refused'} at 1920 x 1080`);
    await board.evaluate(clickStart);
    await board.waitFor(exerciseShown);
    await board.evaluate(watchSyllable);
    const inks = [];
    for (let step = 1; step <= 4; step++) {
        if (step > 1) await board.key('+');
        const shot = await shootSyllable(board, `web-board-1920x1080-step${step}-syllable.png`,
            '/[bdfhkl]/.test(s) && /[gjpqy]/.test(s)');
        inks.push(`step ${step} "${shot.text}" ${inkHeight(shot.png, shot.box)} px`);
        await board.waitFor(pictureShown, 20000);
        await sleep(200);
        await board.shoot(`web-board-1920x1080-step${step}-pause.png`);
    }
    console.log(`ink height of the syllable at 1920 x 1080: ${inks.join(', ')}`);

    // At step 4 one syllable with an a or a g in the window's letters, then the same syllable in
    // the school letters (L): the next syllable shown in them is given that text for the shot.
    const same = await shootSyllable(board, 'web-board-1920x1080-window-letters.png', '/[ag]/.test(s)');
    await board.key('l');
    await board.waitFor(`getComputedStyle(${syllable}).fontFamily.replace(/"/g, '').startsWith('Andika,')`);
    for (;;) {
        await board.waitFor(syllableShown, 20000);
        const changes = await board.evaluate(`(async () => {
            ${syllable}.textContent = ${JSON.stringify(same.text)};
            await new Promise((done) => setTimeout(done, 0)); // its own change counted
            return window.__syllableChanges; })()`);
        await board.shoot('web-board-1920x1080-school-letters.png');
        if ((await board.evaluate('window.__syllableChanges')) === changes) break;
    }
    console.log(`the same syllable in both letters at step 4: "${same.text}"`);
    // The teacher's pause (P): its sign in the syllable's place, the read-outs kept.
    await board.waitFor(syllableShown, 20000);
    await board.key('p');
    await board.waitFor(`!document.querySelector('#frm_werk .paused-sign').hidden`);
    await sleep(200);
    await board.shoot('web-board-1920x1080-paused.png');
    await board.key('p');
    await board.close();

    // The widest cluster at the largest size, on a Chromebook and in a small window.
    for (const [width, height, name] of [[1366, 768, 'web-chromebook-1366x768'], [700, 500, 'web-window-700x500']]) {
        const page = await openPage(width, height);
        await page.call('Page.navigate', { url: `${url}?interval=1000&lettergrootte=4` });
        await page.waitFor(settingsShown);
        await page.evaluate(clickStart);
        await page.waitFor(exerciseShown);
        await page.evaluate(watchSyllable);
        await shootSyllable(page, `${name}-step4-sch.png`, "s.startsWith('sch')");
        await page.close();
    }

    // A phone held sideways, each button's tap area outlined in this browser only.
    const phone = await openPage(667, 375, 2);
    await phone.call('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    await phone.call('Page.navigate', { url: `${url}?interval=2000` });
    await phone.waitFor(settingsShown);
    await phone.evaluate(clickStart);
    await phone.waitFor(syllableShown);
    await phone.evaluate(`{
        const outline = new CSSStyleSheet();
        outline.replaceSync('.window > button::after { outline: 2px solid #d00000; background: rgba(208, 0, 0, 0.12); }');
        document.adoptedStyleSheets = [...document.adoptedStyleSheets, outline];
    }`);
    await sleep(100);
    await phone.shoot('web-phone-667x375-tap-areas.png');
    await phone.close();

    // The page opened as a file, where Chromium does not run its script.
    if (siteDir) {
        const file = await openPage(1366, 768);
        await file.call('Page.navigate', { url: pathToFileURL(join(siteDir, 'index.html')).href });
        // Once laid out and shown (after its style sheet and its delay): on top at its middle.
        await file.waitFor(`(() => { const e = document.getElementById('needs-server');
            if (!e || document.readyState !== 'complete' || getComputedStyle(e).visibility !== 'visible') return false;
            const r = e.getBoundingClientRect();
            return e.contains(document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2)); })()`);
        await file.evaluate('new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)))');
        await file.shoot('web-opened-as-file.png');
        await file.close();
    }
} catch (error) {
    console.error(error.message);
    process.exitCode = 1;
} finally {
    console.log(seen.length ? seen.join('\n') : 'console: nothing');
    const gone = new Promise((done) => browser.once('exit', done));
    browser.kill();
    await gone;
    rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
}
