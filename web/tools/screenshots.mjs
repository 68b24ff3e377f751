// Screenshots of the page in Chromium, headless, driven over the DevTools
// protocol on a pipe (no npm package needed): the settings view, the exercise
// with a syllable and with the pause picture, at a Chromebook's, a board's and
// an iPad's size; a phone held sideways with the buttons' tap areas outlined;
// and, given the site's folder, the page opened as a file. Also prints every
// console message and CSP report it saw.
//
//   node tools/screenshots.mjs URL OUT_DIR [SITE_DIR]

import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

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
        writeFileSync(join(outDir, name), Buffer.from(data, 'base64'));
        console.log(`${name}: ${width} x ${height}`);
    };
    return { call, evaluate, waitFor, shoot, close: () => send('Target.closeTarget', { targetId }) };
}

const settingsShown = `!document.getElementById('frm_hoofd').hidden`;
const syllableShown = `!document.querySelector('#frm_werk [data-control=txt_string]').hidden`;
const pictureShown = `!document.querySelector('#frm_werk [data-control=Picture1]').hidden`;
const clickStart = `document.querySelector('#frm_hoofd [data-control=cmd_start]').click()`;

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
        await file.waitFor(`(() => { const e = document.getElementById('needs-server');
            return !!e && getComputedStyle(e).visibility === 'visible'; })()`);
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
