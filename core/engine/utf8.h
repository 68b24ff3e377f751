#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace klankflits
{

// UTF-8 to code points and back. The shells hand the engine text as UTF-8; a
// box may hold anything a paste brings, so ill-formed input is expected.

// The code points of `text`, or nothing if it is not well-formed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
std::optional<std::u32string> decode_utf8(std::string_view text);

// The code points of `text`, each ill-formed sequence replaced by U+FFFD.
std::u32string decode_utf8_replacing(std::string_view text);

// Appends `code_point` (a Unicode scalar value) to `out` in UTF-8.
void append_utf8(std::string& out, char32_t code_point);

std::string encode_utf8(std::u32string_view code_points);

} // namespace klankflits
