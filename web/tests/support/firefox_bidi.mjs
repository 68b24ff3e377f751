// Firefox ESR through the WebDriver BiDi it speaks itself (no geckodriver):
// the browser is started with --remote-debugging-port=0 and a profile of its
// own, and this offers the part of selenium-webdriver's WebDriver that the page
// tests use (scripts, navigation, keys, clicks), so that the same cases run
// unchanged. Protocol errors are selenium's WebDriverError, as from a driver.

import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { error as webdriverErrors } from 'selenium-webdriver';
import WebSocket from 'ws';

const { WebDriverError, JavascriptError, ScriptTimeoutError, NoSuchElementError } = webdriverErrors;

// The profile: the browser's language, and nothing that calls home.
function profilePrefs(lang) {
    const prefs = {
        'intl.accept_languages': `${lang}, ${lang.split('-')[0]}`,
        'intl.locale.requested': lang,
        'focusmanager.testmode': true,
        'browser.shell.checkDefaultBrowser': false,
        'browser.startup.homepage_override.mstone': 'ignore',
        'datareporting.policy.dataSubmissionEnabled': false,
        'toolkit.telemetry.reportingpolicy.firstRun': false,
        'app.update.disabledForTesting': true,
        'app.normandy.enabled': false,
        'messaging-system.rsexperimentloader.enabled': false,
        'services.settings.server': 'http://127.0.0.1:9/',
        'network.captive-portal-service.enabled': false,
        'network.connectivity-service.enabled': false,
    };
    return Object.entries(prefs).map(([k, v]) => `user_pref(${JSON.stringify(k)}, ${JSON.stringify(v)});\n`).join('');
}

// A JavaScript value as a BiDi LocalValue, and a RemoteValue back.
function local(v) {
    if (v === undefined) return { type: 'undefined' };
    if (v === null) return { type: 'null' };
    if (typeof v === 'string') return { type: 'string', value: v };
    if (typeof v === 'boolean') return { type: 'boolean', value: v };
    if (typeof v === 'number') {
        if (Number.isNaN(v)) return { type: 'number', value: 'NaN' };
        if (Object.is(v, -0)) return { type: 'number', value: '-0' };
        if (!Number.isFinite(v)) return { type: 'number', value: v > 0 ? 'Infinity' : '-Infinity' };
        return { type: 'number', value: v };
    }
    if (Array.isArray(v)) return { type: 'array', value: v.map(local) };
    if (v && v.sharedId) return { sharedId: v.sharedId };
    return { type: 'object', value: Object.entries(v).map(([k, x]) => [k, local(x)]) };
}

function remote(r) {
    switch (r.type) {
        case 'undefined':
        case 'null':
            return null; // as WebDriver classic returns both
        case 'string':
        case 'boolean':
        case 'bigint':
            return r.value;
        case 'number':
            return typeof r.value === 'number' ? r.value : Number(r.value);
        case 'array':
        case 'set':
            return (r.value ?? []).map(remote);
        case 'object':
        case 'map':
            return Object.fromEntries((r.value ?? []).map(([k, x]) => [typeof k === 'string' ? k : remote(k), remote(x)]));
        case 'date':
            return new Date(r.value);
        case 'node':
            return { sharedId: r.sharedId };
        default:
            return r.value ?? null;
    }
}

class Connection {
    constructor(url) {
        this.ws = new WebSocket(url);
        this.next = 1;
        this.pending = new Map();
        this.listeners = [];
        this.closed = null;
        this.ws.on('message', (data) => {
            const m = JSON.parse(String(data));
            if (m.type === 'event') {
                for (const l of this.listeners) l(m.method, m.params);
                return;
            }
            const p = this.pending.get(m.id);
            if (!p) return;
            this.pending.delete(m.id);
            if (m.type === 'error') p.fail(new WebDriverError(`${p.method}: ${m.error}: ${m.message}`));
            else p.ok(m.result);
        });
        this.ws.on('close', () => {
            this.closed = new WebDriverError('the browser closed its WebDriver BiDi connection');
            for (const p of this.pending.values()) p.fail(this.closed);
            this.pending.clear();
        });
    }

