// One browser session on the site: opening the page, reading its views and
// controls, pressing keys, and gathering every error and CSP violation seen.

import { setTimeout as sleep } from 'node:timers/promises';
import { By, Key } from 'selenium-webdriver';

export { Key };

export class Page {
    constructor(browser, server) {
        this.browser = browser;
        this.driver = browser.driver;
        this.server = server;
        this.problems = []; // errors, console errors and CSP violations of every page so far
    }

    // Reads what the probe of the page now open has seen, and the browser log.
    async harvest() {
        let seen = null;
        try {
            seen = await this.driver.executeScript(
                'const p = window.__klankflitsProbe; return p ? {errors: p.errors, violations: p.violations, url: location.href} : null',
            );
        } catch {
            // no page yet
        }
        if (seen) {
            for (const e of seen.errors) this.problems.push(`${seen.url}: ${e}`);
            for (const v of seen.violations)
                this.problems.push(`${seen.url}: CSP ${v.directive} blocked ${v.blocked} (${v.source}) ${v.sample ?? ''}`);
            await this.driver.executeScript(
                'const p = window.__klankflitsProbe; if (p) { p.errors.length = 0; p.violations.length = 0; }',
            );
        }
        for (const e of await this.browser.consoleErrors()) this.problems.push(`browser log: ${e}`);
    }

    // Opens the page (with a query such as '?interval=400') and waits for the settings view.
    async open(query = '') {
        await this.harvest();
        await this.driver.get(`${this.server.origin}/${query}`);
        await this.waitFor('settings view', () => this.js(
            `const s = document.getElementById('frm_hoofd');
             const box = s && s.querySelector('[data-control="txt_start"]');
             return !!box && !s.hidden && document.title === 'Form1' && document.readyState === 'complete'`,
        ));
        await this.settle(); // the module may finish loading in the same turn
    }

