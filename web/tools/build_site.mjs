// Writes the whole static site into one folder: the page, its style, the
// bundled TypeScript, the engine's WebAssembly module, the pause picture
// (pause.svg, from the core's description), the icons, the
// manifest, the school letters' font and the service worker with the list of
// every file it keeps at the first visit (all but the font, which is fetched
// only when chosen).
// The windows' description (the wasm build's describe_windows.js) goes into
// the bundle and, for the page's tests, into description.json beside OUT_DIR;
// every file's size, as is and gzipped, into sizes.json beside it (the
// README's figures are checked against it).
//
//   node tools/build_site.mjs WASM_DIR OUT_DIR

import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import {
    copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync,
} from 'node:fs';
import { dirname, join, relative, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import * as esbuild from 'esbuild';
import { contentSecurityPolicy } from './site_policy.mjs';

const web = join(dirname(fileURLToPath(import.meta.url)), '..');
const root = join(web, '..');
const [wasmDir, out] = process.argv.slice(2);
if (!wasmDir || !out) {
    console.error('usage: build_site.mjs WASM_DIR OUT_DIR');
    process.exit(2);
}

rmSync(out, { recursive: true, force: true });
mkdirSync(join(out, 'icons'), { recursive: true });

const page = readFileSync(join(web, 'static/index.html'), 'utf8');
if (!page.includes(`content="${contentSecurityPolicy}"`)) {
    console.error("static/index.html's Content-Security-Policy differs from tools/site_policy.mjs");
    process.exit(1);
}

const describe = (...args) => execFileSync(process.execPath,
    [join(wasmDir, 'describe_windows.js'), ...args], { encoding: 'utf8' });
const descriptionJson = describe();
const description = JSON.parse(descriptionJson);
writeFileSync(join(out, '..', 'description.json'), descriptionJson);
// The pause picture as the core describes it, sharp at any size.
writeFileSync(join(out, 'pause.svg'), describe('pause.svg'));

// The page's own words from the description: titled as the settings window
// before the module runs, its message box titled with the program's name.
const escapeHtml = (text) =>
    text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
let built = page;
for (const [empty, text] of [
    ['<title></title>', description.windows.find((w) => w.name === 'frm_hoofd').caption],
    ['<h1 id="message-title"></h1>', description.program],
]) {
    if (!built.includes(empty)) {
        console.error(`static/index.html has no ${empty} to fill`);
        process.exit(1);
    }
    built = built.replace(empty, () => empty.replace('></', () => `>${escapeHtml(text)}</`));
}
writeFileSync(join(out, 'index.html'), built);

// Safari 15 is the oldest the iPads of a school may still run.
const target = ['es2020', 'chrome90', 'safari15', 'firefox90'];

// The page imports the module's glue by its declarations in bindings/; on the
// site the glue sits beside app.js.
const moduleBesideApp = {
    name: 'module-beside-app',
    setup(build) {
        build.onResolve({ filter: /\/bindings\/klankflits\.js$/ }, () => ({
            path: './klankflits.js',
            external: true,
        }));
    },
};
await esbuild.build({
    entryPoints: [join(web, 'src/main.ts')],
    outfile: join(out, 'app.js'),
    bundle: true,
    format: 'esm',
    target,
    minify: true,
    plugins: [moduleBesideApp],
    define: { WINDOW_DESCRIPTION: JSON.stringify(description) },
    logLevel: 'warning',
});

const copies = [
    [join(web, 'static/style.css'), 'style.css'],
    [join(web, 'static/manifest.webmanifest'), 'manifest.webmanifest'],
    [join(wasmDir, 'klankflits.wasm'), 'klankflits.wasm'],
    [join(root, 'packaging/icons/scalable/klankflits.svg'), 'icons/klankflits.svg'],
];
for (const size of [32, 128, 256])
    copies.push([join(root, `packaging/icons/${size}x${size}/klankflits.png`),
                 `icons/klankflits-${size}.png`]);
for (const [from, to] of copies) copyFileSync(from, join(out, to));

// The school letters: Debian's Andika Bold cut down by fonttools' subsetter to
// the Latin letters, digits and signs that the material and a teacher's own
// list can hold (Dutch diacritics included), as WOFF2.
const schoolFont = '/usr/share/fonts/truetype/andika/Andika-Bold.ttf';
const schoolFile = 'fonts/schoolletters.woff2';
mkdirSync(join(out, 'fonts'));
execFileSync('/usr/bin/python3', [
    '-m', 'fontTools.subset', schoolFont,
    '--unicodes=U+0020-007E,U+00A0-017F,U+2010-2014,U+2018-201E,U+2026,U+20AC,U+2212',
    // Graphite's tables: browsers shape with OpenType's.
    '--drop-tables+=Silf,Silt,Sill,Glat,Gloc,Feat',
    '--layout-features=*', '--flavor=woff2', '--no-hinting', '--desubroutinize',
    `--output-file=${join(out, schoolFile)}`,
], { stdio: ['ignore', 'ignore', 'inherit'] });

// emscripten's glue, an ES module, minified (it uses no eval).
await esbuild.build({
    entryPoints: [join(wasmDir, 'klankflits.js')],
    outfile: join(out, 'klankflits.js'),
    format: 'esm',
    target,
    minify: true,
    logLevel: 'warning',
});

// Every file of the site, and a version that changes with any of them.
const files = [];
const walk = (dir) => {
    for (const name of readdirSync(dir)) {
        const path = join(dir, name);
        if (statSync(path).isDirectory()) walk(path);
        else files.push(relative(out, path).split(sep).join('/'));
    }
};
walk(out);
files.sort();
const hash = createHash('sha256');
for (const file of files) hash.update(file).update('\0').update(readFileSync(join(out, file)));
const version = hash.digest('hex').slice(0, 16);

await esbuild.build({
    entryPoints: [join(web, 'src/sw/service_worker.ts')],
    outfile: join(out, 'sw.js'),
    bundle: true,
    format: 'iife',
    target,
    minify: true,
    define: {
        SITE_FILES: JSON.stringify(['./', ...files.filter((file) => file !== schoolFile)]),
        FETCHED_WHEN_CHOSEN: JSON.stringify([schoolFile]),
        SITE_VERSION: JSON.stringify(version),
    },
    logLevel: 'warning',
});

// Each file as is and gzipped at zlib's default level, as a web server sends it.
const sizes = { files: {}, bytes: 0, gzip: 0 };
for (const file of [...files, 'sw.js'].sort()) {
    const data = readFileSync(join(out, file));
    const size = { bytes: data.length, gzip: gzipSync(data).length };
    sizes.files[file] = size;
    sizes.bytes += size.bytes;
    sizes.gzip += size.gzip;
}
writeFileSync(join(out, '..', 'sizes.json'), `${JSON.stringify(sizes, null, 1)}\n`);

const kb = (bytes) => `${Math.round(bytes / 1024)} KB`;
const font = sizes.files[schoolFile];
console.log(`site ${version}: ${files.length + 1} files in ${out}, ${kb(sizes.bytes)},` +
            ` ${kb(sizes.gzip)} gzipped; the first visit ${kb(sizes.gzip - font.gzip)} gzipped,` +
            ` the school letters ${kb(font.gzip)} more`);
