#include "material/own_list.h"

#include "engine/character_classes.h"
#include "engine/utf8.h"

#include <array>
#include <cstdio>
#include <map>
#include <utility>

namespace klankflits
{

namespace
{

enum class Problem { empty, too_many, bad_character, too_long, duplicate };

// Every message of the reading; the {names} are filled in by message().
constexpr std::array<std::string_view, 5> messages = {
    "De lijst is leeg: zet één woord op elke regel, of komma's tussen de woorden.",
    "Regel {regel}: hier begint woord {aantal}; een lijst heeft hoogstens {meeste} woorden.",
    "Regel {regel}: \"{woord}\" heeft een teken dat niet in een woord hoort: {teken}",
    "Regel {regel}: \"{woord}\" heeft {aantal} tekens; een woord heeft er hoogstens {meeste}.",
    "Regel {regel}: \"{woord}\" staat al op regel {eerder}; elk woord staat er maar één keer in.",
};

struct Fill {
    std::size_t line = 0;
    std::u32string item;
    std::string character;
    std::size_t count = 0;
    std::size_t most = 0;
    std::size_t earlier = 0;
};

// An item is quoted up to this many characters, then "…".
constexpr std::size_t quoted_length = 40;

std::string quoted(const std::u32string& item)
{
    if (item.size() <= quoted_length)
        return encode_utf8(item);
    return encode_utf8(std::u32string_view(item).substr(0, quoted_length)) + "\u2026";
}

OwnList problem(Problem which, const Fill& fill)
{
    const std::pair<std::string_view, std::string> values[] = {
        {"{regel}", std::to_string(fill.line)},
        {"{woord}", quoted(fill.item)},
        {"{teken}", fill.character},
        {"{aantal}", std::to_string(fill.count)},
        {"{meeste}", std::to_string(fill.most)},
        {"{eerder}", std::to_string(fill.earlier)},
    };
    const std::string_view text = messages[static_cast<std::size_t>(which)];
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        bool filled = false;
        for (const auto& [name, value] : values) {
            if (text.substr(at, name.size()) == name) {
                out += value;
                at += name.size();
                filled = true;
                break;
            }
        }
        if (!filled)
            out += text[at++];
    }
    return {{}, std::move(out), fill.line};
}

bool is_line_break(char32_t c)
{
    return c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == U'\u0085' ||
           c == U'\u2028' || c == U'\u2029';
}

bool is_joiner(char32_t c)
{
    return c == U'\u200C' || c == U'\u200D';
}

bool belongs_in_a_word(char32_t c)
{
    return is_letter(c) || is_mark(c) || digit_value(c) >= 0 || is_joiner(c) || c == U' ' ||
           c == U'-' || c == U'\u2010' || c == U'\u2011' || c == U'\'' || c == U'\u2019' ||
           c == U'\u02BC';
}

// The character as the message shows it; an invisible one by its number.
std::string shown(char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || is_format_character(c) || is_blank(c)) {
        char number[24];
        std::snprintf(number, sizeof number, "U+%04X (onzichtbaar)", static_cast<unsigned>(c));
        return number;
    }
    std::string out;
    append_utf8(out, c);
    return out;
}

bool dropped_around(char32_t c)
{
    return is_blank(c) || is_format_character(c);
}

// Blanks and invisible format characters around dropped, a run of blanks
// inside made one space.
std::u32string tidied(std::u32string_view raw)
{
    std::size_t first = 0;
    std::size_t end = raw.size();
    while (first < end && dropped_around(raw[first]))
        ++first;
    while (end > first && dropped_around(raw[end - 1]))
        --end;
    std::u32string item;
    for (std::size_t i = first; i < end; ++i) {
        if (!is_blank(raw[i]))
            item.push_back(raw[i]);
        else if (item.back() != U' ')
            item.push_back(U' ');
    }
    return item;
}

class Reader
{
public:
    // One item as it ends; false when it is the problem.
    bool take(std::u32string_view raw, std::size_t line)
    {
        std::u32string item = tidied(raw);
        if (item.empty())
            return true;
        if (list_.items.size() == own_list_most_items) {
            list_ = problem(Problem::too_many,
                            {line, {}, {}, own_list_most_items + 1, own_list_most_items, 0});
            return false;
        }
        std::size_t characters = 0;
        for (const char32_t c : item) {
            if (!belongs_in_a_word(c)) {
                list_ = problem(Problem::bad_character, {line, item, shown(c), 0, 0, 0});
                return false;
            }
            characters += !is_mark(c) && !is_joiner(c);
        }
        if (characters > own_item_most_characters) {
            list_ = problem(Problem::too_long,
                            {line, item, {}, characters, own_item_most_characters, 0});
            return false;
        }
        std::string text = encode_utf8(item);
        const auto [seen, fresh] = lines_.emplace(text, line);
        if (!fresh) {
            list_ = problem(Problem::duplicate, {line, item, {}, 0, 0, seen->second});
            return false;
        }
        list_.items.push_back(std::move(text));
        return true;
    }

    OwnList finish()
    {
        if (list_.ok() && list_.items.empty())
            return problem(Problem::empty, {});
        return std::move(list_);
    }

private:
    OwnList list_;
    std::map<std::string, std::size_t> lines_; // each item's line
};

} // namespace

OwnList read_own_list(std::string_view text)
{
    const std::u32string code_points = decode_utf8_replacing(text);
    const std::u32string_view all(code_points);
    Reader reader;
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= all.size(); ++at) {
        const bool at_end = at == all.size();
        if (!at_end && !is_line_break(all[at]) && all[at] != U',' && all[at] != U';')
            continue;
        if (!reader.take(all.substr(start, at - start), line))
            break;
        start = at + 1;
        if (!at_end && is_line_break(all[at]) &&
            !(all[at] == U'\r' && at + 1 < all.size() && all[at + 1] == U'\n'))
            ++line;
    }
    return reader.finish();
}

} // namespace klankflits
