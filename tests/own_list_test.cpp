#include "material/list_link.h"
#include "material/own_list.h"
#include "material/text_file.h"
#include "support/named_case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using testing::case_name;
using testing::PrintTo;

enum class From { box, file, link };

struct ListCase {
    const char* name;
    From from;
    std::string input; // as typed, a file's bytes, or the value after "#lijst="
    std::vector<std::string> items;
    std::string message; // empty: read
};

std::string repeated(const std::string& part, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

std::string numbered_lines(int count)
{
    std::string out;
    for (int i = 1; i <= count; ++i)
        out += "woord" + std::to_string(i) + "\n";
    return out;
}

std::vector<std::string> numbered_items(int count)
{
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i)
        out.push_back("woord" + std::to_string(i));
    return out;
}

const std::string bad = "heeft een teken dat niet in een woord hoort: ";

const ListCase list_cases[] = {
    {"OneALine", From::box, "kat\nmaan\nhuis", {"kat", "maan", "huis"}, ""},
    {"CommasAndSemicolons", From::box, "kat, maan;huis\nboom", {"kat", "maan", "huis", "boom"}, ""},
    {"WindowsLineEndsAndBlankLines", From::box, "kat\r\n\r\n maan\r\n", {"kat", "maan"}, ""},
    {"BlanksAroundDroppedInsideOne",
     From::box,
     "  de kat \t,\tde \u00A0 hond ",
     {"de kat", "de hond"},
     ""},
    {"ApostrophesAndHyphens",
     From::box,
     "auto's\nzee-egel\nauto\u2019s",
     {"auto's", "zee-egel", "auto\u2019s"},
     ""},
    {"LettersOfOtherScripts",
     From::box,
     "\u03B5\u03BB\u03B9\u03AC\n\u043A\u043E\u0448\u043A\u0430\n\u0642\u0637\u0629\n\u05D7\u05EA"
     "\u05D5\u05DC\n"
     "\u732B\n\u0939\u093F\u0928\u094D\u0926\u0940\nda\u011F",
     {"\u03B5\u03BB\u03B9\u03AC", "\u043A\u043E\u0448\u043A\u0430", "\u0642\u0637\u0629",
      "\u05D7\u05EA\u05D5\u05DC", "\u732B", "\u0939\u093F\u0928\u094D\u0926\u0940", "da\u011F"},
     ""},
    {"Digits", From::box, "3 biggetjes\n\u0663", {"3 biggetjes", "\u0663"}, ""},
    {"ThirtyCharacters", From::box, repeated("a", 30), {repeated("a", 30)}, ""},
    {"ThirtyCharactersOfTwoBytes", From::box, repeated("\u00E9", 30), {repeated("\u00E9", 30)}, ""},
    {"AccentsAsMarksAreNotCounted",
     From::box,
     repeated("e\u0301", 30),
     {repeated("e\u0301", 30)},
     ""},
    {"ThirtyOneCharacters",
     From::box,
     "kat\n" + repeated("a", 31),
     {},
     "Regel 2: \"" + repeated("a", 31) + "\" heeft 31 tekens; een woord heeft er hoogstens 30."},
    {"FiveHundredItems", From::box, numbered_lines(500), numbered_items(500), ""},
    {"FiveHundredAndOneItems",
     From::box,
     numbered_lines(501),
     {},
     "Regel 501: hier begint woord 501; een lijst heeft hoogstens 500 woorden."},
    {"Empty",
     From::box,
     "",
     {},
     "De lijst is leeg: zet één woord op elke regel, of komma's tussen de woorden."},
    {"OnlySeparatorsAndBlanks",
     From::box,
     " \n , ;\t\n",
     {},
     "De lijst is leeg: zet één woord op elke regel, of komma's tussen de woorden."},
    {"AWrongCharacterNamesItsLine",
     From::box,
     "kat\nmaan\nkat<",
     {},
     "Regel 3: \"kat<\" " + bad + "<"},
    {"MarkupIsText", From::box, "<b>huis</b>", {}, "Regel 1: \"<b>huis</b>\" " + bad + "<"},
    {"AnInvisibleCharacterByItsNumber",
     From::box,
     "ka\u200Bt",
     {},
     "Regel 1: \"ka\u200Bt\" " + bad + "U+200B (onzichtbaar)"},
    {"ALongItemQuotedShort",
     From::box,
     repeated("x", 50) + "!",
     {},
     "Regel 1: \"" + repeated("x", 40) + "\u2026\" " + bad + "!"},
    {"EachItemOnce",
     From::box,
     "kat\nmaan\nkat",
     {},
     "Regel 3: \"kat\" staat al op regel 1; elk woord staat er maar één keer in."},
    {"NotUtf8InABox", From::box, "caf\xE9", {}, "Regel 1: \"caf\uFFFD\" " + bad + "\uFFFD"},

    {"FileUtf8WithMark", From::file, "\xEF\xBB\xBFkat\nmaan", {"kat", "maan"}, ""},
    {"FileUtf8", From::file, "caf\xC3\xA9", {"caf\u00E9"}, ""},
    {"FileUtf16LittleEndian",
     From::file,
     std::string("\xFF\xFE"
                 "c\0a\0f\0\xE9\0\n\0k\0",
                 14),
     {"caf\u00E9", "k"},
     ""},
    {"FileUtf16BigEndianPair",
     From::file,
     std::string("\xFE\xFF\0k\xD8\x35\xDC\x9C", 8),
     {"k\U0001D49C"},
     ""},
    {"FileNotepadAnsi",
     From::file,
     "caf\xE9\r\nna\xEF"
     "ef\r\nauto\x92s",
     {"caf\u00E9", "na\u00EFef", "auto\u2019s"},
     ""},
    {"FileAnsiEuro", From::file, "5\x80", {}, "Regel 1: \"5\u20AC\" " + bad + "\u20AC"},

    {"LinkOfThree", From::link, "kat,maan,huis", {"kat", "maan", "huis"}, ""},
    {"LinkPercentEncoded",
     From::link,
     "de%20kat,auto%27s,caf%C3%A9,de+hond",
     {"de kat", "auto's", "caf\u00E9", "de hond"},
     ""},
    {"LinkLines", From::link, "kat%0Amaan%0Akat%3C", {}, "Regel 3: \"kat<\" " + bad + "<"},
    {"LinkPercentWithoutDigits", From::link, "50%", {}, "Regel 1: \"50%\" " + bad + "%"},
    {"LinkEmpty",
     From::link,
     "",
     {},
     "De lijst is leeg: zet één woord op elke regel, of komma's tussen de woorden."},
};

class OwnListReading : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(OwnListReading, GivesTheItemsOrOneMessage)
{
    const ListCase& c = GetParam();
    const OwnList list = c.from == From::box    ? read_own_list(c.input)
                         : c.from == From::file ? read_own_list(decode_text_file(c.input))
                                                : own_list_from_link(c.input);
    EXPECT_EQ(list.message, c.message);
    EXPECT_EQ(list.items, c.message.empty() ? c.items : std::vector<std::string>{});
    EXPECT_EQ(list.ok(), c.message.empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, OwnListReading, ::testing::ValuesIn(list_cases), case_name);

TEST(OwnListLink, WritesWhatItReads)
{
    const std::vector<std::string> items = {"kat",      "de kat",    "auto's",
                                            "zee-egel", "caf\u00E9", "\u03B5\u03BB\u03B9\u03AC"};
    const std::string value = list_link_value(items);
    EXPECT_EQ(value.substr(0, 30), "kat,de%20kat,auto%27s,zee-egel");
    EXPECT_EQ(value.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                      "0123456789-._~%,"),
              std::string::npos);
    EXPECT_EQ(own_list_from_link(value).items, items);
}

} // namespace
} // namespace klankflits
