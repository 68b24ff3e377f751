// A static server for the built site on 127.0.0.1, which a test can stop and
// start again on the same port (the offline reload). With a probe, every HTML
// page gets one same-origin script as the first script of its head, so the
// page's own Content-Security-Policy applies to it like to the page's code.

import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { contentSecurityPolicy, headerOnlyPolicy } from '../../tools/site_policy.mjs';

const TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.json': 'application/json',
    '.webmanifest': 'application/manifest+json',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
    '.jpg': 'image/jpeg',
    '.svg': 'image/svg+xml',
    '.ico': 'image/x-icon',
    '.txt': 'text/plain; charset=utf-8',
};

export const PROBE_PATH = '/__klankflits_probe.js';
const PROBE_FILE = fileURLToPath(new URL('./probe.js', import.meta.url));

function withProbe(html) {
    const tag = `<script src="${PROBE_PATH}"></script>`;
    const at = html.search(/<script\b/i);
    if (at >= 0) return html.slice(0, at) + tag + html.slice(at);
    return html.replace(/<\/head>/i, `${tag}</head>`);
}

export class SiteServer {
    constructor(root, { port = 0, probe = true, gzip = false } = {}) {
        this.root = resolve(root);
        this.port = port;
        this.probe = probe;
        this.gzip = gzip; // compress text responses when asked (the transfer size)
        this.requests = [];
        this.server = null;
    }

    get origin() {
        return `http://127.0.0.1:${this.port}`;
    }

    async start() {
        this.server = createServer((req, res) => this.#serve(req, res));
        await new Promise((ok, fail) => {
            this.server.once('error', fail);
            this.server.listen(this.port, '127.0.0.1', ok);
        });
        this.port = this.server.address().port;
        return this;
    }

    async stop() {
        if (!this.server) return;
        const server = this.server;
        this.server = null;
        server.closeAllConnections();
        await new Promise((ok) => server.close(ok));
    }

    async #serve(req, res) {
        const url = new URL(req.url, this.origin);
        let body;
        let type;
        try {
            if (this.probe && url.pathname === PROBE_PATH) {
                body = await readFile(PROBE_FILE);
                type = TYPES['.js'];
            } else {
                let path = normalize(join(this.root, decodeURIComponent(url.pathname)));
                if (path !== this.root && !path.startsWith(this.root + sep)) throw new Error('outside');
                if ((await stat(path)).isDirectory()) path = join(path, 'index.html');
                body = await readFile(path);
                type = TYPES[extname(path)] ?? 'application/octet-stream';
                if (this.probe && type.startsWith('text/html')) body = Buffer.from(withProbe(body.toString()));
            }
        } catch {
            this.requests.push({ path: url.pathname, status: 404, bytes: 0 });
            res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
            return;
        }
        // The headers of scripts/web serve: the page's policy is in force from the header too.
        const headers = {
            'Content-Type': type,
            'Cache-Control': 'no-cache',
            'Content-Security-Policy': `${contentSecurityPolicy}; ${headerOnlyPolicy}`,
            'X-Content-Type-Options': 'nosniff',
            'Referrer-Policy': 'no-referrer',
        };
        const compress =
            this.gzip && /gzip/.test(req.headers['accept-encoding'] ?? '') && !/image\//.test(type);
        if (compress) {
            body = gzipSync(body, { level: 9 });
            headers['Content-Encoding'] = 'gzip';
        }
        headers['Content-Length'] = body.length;
        this.requests.push({ path: url.pathname, status: 200, bytes: body.length });
        res.writeHead(200, headers).end(body);
    }
}
