#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace klankflits
{

// Reads a whole number of milliseconds as typed in a settings box.
//
// Accepted: blanks around the number, one sign (the locale's or ASCII + and -),
// decimal digits, the locale's group separator between correct groups of three,
// and the locale's decimal separator followed by digits. A fraction is rounded
// to the nearest whole number, halves to the even neighbour, computed exactly
// on the decimal digits. The result must fit 32 bits, signed.
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

NumberReading read_whole_number(const QString& text, const QLocale& locale = QLocale());

} // namespace klankflits
