#include "engine/character_classes.h"

#include <algorithm>
#include <array>

namespace klankflits
{

namespace
{

struct Range {
    char32_t first;
    char32_t last;
};

// Every decimal digit belongs to a run of ten, zero to nine, in order; these
// are the zeros of the runs.
constexpr auto digit_zeros = std::to_array<char32_t>({
    0x30,    0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,
    0xC66,   0xCE6,   0xD66,   0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,
    0x1810,  0x1946,  0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,
    0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066,
    0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0,
    0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2,
    0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0,
});

constexpr auto blanks = std::to_array<Range>({
    {0x09, 0x0D},
    {0x20, 0x20},
    {0x85, 0x85},
    {0xA0, 0xA0},
    {0x1680, 0x1680},
    {0x2000, 0x200A},
    {0x2028, 0x2029},
    {0x202F, 0x202F},
    {0x205F, 0x205F},
    {0x3000, 0x3000},
});

constexpr auto format_characters = std::to_array<Range>({
    {0xAD, 0xAD},       {0x600, 0x605},     {0x61C, 0x61C},     {0x6DD, 0x6DD},
    {0x70F, 0x70F},     {0x890, 0x891},     {0x8E2, 0x8E2},     {0x180E, 0x180E},
    {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x13438}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
});

// In order and apart, as the look-ups below need them.
constexpr bool sorted(const auto& ranges)
{
    return std::adjacent_find(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) {
               return b.first <= a.last;
           }) == ranges.end();
}
static_assert(std::is_sorted(digit_zeros.begin(), digit_zeros.end()));
static_assert(sorted(blanks) && sorted(format_characters));

template <std::size_t n> bool in_ranges(const std::array<Range, n>& ranges, char32_t code_point)
{
    // The ranges are sorted: the first that ends at or after the code point is the only candidate.
    const auto it = std::lower_bound(ranges.begin(), ranges.end(), code_point,
                                     [](const Range& r, char32_t cp) { return r.last < cp; });
    return it != ranges.end() && it->first <= code_point;
}

} // namespace

int digit_value(char32_t code_point)
{
    // The last zero at or before the code point.
    const auto after = std::upper_bound(digit_zeros.begin(), digit_zeros.end(), code_point);
    if (after == digit_zeros.begin())
        return -1;
    const char32_t offset = code_point - *(after - 1);
    return offset < 10 ? static_cast<int>(offset) : -1;
}

bool is_blank(char32_t code_point)
{
    return in_ranges(blanks, code_point);
}

bool is_format_character(char32_t code_point)
{
    return in_ranges(format_characters, code_point);
}

} // namespace klankflits
