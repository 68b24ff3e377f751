// Keeps the site's own files, and nothing else, so that after the first visit
// the page loads and runs without a network. The build writes the list of
// files and a version made from their contents; a new version fills a cache
// of its own and deletes the old ones. The files are asked for again with
// the server (a revalidation, so a first visit fetches nothing twice), never
// taken unchecked from the browser's HTTP cache. The school letters' font is
// kept once the page has fetched it, when a teacher chose them.

/// <reference lib="webworker" />

declare const SITE_FILES: readonly string[];
declare const SITE_VERSION: string;
// Files not kept at install but when the page first fetches them (the school
// letters' font, only when chosen).
declare const FETCHED_WHEN_CHOSEN: readonly string[];

const worker = self as unknown as ServiceWorkerGlobalScope;
const prefix = 'klankflits-';
const cacheName = `${prefix}${SITE_VERSION}`;

worker.addEventListener('install', (event) => {
    event.waitUntil(
        caches
            .open(cacheName)
            .then((cache) => cache.addAll(SITE_FILES.map((file) => new Request(file, { cache: 'no-cache' }))))
            .then(() => worker.skipWaiting()),
    );
});

worker.addEventListener('activate', (event) => {
    event.waitUntil(
        caches
            .keys()
            .then((names) =>
                Promise.all(
                    names
                        .filter((name) => name.startsWith(prefix) && name !== cacheName)
                        .map((name) => caches.delete(name)),
                ),
            )
            .then(() => worker.clients.claim()),
    );
});

worker.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== worker.location.origin) return;
    // The link's numbers ride in the query; the page is the same.
    event.respondWith(
        caches
            .open(cacheName)
            .then((cache) => cache.match(request, { ignoreSearch: true }))
            .then((kept) => kept ?? fetchAndKeep(request)),
    );
});

const keptWhenFetched = new Set(FETCHED_WHEN_CHOSEN.map((file) => new URL(file, worker.location.href).href));

function fetchAndKeep(request: Request): Promise<Response> {
    return fetch(request).then((response) => {
        if (response.ok && keptWhenFetched.has(request.url.split('?')[0] ?? '')) {
            const copy = response.clone();
            void caches.open(cacheName).then((cache) => cache.put(request, copy));
        }
        return response;
    });
}
