// The ink of a screenshot: how many rows of a box hold dark pixels, from the
// top of the tallest letter to the bottom of the lowest. Reads the PNGs that
// Chromium writes (8 bits, RGB or RGBA, not interlaced).

import { inflateSync } from 'node:zlib';

function decode(png) {
    let width = 0, height = 0, channels = 0;
    const data = [];
    for (let at = 8; at < png.length; ) {
        const length = png.readUInt32BE(at);
        const type = png.toString('ascii', at + 4, at + 8);
        const chunk = png.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR') {
            [width, height] = [chunk.readUInt32BE(0), chunk.readUInt32BE(4)];
            if (chunk[8] !== 8 || chunk[12] !== 0 || (chunk[9] !== 2 && chunk[9] !== 6))
                throw new Error('not an 8-bit RGB(A) PNG without interlace');
            channels = chunk[9] === 6 ? 4 : 3;
        } else if (type === 'IDAT') data.push(chunk);
        at += 12 + length;
    }
    const stride = width * channels;
    const raw = inflateSync(Buffer.concat(data));
    const pixels = Buffer.alloc(height * stride);
    for (let y = 0; y < height; y++) {
        const filter = raw[y * (stride + 1)];
        const line = raw.subarray(y * (stride + 1) + 1);
        const row = y * stride;
        for (let i = 0; i < stride; i++) {
            const a = i >= channels ? pixels[row + i - channels] : 0;
            const b = y > 0 ? pixels[row - stride + i] : 0;
            const c = y > 0 && i >= channels ? pixels[row - stride + i - channels] : 0;
            const p = a + b - c;
            const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c)
                ? a : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
            const add = [0, a, b, (a + b) >> 1, paeth][filter];
            pixels[row + i] = (line[i] + add) & 255;
        }
    }
    return { width, height, channels, pixels };
}

// The ink's height in pixels inside [left, top, width, height] (device pixels).
export function inkHeight(png, [left, top, width, height], darkBelow = 128) {
    const image = decode(png);
    const [x0, y0] = [Math.max(0, Math.floor(left)), Math.max(0, Math.floor(top))];
    const x1 = Math.min(image.width, Math.ceil(left + width));
    const y1 = Math.min(image.height, Math.ceil(top + height));
    let first = -1, last = -1;
    for (let y = y0; y < y1; y++) {
        for (let x = x0; x < x1; x++) {
            const i = (y * image.width + x) * image.channels;
            const [r, g, b] = image.pixels.subarray(i, i + 3);
            if (0.299 * r + 0.587 * g + 0.114 * b < darkBelow) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}
