// Injected as the page's first script by the test server. Records, for the
// tests to read through WebDriver: every change to the two views' controls with
// the time of the frame it was made in (document.timeline.currentTime, which a
// MutationObserver callback right after a requestAnimationFrame callback sees
// as that frame's time), errors, console errors and CSP violations. Counting
// frames (the display's period) starts only when asked, so that the page's own
// sleeping between changes can be measured too.
(function () {
    'use strict';
    const probe = {
        changes: [],
        errors: [],
        violations: [],
        frames: { count: 0, times: [], running: false },
    };
    Object.defineProperty(window, '__klankflitsProbe', { value: probe });

    const frameTime = () => {
        const t = document.timeline ? document.timeline.currentTime : null;
        return t === null || t === undefined ? performance.now() : Number(t);
    };

    document.addEventListener('securitypolicyviolation', (e) => {
        probe.violations.push({
            directive: e.violatedDirective,
            blocked: e.blockedURI,
            sample: e.sample,
            source: e.sourceFile + ':' + e.lineNumber,
        });
    });
    window.addEventListener('error', (e) => {
        probe.errors.push('error: ' + e.message + ' at ' + e.filename + ':' + e.lineno);
    });
    window.addEventListener('unhandledrejection', (e) => {
        probe.errors.push('unhandled rejection: ' + String(e.reason && (e.reason.stack || e.reason)));
    });
    const consoleError = console.error.bind(console);
    console.error = (...args) => {
        probe.errors.push('console.error: ' + args.map(String).join(' '));
        consoleError(...args);
    };

    const viewOf = (el) => {
        const section = el.closest('section[id]');
        return section ? section.id : null;
    };
    const record = (el, kind, value) => {
        probe.changes.push({
            t: frameTime(),
            now: performance.now(),
            frame: probe.frames.count,
            view: viewOf(el),
            control: el.matches('section') ? null : el.getAttribute('data-control'),
            kind,
            value,
        });
    };
    new MutationObserver((mutations) => {
        for (const m of mutations) {
            const node = m.target.nodeType === Node.ELEMENT_NODE ? m.target : m.target.parentElement;
            if (!node) continue;
            if (m.type === 'attributes') {
                if (node.matches('section[id], [data-control]'))
                    record(node, 'hidden', node.hasAttribute('hidden'));
                continue;
            }
            const control = node.closest('[data-control]');
            if (control) record(control, 'text', control.textContent);
        }
    }).observe(document.documentElement, {
        subtree: true,
        childList: true,
        characterData: true,
        attributes: true,
        attributeFilter: ['hidden'],
    });

    // The page's own requests for a frame, by time.
    const requestFrame = window.requestAnimationFrame.bind(window);
    probe.frameRequests = [];
    // With probe.traceFrames set, each of the page's frame callbacks as
    // [frame time, start, end, the first task after the frame's rendering].
    probe.frameTrace = [];
    const afterRendering = new MessageChannel();
    const waiting = [];
    afterRendering.port1.onmessage = () => {
        const entry = waiting.shift();
        if (entry) entry.push(performance.now());
    };
    window.requestAnimationFrame = (callback) => {
        if (probe.frameRequests.length < 1000000) probe.frameRequests.push(performance.now());
        if (!probe.traceFrames) return requestFrame(callback);
        return requestFrame((time) => {
            const start = performance.now();
            callback(time);
            const entry = [time, start, performance.now()];
            if (probe.frameTrace.length < 100000) probe.frameTrace.push(entry);
            waiting.push(entry);
            afterRendering.port2.postMessage(0);
        });
    };

    // Counts display frames for `ms` (forever without it), keeping their times.
    probe.countFrames = (ms) => {
        const f = probe.frames;
        if (f.running) return;
        f.running = true;
        const until = ms === undefined ? Infinity : performance.now() + ms;
        const step = (time) => {
            f.count += 1;
            if (f.times.length < 100000) f.times.push(time);
            if (time < until) requestFrame(step);
            else f.running = false;
        };
        requestFrame(step);
    };
    // The period of the counted frames: their span over the whole number of
    // median intervals in it, so that neither a missed frame nor a late one
    // followed by an early one moves it. (The median interval alone is off:
    // Chromium's time stamps come in 0.1 ms, so that 16.667 ms frames are
    // 16.7, 16.7 and 16.6 apart and their median is 16.7.)
    probe.framePeriod = () => {
        const t = probe.frames.times;
        const d = [];
        for (let i = 1; i < t.length; i++) d.push(t[i] - t[i - 1]);
        if (!d.length) return null;
        const median = [...d].sort((a, b) => a - b)[Math.floor(d.length / 2)];
        const span = t[t.length - 1] - t[0];
        return span / Math.max(1, Math.round(span / median));
    };
})();
