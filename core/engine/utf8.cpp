#include "engine/utf8.h"

#include <cstddef>

namespace klankflits
{

namespace
{

constexpr char32_t replacement_character = U'\uFFFD';

// Decodes the sequence at `at` and moves past it. An ill-formed sequence gives
// nothing and is skipped as far as its longest well-formed start, as the Unicode
// standard recommends, so that a stray byte never swallows the text after it.
std::optional<char32_t> next_code_point(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80)
        return lead;

    std::size_t length = 0;
    char32_t value = 0;
    // The range of the second byte narrows for the leads that could start an
    // overlong form, a surrogate or a value past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return std::nullopt;
    }

    for (std::size_t i = 1; i < length; ++i) {
        if (at >= text.size())
            return std::nullopt;
        const unsigned char next = byte(at);
        if (next < low || next > high)
            return std::nullopt;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (next & 0x3Fu);
        ++at;
    }
    return value;
}

} // namespace

std::optional<std::u32string> decode_utf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> code_point = next_code_point(text, at);
        if (!code_point)
            return std::nullopt;
        out.push_back(*code_point);
    }
    return out;
}

std::u32string decode_utf8_replacing(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();)
        out.push_back(next_code_point(text, at).value_or(replacement_character));
    return out;
}

void append_utf8(std::string& out, char32_t code_point)
{
    const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (code_point < 0x80) {
        put(code_point);
    } else if (code_point < 0x800) {
        put(0xC0 | (code_point >> 6));
        put(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        put(0xE0 | (code_point >> 12));
        put(0x80 | ((code_point >> 6) & 0x3F));
        put(0x80 | (code_point & 0x3F));
    } else {
        put(0xF0 | (code_point >> 18));
        put(0x80 | ((code_point >> 12) & 0x3F));
        put(0x80 | ((code_point >> 6) & 0x3F));
        put(0x80 | (code_point & 0x3F));
    }
}

std::string encode_utf8(std::u32string_view code_points)
{
    std::string out;
    out.reserve(code_points.size());
    for (const char32_t code_point : code_points)
        append_utf8(out, code_point);
    return out;
}

} // namespace klankflits
