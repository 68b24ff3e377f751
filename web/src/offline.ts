// The service worker that keeps the site for use without a network.

export function registerServiceWorker(): void {
    if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
    navigator.serviceWorker.register('sw.js').catch(() => undefined);
}
