#pragma once

#include <string>
#include <string_view>

namespace klankflits
{

// What a user typed, pasted or gave on the command line, as a message quotes
// it: in double quotes, a long text by its first 40 characters and "…".
// Ill-formed UTF-8 comes out as U+FFFD.
std::string quoted_text(std::string_view typed_utf8);

// The same for a terminal, where a control character could move the cursor
// and a direction character (U+202E, ...) would turn the rest of the line
// around: each of those, and every other invisible format character, is
// written as its code, "<U+202E>".
std::string quoted_text_visibly(std::string_view typed_utf8);

} // namespace klankflits
