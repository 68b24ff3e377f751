// The site's Content-Security-Policy, shared by the page's <meta> (checked by
// the build) and the header that `scripts/web serve` sends. WebAssembly needs
// 'wasm-unsafe-eval' in script-src to compile; nothing else runs as code
// except the site's own files.
export const contentSecurityPolicy = [
    "default-src 'self'",
    "script-src 'self' 'wasm-unsafe-eval'",
    "style-src 'self'",
    "img-src 'self'",
    "font-src 'self'",
    "connect-src 'self'",
    "worker-src 'self'",
    "manifest-src 'self'",
    "object-src 'none'",
    "base-uri 'none'",
    "form-action 'none'",
].join('; ');

// Only a header can carry this one.
export const headerOnlyPolicy = "frame-ancestors 'none'";
