// The browsers under test: Debian's Chromium with chromedriver (headless),
// WebKitGTK's MiniBrowser with WebKitWebDriver (Safari's engine), which needs an
// X display: without one an Xvfb of its own is started, and Firefox ESR through
// its own WebDriver BiDi (headless). Each in the language a Dutch school's has.

import { spawn, spawnSync } from 'node:child_process';
import { existsSync, mkdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { Builder, Browser } from 'selenium-webdriver';
import chrome from 'selenium-webdriver/chrome.js';
import { FirefoxDriver } from './firefox_bidi.mjs';

const CHROMIUM = process.env.KLANKFLITS_CHROMIUM ?? '/usr/lib/chromium/chromium';
const CHROMEDRIVER = process.env.KLANKFLITS_CHROMEDRIVER ?? '/usr/bin/chromedriver';
const WEBKIT_DRIVER = process.env.KLANKFLITS_WEBKIT_DRIVER ?? '/usr/bin/WebKitWebDriver';
const MINIBROWSER =
    process.env.KLANKFLITS_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const FIREFOX = process.env.KLANKFLITS_FIREFOX ?? '/usr/lib/firefox-esr/firefox-esr';

export const BROWSERS = ['chromium', 'webkit', 'firefox'];
export const DUTCH = 'nl-NL';

export function browserMissing(name) {
    const files = { chromium: [CHROMIUM, CHROMEDRIVER], webkit: [WEBKIT_DRIVER, MINIBROWSER], firefox: [FIREFOX] }[name];
    const missing = files.filter((f) => !existsSync(f));
    return missing.length ? `not installed: ${missing.join(', ')}` : null;
}

async function freePort() {
    const { createServer } = await import('node:net');
    return new Promise((ok) => {
        const s = createServer().listen(0, '127.0.0.1', () => {
            const { port } = s.address();
            s.close(() => ok(port));
        });
    });
}

async function waitForHttp(url, ms) {
    const until = Date.now() + ms;
    for (;;) {
        try {
            const res = await fetch(url);
            if (res.ok) return;
        } catch {
            // not listening yet
        }
        if (Date.now() > until) throw new Error(`no answer from ${url}`);
        await sleep(100);
    }
}

// WebKitGTK takes its language from the C library's locale, which the machine
// may not have generated: then it is made here (localedef, from the locales
// package's sources) into a folder of its own, given to WebKit as LOCPATH.
function localeEnv(lang) {
    const name = `${lang.replace('-', '_')}.UTF-8`;
    const env = { LANG: name, LC_ALL: name, LANGUAGE: lang.replace('-', '_') };
    const installed = spawnSync('locale', ['-a'], { encoding: 'utf8' }).stdout ?? '';
    const want = name.toLowerCase().replace('utf-8', 'utf8');
    if (installed.split('\n').some((l) => l.trim().toLowerCase() === want)) return env;
    const dir = join(tmpdir(), 'klankflits-locales');
    if (!existsSync(join(dir, name, 'LC_CTYPE'))) {
        mkdirSync(dir, { recursive: true });
        const made = spawnSync('localedef', ['-i', lang.replace('-', '_'), '-f', 'UTF-8', join(dir, name)], { encoding: 'utf8' });
        if (made.status !== 0 && !existsSync(join(dir, name, 'LC_CTYPE')))
            throw new Error(`localedef could not make ${name}: ${made.stderr}`);
    }
    return { ...env, LOCPATH: dir };
}

// An X display for WebKit: the one set, or an Xvfb of our own.
async function ensureDisplay(cleanups) {
    if (process.env.DISPLAY) return process.env.DISPLAY;
    const display = `:${140 + Math.floor(Math.random() * 300)}`;
    const xvfb = spawn('Xvfb', [display, '-screen', '0', '1920x1080x24', '-nolisten', 'tcp'], {
        stdio: 'ignore',
    });
    cleanups.push(() => xvfb.kill());
    for (let i = 0; i < 50 && !existsSync(`/tmp/.X11-unix/X${display.slice(1)}`); i++) await sleep(100);
    return display;
}

// Starts a session; `lang` is the browser's language (navigator.language). `kiosk`:
// a browser with a window on the X display, filling the screen with the page alone.
// A browser that could not start (its driver made no session: "session not
// created", or no answer from WebKit's driver) is tried once more, and said so.
export async function startBrowser(name, options = {}) {
    for (let attempt = 1; ; attempt++) {
        const cleanups = [];
        try {
            return await startWith(cleanups, name, options);
        } catch (e) {
            for (const c of cleanups) c();
            const message = String(e?.message ?? e);
            if (attempt > 1 || !/session not created|no answer from/i.test(message)) throw e;
            console.error(`# ${name} did not start (${message.split('\n')[0]}); starting it once more`);
        }
    }
}

async function startWith(cleanups, name, { width = 1016, height = 734, lang = DUTCH, kiosk = false } = {}) {
    let driver;
    if (name === 'chromium') {
        const options = new chrome.Options()
            .setChromeBinaryPath(CHROMIUM)
            .addArguments(
                ...(kiosk ? ['--kiosk', '--window-position=0,0', '--test-type'] : ['--headless=new']),
                '--no-sandbox',
                '--disable-gpu',
                '--disable-dev-shm-usage',
                '--no-first-run',
                '--disable-background-timer-throttling',
                `--window-size=${width},${height}`,
                `--lang=${lang}`,
            )
            .setUserPreferences({ 'intl.accept_languages': lang });
        // On the screen, nothing of the browser's own above the page (its automation bar).
        if (kiosk) options.excludeSwitches('enable-automation');
        options.set('goog:loggingPrefs', { browser: 'ALL' });
        driver = await new Builder()
            .forBrowser(Browser.CHROME)
            .setChromeOptions(options)
            .setChromeService(new chrome.ServiceBuilder(CHROMEDRIVER))
            .build();
    } else if (name === 'webkit') {
        const display = await ensureDisplay(cleanups);
        const port = await freePort();
        const server = spawn(WEBKIT_DRIVER, [`--port=${port}`, '--host=127.0.0.1'], {
            stdio: 'ignore',
            env: { ...process.env, DISPLAY: display, ...localeEnv(lang) },
        });
        cleanups.unshift(() => server.kill());
        await waitForHttp(`http://127.0.0.1:${port}/status`, 15000);
        driver = await new Builder()
            .usingServer(`http://127.0.0.1:${port}`)
            .withCapabilities({
                browserName: 'MiniBrowser',
                'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] },
            })
            .build();
    } else if (name === 'firefox') {
        driver = await FirefoxDriver.start({ binary: FIREFOX, lang, width, height, headless: !kiosk, kiosk });
    } else {
        throw new Error(`unknown browser ${name}`);
    }
    return {
        name,
        driver,
        async quit() {
            try {
                await driver.quit();
            } finally {
                for (const c of cleanups) c();
            }
        },
        // The browser's own console log, where its driver offers one (Chromium, Firefox).
        async consoleErrors() {
            if (name === 'firefox') return driver.consoleErrors();
            if (name !== 'chromium') return [];
            const entries = await driver.manage().logs().get('browser');
            return entries.filter((e) => e.level.name === 'SEVERE').map((e) => e.message);
        },
    };
}

// Makes the page's viewport exactly width x height CSS px (BiDi sets it; a
// classic driver sets the window's size, which its page takes a moment to follow).
export async function setViewport(driver, width, height) {
    const viewport = () => driver.executeScript('return [innerWidth, innerHeight]');
    if (driver.setViewport) await driver.setViewport(width, height);
    for (let i = 0; i < 4; i++) {
        let [iw, ih] = await viewport();
        if (iw === width && ih === height) return;
        const rect = await driver.manage().window().getRect();
        const want = { width: rect.width + width - iw, height: rect.height + height - ih };
        await driver.manage().window().setRect(want);
        // Until the page has taken the new size, or the window would not take it.
        const until = Date.now() + 2000;
        while (Date.now() < until) {
            [iw, ih] = await viewport();
            if (iw === width && ih === height) return;
            const now = await driver.manage().window().getRect();
            if (now.width !== want.width || now.height !== want.height) break;
            await sleep(20);
        }
    }
    const [iw, ih] = await viewport();
    if (iw !== width || ih !== height) throw new Error(`viewport is ${iw}x${ih}, not ${width}x${height}`);
}
