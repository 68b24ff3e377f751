#include "material/text_file.h"

#include "engine/utf8.h"

#include <array>
#include <cstddef>

namespace klankflits
{

namespace
{

constexpr char32_t replacement = U'\uFFFD';

// 0x80 to 0x9F in Windows-1252; the five bytes it leaves out stay the C1
// controls of the same number, as Windows itself decodes them.
constexpr std::array<char16_t, 32> windows_1252_high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string from_utf16(std::string_view bytes, bool big_endian)
{
    const auto unit = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    };
    std::u32string text;
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char32_t u = unit(at);
        if (u >= 0xD800 && u <= 0xDBFF && at + 3 < bytes.size()) {
            const char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                text.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        text.push_back(u >= 0xD800 && u <= 0xDFFF ? replacement : u);
    }
    if (at < bytes.size())
        text.push_back(replacement);
    return encode_utf8(text);
}

std::string from_windows_1252(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        append_utf8(text, b >= 0x80 && b < 0xA0 ? windows_1252_high[b - 0x80] : char32_t{b});
    }
    return text;
}

bool starts_with(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

} // namespace

std::string decode_text_file(std::string_view bytes)
{
    if (starts_with(bytes, "\xEF\xBB\xBF"))
        return encode_utf8(decode_utf8_replacing(bytes.substr(3)));
    if (starts_with(bytes, "\xFF\xFE"))
        return from_utf16(bytes.substr(2), false);
    if (starts_with(bytes, "\xFE\xFF"))
        return from_utf16(bytes.substr(2), true);
    if (decode_utf8(bytes))
        return std::string(bytes);
    return from_windows_1252(bytes);
}

} // namespace klankflits
