#include "material/list_link.h"

namespace klankflits
{

namespace
{

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool unreserved(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

OwnList own_list_from_link(std::string_view value)
{
    std::string text;
    text.reserve(value.size());
    for (std::size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        if (c == '+') {
            text.push_back(' ');
        } else if (c == '%' && at + 2 < value.size() && hex_value(value[at + 1]) >= 0 &&
                   hex_value(value[at + 2]) >= 0) {
            text.push_back(
                static_cast<char>(hex_value(value[at + 1]) * 16 + hex_value(value[at + 2])));
            at += 2;
        } else {
            text.push_back(c);
        }
    }
    return read_own_list(text);
}

std::string list_link_value(std::span<const std::string> items)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string value;
    for (const std::string& item : items) {
        if (!value.empty())
            value.push_back(',');
        for (const char c : item) {
            if (unreserved(c)) {
                value.push_back(c);
            } else {
                const auto byte = static_cast<unsigned char>(c);
                value += {'%', digits[byte >> 4], digits[byte & 0xF]};
            }
        }
    }
    return value;
}

} // namespace klankflits
