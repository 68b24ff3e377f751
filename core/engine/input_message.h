#pragma once

#include "engine/number_reading.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace klankflits
{

// The settings window's message for a box whose text could not be read, in
// plain text (UTF-8; never markup): the box by its prompt, the typed text
// quoted (quoted_text: a long paste by its first 40 characters), which way a number is out
// of range, a number that fits the box (`example_ms`) and how a fraction is
// read, in the user's own way of writing numbers. Ill-formed UTF-8 in any of
// the inputs comes out as U+FFFD.
std::string reading_problem_message(const NumberReading& reading, std::string_view prompt,
                                    std::string_view typed_utf8, const NumberSymbols& symbols,
                                    std::int32_t example_ms);

} // namespace klankflits
