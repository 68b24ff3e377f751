#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace klankflits
{

// A run of code points, both ends included; the character classes are sorted
// tables of them.
struct CodePointRange {
    char32_t first;
    char32_t last;
};

// In order and apart, as in_ranges needs them.
template <std::size_t n> constexpr bool ranges_sorted(const std::array<CodePointRange, n>& ranges)
{
    return std::adjacent_find(ranges.begin(), ranges.end(),
                              [](const CodePointRange& a, const CodePointRange& b) {
                                  return b.first <= a.last;
                              }) == ranges.end();
}

template <std::size_t n>
bool in_ranges(const std::array<CodePointRange, n>& ranges, char32_t code_point)
{
    // The ranges are sorted: the first that ends at or after the code point is the only candidate.
    const auto it =
        std::lower_bound(ranges.begin(), ranges.end(), code_point,
                         [](const CodePointRange& r, char32_t cp) { return r.last < cp; });
    return it != ranges.end() && it->first <= code_point;
}

} // namespace klankflits
