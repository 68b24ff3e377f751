#pragma once

#include <string>
#include <string_view>

namespace klankflits
{

// A plain text file's bytes as UTF-8 text, as the text editors of the
// schools' computers save it: UTF-8 with or without a byte order mark, UTF-16
// little- or big-endian with one, and else, when the bytes are not UTF-8,
// Windows-1252 (what Notepad calls "ANSI"). The mark is dropped; what cannot
// be decoded (half a UTF-16 pair, an odd last byte) becomes U+FFFD.
std::string decode_text_file(std::string_view bytes);

} // namespace klankflits
