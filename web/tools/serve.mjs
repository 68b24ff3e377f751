// Serves the built site on 127.0.0.1 with the page's security headers.
//
//   node tools/serve.mjs SITE_DIR [PORT]

import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { contentSecurityPolicy, headerOnlyPolicy } from './site_policy.mjs';

const [siteArg, portArg = '8765'] = process.argv.slice(2);
if (!siteArg || !/^\d+$/.test(portArg)) {
    console.error('usage: serve.mjs SITE_DIR [PORT]');
    process.exit(2);
}
const site = resolve(siteArg);
const port = Number(portArg);

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.json': 'application/json',
    '.jpg': 'image/jpeg',
    '.png': 'image/png',
    '.svg': 'image/svg+xml',
};

const headers = {
    'Content-Security-Policy': `${contentSecurityPolicy}; ${headerOnlyPolicy}`,
    'X-Content-Type-Options': 'nosniff',
    'Referrer-Policy': 'no-referrer',
    'Cross-Origin-Opener-Policy': 'same-origin',
    'Cross-Origin-Resource-Policy': 'same-origin',
    // The browser asks again each time; the service worker keeps the copy for offline.
    'Cache-Control': 'no-cache',
};

function fileFor(url) {
    let path;
    try {
        path = decodeURIComponent(new URL(url, 'http://localhost').pathname);
    } catch {
        return null;
    }
    const full = normalize(join(site, path));
    if (full !== site && !full.startsWith(site + sep)) return null;
    try {
        const stat = statSync(full);
        if (stat.isDirectory()) return fileFor(`${path.replace(/\/?$/, '/')}index.html`);
        return stat.isFile() ? full : null;
    } catch {
        return null;
    }
}

const server = createServer((request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
        response.writeHead(405, { ...headers, Allow: 'GET, HEAD' }).end();
        return;
    }
    const file = fileFor(request.url ?? '/');
    if (!file) {
        response.writeHead(404, { ...headers, 'Content-Type': 'text/plain; charset=utf-8' });
        response.end('Niet gevonden\n');
        return;
    }
    const stat = statSync(file);
    const etag = `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}"`;
    if (request.headers['if-none-match'] === etag) {
        response.writeHead(304, { ...headers, ETag: etag }).end();
        return;
    }
    response.writeHead(200, {
        ...headers,
        'Content-Type': types[extname(file)] ?? 'application/octet-stream',
        'Content-Length': stat.size,
        ETag: etag,
    });
    if (request.method === 'HEAD') response.end();
    else createReadStream(file).pipe(response);
});

server.listen(port, '127.0.0.1', () => {
    console.log(`Klankflits: http://127.0.0.1:${port}/  (Ctrl+C stops)`);
});
