// The README against what it describes: its table of the built site's sizes
// against what the site's build measured (build-web/sizes.json, written by
// web/tools/build_site.mjs), each figure within a tenth and the number of
// files exact (after a change that moves a size by more, the table is written
// anew from sizes.json); and every link to one of its own sections names a
// heading it has.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const root = join(dirname(fileURLToPath(import.meta.url)), '../..');
const readme = readFileSync(join(root, 'README.md'), 'utf8');
const sizes = JSON.parse(readFileSync(join(root, 'build-web/sizes.json'), 'utf8'));

// The table whose header's first cell names the built site.
const header = /^\| The built site\b.*\|\n\|[-| ]+\|\n((?:\|.*\|\n)+)/m.exec(readme);
const rows = header
    ? header[1].trimEnd().split('\n').map((line) => line.split('|').slice(1, -1).map((c) => c.trim()))
    : [];

// A row's files: "All N files", or the file (or folder/) in its first backticks.
function filesOf(label) {
    const all = Object.keys(sizes.files);
    if (/^All \d+ files$/.test(label)) return all;
    const name = /`([^`]+)`/.exec(label)?.[1];
    return all.filter((file) => (name?.endsWith('/') ? file.startsWith(name) : file === name));
}

const kilobytes = (cell) => Number(/^(\d+(?:\.\d+)?) KB$/.exec(cell)?.[1] ?? NaN);

test("README's table of the built site's sizes", async (t) => {
    const labels = rows.map(([label]) => label);
    for (const wanted of [/^All \d+ files$/, /`klankflits\.wasm`/, /`klankflits\.js`/, /`app\.js`/])
        assert.ok(labels.some((label) => wanted.test(label)), `README has no row ${wanted}`);

    for (const [label, asIs, gzipped] of rows) {
        await t.test(label, () => {
            const files = filesOf(label);
            assert.ok(files.length > 0, `no file of the site matches ${label}`);
            const count = /^All (\d+) files$/.exec(label)?.[1];
            if (count) assert.equal(Number(count), files.length, 'the number of files');
            for (const [cell, key] of [[asIs, 'bytes'], [gzipped, 'gzip']]) {
                const built = files.reduce((sum, file) => sum + sizes.files[file][key], 0);
                const written = kilobytes(cell) * 1024;
                // A tenth, and half a KB for the rounding of a small figure.
                assert.ok(Math.abs(written - built) <= built / 10 + 512,
                    `${label} ${key === 'gzip' ? 'gzipped' : 'as is'}: README says ${cell}, ` +
                    `the build made ${(built / 1024).toFixed(1)} KB`);
            }
        });
    }
});

// A heading's anchor as GitHub makes it: lower case, punctuation dropped,
// each space a hyphen, a repeated one numbered.
function anchors(markdown) {
    const seen = new Map();
    const found = new Set();
    for (const [, heading] of markdown.replace(/^ {4}.*$/gm, '').matchAll(/^#+ (.+)$/gm)) {
        const slug = heading.toLowerCase().replace(/[^\p{L}\p{N} _-]/gu, '').replace(/ /g, '-');
        const times = seen.get(slug) ?? 0;
        seen.set(slug, times + 1);
        found.add(times === 0 ? slug : `${slug}-${times}`);
    }
    return found;
}

test("README's links to its own sections", () => {
    const have = anchors(readme);
    const links = [...readme.matchAll(/\]\(#([^)]+)\)/g)].map(([, anchor]) => anchor);
    assert.ok(links.length > 0);
    assert.deepEqual(links.filter((anchor) => !have.has(anchor)), [], 'links to no heading');
});