    // Until the page has made two frames and run a task after them: what a key,
    // a click or a load set going (the exercise starts in a frame) has happened.
    async settle() {
        await this.driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
            requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(done, 0)));`);
    }

    // Until the page has made `count` more frames: a time on the page's own clock
    // in which it would have made a change, had it one to make.
    async frames(count) {
        await this.driver.manage().setTimeouts({ script: 30000 });
        await this.driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
            let left = arguments[0];
            const step = () => (--left <= 0 ? done() : requestAnimationFrame(step));
            requestAnimationFrame(step);`, count);
    }

    js(script, ...args) {
        return this.driver.executeScript(script, ...args);
    }

    async waitFor(what, check, ms = 10000) {
        const until = Date.now() + ms;
        for (;;) {
            const value = await check();
            if (value) return value;
            if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
            await sleep(50);
        }
    }

    control(view, name) {
        return this.driver.findElement(By.css(`#${view} [data-control="${name}"]`));
    }

    // Title, which views show, the focused control and its selection, the dialog.
    state() {
        return this.js(`
            const shown = (id) => { const e = document.getElementById(id); return !!e && !e.hidden; };
            const a = document.activeElement;
            const d = document.getElementById('message');
            return {
                title: document.title,
                settings: shown('frm_hoofd'), exercise: shown('frm_werk'), ended: shown('ended'),
                focus: a && a.closest('section[id]') ? a.closest('section[id]').id + '/' + a.getAttribute('data-control') : null,
                selection: a && 'selectionStart' in a && a.selectionStart !== null ? [a.selectionStart, a.selectionEnd, a.value.length] : null,
                dialog: !!d && d.open,
                modal: !!d && d.open && d.matches(':modal'),
                message: d ? (d.querySelector('[data-role="message-text"]') || {}).textContent : null,
            };`);
    }

    value(name) {
        return this.js(`return document.querySelector('#frm_hoofd [data-control="${name}"]').value`);
    }

    async type(name, text) {
        // Through the DOM, so that any text reaches the box as typed (WebDriver's
        // key input cannot type every character in every browser).
        await this.js(
            `const b = document.querySelector('#frm_hoofd [data-control="${name}"]');
             b.focus(); b.value = arguments[0]; b.dispatchEvent(new Event('input', {bubbles: true}));`,
            text,
        );
    }

    async keys(...keys) {
        await this.driver.actions().sendKeys(...keys).perform();
        await this.settle();
    }

    async chord(modifier, key) {
        await this.driver.actions().keyDown(modifier).sendKeys(key).keyUp(modifier).perform();
        await this.settle();
    }

    async click(view, name) {
        await this.control(view, name).click();
    }

    // The section's rect and its controls' rects, in CSS px of the viewport.
    rects(view) {
        return this.js(`
            const s = document.getElementById(arguments[0]);
            const r = (e) => { const b = e.getBoundingClientRect(); return [b.left, b.top, b.width, b.height]; };
            const out = { section: r(s), viewport: [innerWidth, innerHeight], controls: {} };
            for (const e of s.querySelectorAll('[data-control]')) out.controls[e.getAttribute('data-control')] = r(e);
            return out;`, view);
    }

    // Starts the exercise from the settings view at the given numbers.
    async startExercise(interval, speed) {
        if (interval !== undefined) await this.type('txt_start', String(interval));
        if (speed !== undefined) await this.type('txt_speed', String(speed));
        await this.click('frm_hoofd', 'cmd_start');
        await this.waitFor('exercise view', async () => (await this.state()).exercise);
    }

    // Presses `keys` (their KeyboardEvent.key) at the focused element, two a task and a task
    // every millisecond or so, as a keyboard would at its fastest; answers the syllable's font
    // size as set after each task, and how many frames the probe counted meanwhile.
    async keyBurst(keys) {
        await this.driver.manage().setTimeouts({ script: 30000 });
        return this.driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
            const [keys, probe] = [arguments[0], window.__klankflitsProbe];
            const syllable = document.querySelector('#frm_werk [data-control="txt_string"]');
            const [fonts, frames] = [[], probe.frames.count];
            let i = 0;
            const send = () => {
                for (let n = 0; n < 2 && i < keys.length; n++, i++)
                    document.activeElement.dispatchEvent(new KeyboardEvent('keydown',
                        { key: keys[i], bubbles: true, cancelable: true, composed: true }));
                fonts.push(syllable.style.fontSize);
                if (i < keys.length) setTimeout(send, 1);
                else done({ fonts, frames: probe.frames.count - frames });
            };
            send();`, keys);
    }

    // The probe's records of the exercise view since the page was opened.
    changes(from = 0) {
        return this.js('return window.__klankflitsProbe.changes.slice(arguments[0])', from);
    }
}

// What the learner sees at each frame with a change (the syllable, the picture or
// nothing) from the probe's records, and the frames that showed both at once.
export function whatShows(changes) {
    const events = [];
    const both = [];
    const hidden = { txt_string: true, Picture1: true };
    const readouts = {};
    let text = '';
    for (let i = 0; i < changes.length; i++) {
        const c = changes[i];
        if (c.control === 'txt_string' && c.kind === 'text') text = c.value;
        if (c.kind === 'text' && (c.control === 'Label1' || c.control === 'Label3')) readouts[c.control] = c.value;
        if (c.kind === 'hidden' && c.control in hidden) hidden[c.control] = c.value;
        if (i + 1 < changes.length && changes[i + 1].t === c.t) continue;
        if (!hidden.txt_string && !hidden.Picture1) both.push(c.t);
        const what = !hidden.txt_string ? 'syllable' : !hidden.Picture1 ? 'picture' : 'nothing';
        if (events.length ? events[events.length - 1].what === what : what !== 'syllable') continue;
        events.push({ t: c.t, now: c.now, what, text, label1: readouts.Label1, label3: readouts.Label3 });
    }
    return { events, both };
}
