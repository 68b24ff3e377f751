#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace klankflits
{

namespace detail
{
template <typename Int> bool fits(std::int64_t value)
{
    return value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max();
}
} // namespace detail

// Interval arithmetic that a user can push to the ends of the 32-bit range
// (speed buttons, block end) saturates there instead of failing: a button press
// must never end the exercise.
inline std::int32_t saturate_to_int32(std::int64_t value)
{
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

inline std::int32_t saturating_add(std::int32_t a, std::int32_t b)
{
    return saturate_to_int32(std::int64_t{a} + b);
}

inline std::int32_t saturating_sub(std::int32_t a, std::int32_t b)
{
    return saturate_to_int32(std::int64_t{a} - b);
}

// Additions that cannot overflow while the program works as designed (tick
// time, counters); an overflow here is a program fault and is reported as one.
template <typename Int> Int checked_add(Int a, Int b)
{
    static_assert(sizeof(Int) <= 4);
    const std::int64_t sum = std::int64_t{a} + b;
    if (!detail::fits<Int>(sum))
        throw std::overflow_error("arithmetic overflow");
    return static_cast<Int>(sum);
}

} // namespace klankflits
