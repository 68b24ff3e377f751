// The browsers under test, each through its own W3C WebDriver: Debian's
// Chromium with chromedriver (headless), and WebKitGTK's MiniBrowser with
// WebKitWebDriver (Safari's engine), which needs an X display: without one
// an Xvfb of its own is started.

import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { setTimeout as sleep } from 'node:timers/promises';
import { Builder, Browser } from 'selenium-webdriver';
import chrome from 'selenium-webdriver/chrome.js';

const CHROMIUM = process.env.KLANKFLITS_CHROMIUM ?? '/usr/lib/chromium/chromium';
const CHROMEDRIVER = process.env.KLANKFLITS_CHROMEDRIVER ?? '/usr/bin/chromedriver';
const WEBKIT_DRIVER = process.env.KLANKFLITS_WEBKIT_DRIVER ?? '/usr/bin/WebKitWebDriver';
const MINIBROWSER =
    process.env.KLANKFLITS_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

export const BROWSERS = ['chromium', 'webkit'];

export function browserMissing(name) {
    const files = name === 'chromium' ? [CHROMIUM, CHROMEDRIVER] : [WEBKIT_DRIVER, MINIBROWSER];
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

// Starts a session; `lang` is the browser's language (its locale for Intl).
export async function startBrowser(name, { width = 1016, height = 734, lang = 'en-US' } = {}) {
    const cleanups = [];
    let driver;
    if (name === 'chromium') {
        const options = new chrome.Options()
            .setChromeBinaryPath(CHROMIUM)
            .addArguments(
                '--headless=new',
                '--no-sandbox',
                '--disable-gpu',
                '--disable-dev-shm-usage',
                '--no-first-run',
                '--disable-background-timer-throttling',
                `--window-size=${width},${height}`,
                `--lang=${lang}`,
            )
            .setUserPreferences({ 'intl.accept_languages': lang });
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
            env: { ...process.env, DISPLAY: display, LANG: lang.replace('-', '_') + '.UTF-8', LANGUAGE: lang.replace('-', '_') },
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
        // The browser's own console log, where its driver offers one (Chromium).
        async consoleErrors() {
            if (name !== 'chromium') return [];
            const entries = await driver.manage().logs().get('browser');
            return entries.filter((e) => e.level.name === 'SEVERE').map((e) => e.message);
        },
    };
}

// Makes the page's viewport exactly width x height CSS px.
export async function setViewport(driver, width, height) {
    for (let i = 0; i < 4; i++) {
        const [iw, ih] = await driver.executeScript('return [innerWidth, innerHeight]');
        if (iw === width && ih === height) return;
        const rect = await driver.manage().window().getRect();
        await driver.manage().window().setRect({
            width: rect.width + width - iw,
            height: rect.height + height - ih,
        });
        await sleep(150);
    }
    const [iw, ih] = await driver.executeScript('return [innerWidth, innerHeight]');
    if (iw !== width || ih !== height) throw new Error(`viewport is ${iw}x${ih}, not ${width}x${height}`);
}
