// Fuzz target: a teacher's own list as a box, a file's bytes or a link gives
// it. The last byte of the input says which; the rest is the text, the bytes
// or the link's value. Checked:
// - a file's bytes always decode to well-formed UTF-8;
// - a list that is read holds 1 to 500 items, each once, well-formed, with no
//   separator and no blank around it, and reads back the same from its link
//   and from its items one a line;
// - a list that is not read has no items and a message, naming a line unless
//   it is the empty list's.

#include "engine/character_classes.h"
#include "engine/utf8.h"
#include "material/list_link.h"
#include "material/own_list.h"
#include "material/text_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace
{

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "own list: %s: \"%s\"\n", what, detail.c_str());
    std::abort();
}

void check_item(const std::string& item)
{
    const auto code_points = klankflits::decode_utf8(item);
    if (!code_points || code_points->empty())
        fail("an item that is empty or not UTF-8", item);
    if (klankflits::is_blank(code_points->front()) || klankflits::is_blank(code_points->back()))
        fail("an item with a blank around it", item);
    if (item.find_first_of(",;\n\r") != std::string::npos)
        fail("an item with a separator in it", item);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int from = in.ConsumeIntegralInRange<int>(0, 2);
    const std::string input = in.ConsumeRemainingBytesAsString();

    klankflits::OwnList list;
    if (from == 0) {
        list = klankflits::read_own_list(input);
    } else if (from == 1) {
        const std::string text = klankflits::decode_text_file(input);
        if (!klankflits::decode_utf8(text))
            fail("a file decoded to text that is not UTF-8", text);
        list = klankflits::read_own_list(text);
    } else {
        list = klankflits::own_list_from_link(input);
    }

    if (!list.ok()) {
        if (!list.items.empty())
            fail("items beside a message", list.message);
        if (list.line == 0
                ? list.message.rfind("De lijst is leeg", 0) != 0
                : list.message.rfind("Regel " + std::to_string(list.line) + ": ", 0) != 0)
            fail("a message that names no line", list.message);
        return 0;
    }
    if (list.items.empty() || list.items.size() > klankflits::own_list_most_items)
        fail("a list of no items or too many", std::to_string(list.items.size()));
    std::set<std::string> once;
    std::string lines;
    for (const std::string& item : list.items) {
        check_item(item);
        if (!once.insert(item).second)
            fail("an item twice", item);
        lines += item + "\n";
    }
    if (klankflits::own_list_from_link(klankflits::list_link_value(list.items)).items != list.items)
        fail("a list that its link does not give back", klankflits::list_link_value(list.items));
    if (klankflits::read_own_list(lines).items != list.items)
        fail("a list that its items one a line do not give back", lines);
    return 0;
}
