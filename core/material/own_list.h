#pragma once

// A teacher's own list, as typed or pasted into a box, read from a file
// (text_file.h) or carried in a link (list_link.h): one reading and one set of
// messages for every shell.
//
// One item a line; commas and semicolons separate items too. Blanks around an
// item are dropped and a run of blanks inside it is one space, so "de kat" is
// one item; empty items (a blank line, ",,") are skipped. An item holds
// letters and combining marks of any script, digits, hyphens (- U+2010
// U+2011), apostrophes (' U+2019 U+02BC), the joiners U+200C and U+200D, and
// blanks inside; its length counts its characters, neither the combining marks
// nor the joiners nor the bytes. Each item comes once ("Kat" and "kat" are
// two). Markup is text: "<b>" is three characters, the first not allowed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace klankflits
{

inline constexpr std::size_t own_list_most_items = 500;
inline constexpr std::size_t own_item_most_characters = 30;

struct OwnList {
    std::vector<std::string> items; // 1 to 500, in the order typed, UTF-8
    std::string message;            // what is wrong, in Dutch; empty when read
    std::size_t line = 0;           // the line the message names, from 1; 0 for none

    bool ok() const { return message.empty(); }
};

// Reads `text` (UTF-8; an ill-formed sequence is an unreadable character).
// The first problem, in the order of the text, is the message.
OwnList read_own_list(std::string_view text);

} // namespace klankflits
