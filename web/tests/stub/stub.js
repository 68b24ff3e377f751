'use strict';
// A stand-in page: the views, their layout and keys, a plain-JavaScript pace.
const $ = (s, r = document) => r.querySelector(s);
const views = { hoofd: $('#frm_hoofd'), werk: $('#frm_werk') };
const size = { frm_hoofd: [369, 192], frm_werk: [1016, 734] };
for (const el of document.querySelectorAll('[style-rect]')) {
    const [l, t, w, h] = el.getAttribute('style-rect').split(',').map((v) => Number(v) / 15);
    Object.assign(el.style, { left: l + 'px', top: t + 'px', width: w + 'px', height: h + 'px' });
}
function layout() {
    for (const s of document.querySelectorAll('section[id^="frm_"]')) {
        const [w, h] = size[s.id];
        const f = Math.min(innerWidth / w, innerHeight / h);
        Object.assign(s.style, { width: w + 'px', height: h + 'px',
            transform: `translate(${(innerWidth - w * f) / 2}px, ${(innerHeight - h * f) / 2}px) scale(${f})` });
    }
}
addEventListener('resize', layout);
layout();
const q = new URLSearchParams(location.search);
const start = $('[data-control="txt_start"]', views.hoofd);
const speed = $('[data-control="txt_speed"]', views.hoofd);
start.value = q.get('interval') ?? '2000';
speed.value = q.get('versnelling') ?? '100';
start.focus();
const dialog = $('#message');
let wrongBox = null;
function read(box, prompt) {
    const text = box.value.trim();
    let msg = null;
    if (text === '') msg = `Bij "${prompt}" staat nog niets.`;
    else if (!/^[+-]?\d+$/.test(text)) msg = `Bij "${prompt}" staat "${box.value}". Dat is geen getal.`;
    if (msg === null) return Number(text);
    $('[data-role="message-text"]').textContent =
        msg + '\n\nVul een getal in, in milliseconden, bijvoorbeeld 2000. Een getal als 2.5 wordt afgerond op een heel getal.';
    wrongBox = box;
    dialog.showModal();
    return null;
}
$('[data-role="message-ok"]').addEventListener('click', () => dialog.close());
dialog.addEventListener('close', () => { wrongBox.focus(); wrongBox.select(); });
let running = false;
let interval = 0, step = 0, flash = 0, series = 0, due = 0, paused = false;
const w = (n) => $(`[data-control="${n}"]`, views.werk);
const draw = () => { w('txt_string').textContent = 'bl' + ['aa', 'ee', 'oo', 'ui'][Math.floor(Math.random() * 4)]; };
const half = () => { let k = 1; while (1 + 10 * k <= interval / 2) k++; return k * 10; };
function go() {
    const i = read(start, 'Geef start interval'); if (i === null) return;
    const s = read(speed, 'Geef versnelling'); if (s === null) return;
    interval = i; step = s;
    views.hoofd.hidden = true; views.werk.hidden = false; document.title = 'ZVK van CCV-structuren';
    draw(); w('cmd_exit').focus();
    running = true;
    requestAnimationFrame((t) => { due = t + half(); requestAnimationFrame(frame); });
}
function frame(t) {
    if (!running) return;
    if (t >= due - 1) {
        if (paused) {
            paused = false; w('Picture1').hidden = true; draw(); due += half();
        } else {
            w('Label1').textContent = String(interval); w('Label3').textContent = String(series + 1);
            flash++;
            if (flash === 21) {
                series++; let pause = 3500;
                if (series === 3) { pause = 5500; interval = Math.max(interval - step, step); series = 0; }
                flash = 0; w('Picture1').hidden = false; w('txt_string').hidden = true; paused = true; due += pause;
            } else {
                w('txt_string').hidden = !w('txt_string').hidden; due += half();
            }
            draw();
        }
    }
    requestAnimationFrame(frame);
}
function end() {
    running = false; views.hoofd.hidden = true; views.werk.hidden = true; $('#ended').hidden = false;
}
$('[data-control="cmd_start"]', views.hoofd).addEventListener('click', go);
$('[data-control="cmd_exit"]', views.hoofd).addEventListener('click', end);
w('cmd_exit').addEventListener('click', end);
w('Command1').addEventListener('click', () => { step = 100; interval -= 100; });
w('Command2').addEventListener('click', () => { step = 100; interval += 100; });
addEventListener('keydown', (e) => {
    if (e.key === 'Enter' || e.key === 'Escape') { if (!dialog.open) e.preventDefault(); }
    if (e.altKey && (e.key === 's' || e.key === 'S') && !views.hoofd.hidden) { e.preventDefault(); go(); }
    if (e.altKey && (e.key === 'e' || e.key === 'E')) { e.preventDefault(); end(); }
    if (e.key === 'Tab') {
        const order = views.hoofd.hidden ? ['cmd_exit', 'Command1', 'Command2'] : ['txt_start', 'txt_speed', 'cmd_start', 'cmd_exit'];
        const view = views.hoofd.hidden ? views.werk : views.hoofd;
        const i = order.indexOf(document.activeElement?.getAttribute('data-control'));
        const n = (i + (e.shiftKey ? order.length - 1 : 1)) % order.length;
        e.preventDefault(); $(`[data-control="${order[n]}"]`, view).focus();
    }
});