    open() {
        return new Promise((ok, fail) => {
            this.ws.once('open', ok);
            this.ws.once('error', fail);
        });
    }

    send(method, params = {}) {
        if (this.closed) return Promise.reject(this.closed);
        const id = this.next++;
        return new Promise((ok, fail) => {
            this.pending.set(id, { ok, fail, method });
            this.ws.send(JSON.stringify({ id, method, params }));
        });
    }

    close() {
        this.ws.close();
    }
}

// The classic driver's keyboard actions, on BiDi's input source.
class Actions {
    constructor(driver) {
        this.driver = driver;
        this.keys = [];
    }
    keyDown(key) {
        this.keys.push({ type: 'keyDown', value: key });
        return this;
    }
    keyUp(key) {
        this.keys.push({ type: 'keyUp', value: key });
        return this;
    }
    sendKeys(...texts) {
        for (const ch of texts.join('')) this.keys.push({ type: 'keyDown', value: ch }, { type: 'keyUp', value: ch });
        return this;
    }
    async perform() {
        const d = this.driver;
        await d.bidi.send('input.performActions', {
            context: d.context,
            actions: [{ type: 'key', id: 'keyboard', actions: this.keys }],
        });
        await d.bidi.send('input.releaseActions', { context: d.context });
    }
}

export class FirefoxDriver {
    constructor(process, bidi, context, profile) {
        this.process = process;
        this.bidi = bidi;
        this.context = context;
        this.profile = profile;
        this.scriptTimeout = 30000;
        this.logErrors = [];
        bidi.listeners.push((method, params) => {
            if (method === 'log.entryAdded' && params.level === 'error')
                this.logErrors.push(`${params.type}: ${params.text}`);
        });
    }

    static async start({ binary, lang, width, height, headless = true, kiosk = false, env = {} }) {
        const profile = mkdtempSync(join(tmpdir(), 'klankflits-firefox-'));
        writeFileSync(join(profile, 'user.js'), profilePrefs(lang));
        const args = ['--no-remote', '--profile', profile, '--remote-debugging-port=0'];
        if (headless) args.unshift('--headless');
        if (kiosk) args.push('--kiosk');
        const child = spawn(binary, args, {
            stdio: ['ignore', 'ignore', 'pipe'],
            env: { ...process.env, MOZ_CRASHREPORTER_DISABLE: '1', ...env },
        });
        let stderr = '';
        const url = await new Promise((ok, fail) => {
            const timer = setTimeout(() => fail(new Error(`Firefox did not offer BiDi in 30 s: ${stderr.slice(-500)}`)), 30000);
            child.stderr.on('data', (chunk) => {
                stderr += chunk;
                const m = /WebDriver BiDi listening on (ws:\/\/[\d.:]+)/.exec(stderr);
                if (m) {
                    clearTimeout(timer);
                    ok(`${m[1]}/session`);
                }
            });
            child.once('exit', (code) => {
                clearTimeout(timer);
                fail(new Error(`Firefox exited (${code}) before offering BiDi: ${stderr.slice(-500)}`));
            });
        });
        child.stderr.resume();
        const bidi = new Connection(url);
        try {
            await bidi.open();
            await bidi.send('session.new', { capabilities: { alwaysMatch: { unhandledPromptBehavior: { default: 'ignore' } } } });
            await bidi.send('session.subscribe', { events: ['log.entryAdded'] });
            const tree = await bidi.send('browsingContext.getTree', { maxDepth: 0 });
            const driver = new FirefoxDriver(child, bidi, tree.contexts[0].context, profile);
            // In kiosk mode the window is the page; without a window manager it keeps its first size.
            if (kiosk)
                await bidi.send('browser.setClientWindowState', {
                    clientWindow: tree.contexts[0].clientWindow, state: 'normal', width, height, x: 0, y: 0,
                });
            else await driver.setViewport(width, height);
            return driver;
        } catch (e) {
            bidi.close();
            child.kill();
            rmSync(profile, { recursive: true, force: true });
            throw e;
        }
    }

