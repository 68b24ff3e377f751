#include "engine/quoted_text.h"

#include "engine/character_classes.h"
#include "engine/utf8.h"

#include <array>
#include <cstddef>
#include <cstdio>

namespace klankflits
{

namespace
{

constexpr std::string_view ellipsis = "\xE2\x80\xA6"; // U+2026

bool unseen(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           is_format_character(c);
}

std::string quoted(std::string_view typed, bool visibly)
{
    constexpr std::size_t longest = 40;
    std::u32string characters = decode_utf8_replacing(typed);
    const bool cut = characters.size() > longest;
    if (cut)
        characters.resize(longest);
    std::string quote = "\"";
    for (char32_t c : characters) {
        if (visibly && unseen(c)) {
            std::array<char, 16> code{};
            std::snprintf(code.data(), code.size(), "<U+%04X>", static_cast<unsigned>(c));
            quote += code.data();
        } else
            append_utf8(quote, c);
    }
    if (cut)
        quote += ellipsis;
    return quote + '"';
}

} // namespace

std::string quoted_text(std::string_view typed_utf8)
{
    return quoted(typed_utf8, false);
}

std::string quoted_text_visibly(std::string_view typed_utf8)
{
    return quoted(typed_utf8, true);
}

} // namespace klankflits
