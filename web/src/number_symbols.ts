// How the user's language writes numbers, for the engine's number reading.

import type { NumberSymbols } from './engine.js';

export function numberSymbols(locale: string): NumberSymbols {
    const part = (parts: Intl.NumberFormatPart[], type: string): string | undefined =>
        parts.find((p) => p.type === type)?.value;
    let format: Intl.NumberFormat;
    try {
        format = new Intl.NumberFormat(locale);
    } catch {
        format = new Intl.NumberFormat();
    }
    const parts = format.formatToParts(-1234567.5);
    const plus = new Intl.NumberFormat(format.resolvedOptions().locale, { signDisplay: 'always' })
        .formatToParts(1);
    return {
        decimal_point: part(parts, 'decimal') ?? '.',
        group_separator: part(parts, 'group') ?? '',
        negative_sign: part(parts, 'minusSign') ?? '-',
        positive_sign: part(plus, 'plusSign') ?? '+',
        zero_digit: part(format.formatToParts(0), 'integer') ?? '0',
    };
}
