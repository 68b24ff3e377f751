#pragma once

namespace klankflits
{

// The few Unicode character classes that reading a typed number or a word
// needs, as Unicode 14 has them (the version Qt 6.4 knows, so that the
// desktop's own checks agree with these).

// The value 0 to 9 of a decimal digit of any script (category Nd), or -1.
int digit_value(char32_t code_point);

// A blank that is stripped around a number: the ASCII blanks \t \n \v \f \r and
// space, U+0085, and the space, line and paragraph separators (Zs, Zl, Zp).
bool is_blank(char32_t code_point);

// A letter of any script (category L) and a combining mark (category M: an
// accent, a vowel sign, a point), from the table in letter_ranges.cpp.
bool is_letter(char32_t code_point);
bool is_mark(char32_t code_point);

// An invisible format character (category Cf): direction marks, zero-width
// spaces and joiners, the soft hyphen, the byte order mark.
bool is_format_character(char32_t code_point);

} // namespace klankflits