    setViewport(width, height) {
        return this.bidi.send('browsingContext.setViewport', { context: this.context, viewport: { width, height } });
    }

    async #call(functionDeclaration, args, awaitPromise) {
        const r = await this.bidi.send('script.callFunction', {
            functionDeclaration,
            target: { context: this.context },
            arguments: args.map(local),
            awaitPromise,
            resultOwnership: 'none',
        });
        if (r.type === 'exception') {
            const d = r.exceptionDetails;
            throw new JavascriptError(`${d.text}${d.stackTrace?.callFrames?.length ? ` at line ${d.lineNumber}` : ''}`);
        }
        return remote(r.result);
    }

    executeScript(script, ...args) {
        return this.#call(`function () {\n${script}\n}`, args, true);
    }

    // The last argument is the callback that ends the script, as in WebDriver classic.
    async executeAsyncScript(script, ...args) {
        const call = this.#call(
            `function (...args) { return new Promise((done) => { (function () {\n${script}\n}).apply(this, [...args, done]); }); }`,
            args,
            true,
        );
        let timer;
        const timeout = new Promise((_, fail) => {
            timer = setTimeout(() => fail(new ScriptTimeoutError(`script timeout after ${this.scriptTimeout} ms`)), this.scriptTimeout);
        });
        try {
            return await Promise.race([call, timeout]);
        } finally {
            clearTimeout(timer);
        }
    }

    async get(url) {
        await this.bidi.send('browsingContext.navigate', { context: this.context, url, wait: 'complete' });
    }

    navigate() {
        return {
            refresh: () => this.bidi.send('browsingContext.reload', { context: this.context, wait: 'complete' }),
        };
    }

    async #locate(by) {
        const css = by.css ?? (by.using === 'css selector' ? by.value : null);
        if (css === null) throw new WebDriverError(`only CSS selectors here, not ${JSON.stringify(by)}`);
        const found = await this.bidi.send('browsingContext.locateNodes', {
            context: this.context,
            locator: { type: 'css', value: css },
            maxNodeCount: 1,
        });
        if (!found.nodes.length) throw new NoSuchElementError(`no element ${css}`);
        return found.nodes[0];
    }

    // Like selenium's, the element's methods can be called on it at once.
    findElement(by) {
        const located = this.#locate(by);
        located.catch(() => {}); // reported by the method called
        return {
            // A real mouse click on the middle of the element, as WebDriver's element click.
            click: async () => {
                const node = await located;
                await this.bidi.send('input.performActions', {
                    context: this.context,
                    actions: [{
                        type: 'pointer',
                        id: 'mouse',
                        parameters: { pointerType: 'mouse' },
                        actions: [
                            { type: 'pointerMove', x: 0, y: 0, origin: { type: 'element', element: { sharedId: node.sharedId } } },
                            { type: 'pointerDown', button: 0 },
                            { type: 'pointerUp', button: 0 },
                        ],
                    }],
                });
                await this.bidi.send('input.releaseActions', { context: this.context });
            },
        };
    }

    actions() {
        return new Actions(this);
    }

    manage() {
        return {
            setTimeouts: async ({ script }) => {
                if (script !== undefined) this.scriptTimeout = script;
            },
        };
    }

    // Errors the browser logged (console and uncaught) since the last call.
    consoleErrors() {
        return this.logErrors.splice(0);
    }

    async quit() {
        const exited = new Promise((ok) => {
            if (this.process.exitCode !== null || this.process.signalCode !== null) ok();
            else this.process.once('exit', ok);
        });
        try {
            await Promise.race([this.bidi.send('browser.close'), exited]);
        } catch {
            // gone already
        }
        this.bidi.close();
        const killer = setTimeout(() => this.process.kill('SIGKILL'), 10000);
        await exited;
        clearTimeout(killer);
        rmSync(this.profile, { recursive: true, force: true });
    }
}
