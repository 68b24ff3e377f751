#include "engine/number_reading.h"

#include "engine/character_classes.h"
#include "engine/utf8.h"

#include <algorithm>
#include <limits>

namespace klankflits
{

namespace
{

using Problem = NumberReading::Problem;

// A locale's symbol as code points, without format characters; one that is not
// well-formed UTF-8 matches nothing.
std::u32string visible_symbol(std::string_view utf8)
{
    std::u32string symbol = decode_utf8(utf8).value_or(std::u32string{});
    std::erase_if(symbol, is_format_character);
    return symbol;
}

std::u32string trimmed(std::u32string_view text)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return std::u32string(text);
}

bool is_space_separator(char32_t c)
{
    return c == U' ' || c == U'\u00A0' || c == U'\u202F';
}

// Writes the group separators a user may type for the locale's own one.
void write_locale_group_separator(std::u32string& text, std::u32string_view group)
{
    if (group.size() != 1)
        return;
    const char32_t own = group.front();
    for (char32_t& c : text)
        if ((is_space_separator(own) && is_space_separator(c)) || (own == U'\u2019' && c == U'\''))
            c = own;
}

// Length of the sign at the start of `text`, the locale's own or the ASCII one; 0 if none.
std::size_t sign_length(std::u32string_view text, std::u32string_view locale_sign, char32_t ascii)
{
    if (!locale_sign.empty() && text.starts_with(locale_sign))
        return locale_sign.size();
    return text.starts_with(ascii) ? 1 : 0;
}

// Appends the digits of a run from `at` to `digits` as ASCII.
void read_digits(std::u32string_view text, std::size_t& at, std::string& digits)
{
    for (; at < text.size() && digit_value(text[at]) >= 0; ++at)
        digits.push_back(static_cast<char>('0' + digit_value(text[at])));
}

// Parses the digits of the whole part, allowing group separators only between
// groups of exactly three digits after the first group.
bool read_whole_part(std::u32string_view text, std::size_t& at, std::u32string_view group,
                     std::string& digits)
{
    bool grouped = false;
    while (true) {
        const std::size_t group_start = at;
        read_digits(text, at, digits);
        const std::size_t group_length = at - group_start;
        if (group.empty() || !text.substr(at).starts_with(group))
            return !grouped || group_length == 3;
        // A separator needs 1 to 3 digits before it (first group) or exactly 3.
        if (group_length == 0 || group_length > 3 || (grouped && group_length != 3))
            return false;
        grouped = true;
        at += group.size();
    }
}

} // namespace

NumberReading read_whole_number(std::string_view utf8_text, const NumberSymbols& symbols)
{
    std::optional<std::u32string> decoded = decode_utf8(utf8_text);
    if (!decoded)
        return {Problem::NotANumber, 0};
    std::erase_if(*decoded, is_format_character);
    const std::u32string group = visible_symbol(symbols.group_separator);
    std::u32string text = trimmed(*decoded);
    write_locale_group_separator(text, group);
    if (text.empty())
        return {Problem::Empty, 0};

    std::size_t at = sign_length(text, visible_symbol(symbols.negative_sign), U'-');
    const bool negative = at > 0;
    if (!negative)
        at = sign_length(text, visible_symbol(symbols.positive_sign), U'+');

    std::string whole;
    if (!read_whole_part(text, at, group, whole))
        return {Problem::NotANumber, 0};

    std::string fraction;
    const std::u32string point = visible_symbol(symbols.decimal_point);
    if (!point.empty() && std::u32string_view(text).substr(at).starts_with(point)) {
        at += point.size();
        read_digits(text, at, fraction);
    }
    if (at != text.size() || (whole.empty() && fraction.empty()))
        return {Problem::NotANumber, 0};

    // The magnitude, held exactly while it can still fit 32 bits.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char digit : whole) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > limit)
            return {Problem::OutOfRange, 0, negative};
    }

    // Round half to even on the decimal digits themselves.
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool rest_nonzero = fraction.find_first_not_of('0', 1) != std::string::npos;
        if (first > '5' || (first == '5' && (rest_nonzero || magnitude % 2 == 1)))
            ++magnitude;
    }

    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return {Problem::OutOfRange, 0, negative};
    return {Problem::None, static_cast<std::int32_t>(value)};
}

} // namespace klankflits
