#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace klankflits
{

// How the user's locale writes numbers, in UTF-8: the desktop takes it from
// QLocale, the web page from Intl. Format characters in them (some locales'
// signs carry a direction mark) are overlooked in reading, like those typed.
struct NumberSymbols {
    std::string decimal_point = ".";
    std::string group_separator = ","; // may be empty: no grouping
    std::string negative_sign = "-";
    std::string positive_sign = "+";
    std::string zero_digit = "0"; // the locale's own digits start here (messages only)
};

// Reads a whole number of milliseconds as typed in a settings box.
//
// Accepted: blanks around the number, one sign (the locale's or ASCII + and -),
// decimal digits of any script, the locale's group separator between correct
// groups of three, and the locale's decimal separator followed by digits. A
// fraction is rounded to the nearest whole number, halves to the even
// neighbour, computed exactly on the decimal digits. The result must fit 32
// bits, signed. Text that is not well-formed UTF-8 is not a number.
//
// What a paste brings along is overlooked: invisible format characters
// (direction marks, zero-width spaces) anywhere, and where the locale groups
// thousands with a space, any of the plain, no-break and narrow no-break
// spaces; where it groups with a right single quote, the plain apostrophe.
struct NumberReading {
    // OutOfRange: above the largest 32-bit value, or below the smallest.
    enum class Problem { None, Empty, NotANumber, OutOfRange };

    Problem problem = Problem::None;
    std::int32_t value = 0;
    bool negative = false; // for OutOfRange: which way

    bool ok() const { return problem == Problem::None; }
};

NumberReading read_whole_number(std::string_view utf8_text, const NumberSymbols& symbols);

} // namespace klankflits
