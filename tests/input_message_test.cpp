#include "engine/input_message.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace klankflits
{
namespace
{

using Problem = NumberReading::Problem;

const NumberSymbols nl{",", ".", "-", "+"};
const NumberSymbols en{".", ",", "-", "+"};
const NumberSymbols ar{"\u066B", "\u066C", "\u061C-", "\u061C+", "\u0660"};

std::string repeated(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct MessageCase {
    const char* name;
    NumberReading reading;
    std::string prompt;
    std::string typed;
    NumberSymbols symbols;
    std::string problem;        // the message's first paragraph
    std::string two_and_a_half; // its example, in the locale's writing
};

void PrintTo(const MessageCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProblemMessage : public ::testing::TestWithParam<MessageCase>
{
};

TEST_P(ProblemMessage, NamesTheBoxQuotesTheTextAndSaysWhatIsWrong)
{
    const MessageCase& c = GetParam();
    // Each box's example is a number that fits it.
    const std::string example = c.prompt == "Geef versnelling" ? "100" : "2000";
    EXPECT_EQ(reading_problem_message(c.reading, c.prompt, c.typed, c.symbols, std::stoi(example)),
              c.problem + "\n\nVul een getal in, in milliseconden, bijvoorbeeld " + example +
                  ". Een getal als " + c.two_and_a_half + " wordt afgerond op een heel getal.");
}

const NumberReading empty{Problem::Empty};
const NumberReading not_a_number{Problem::NotANumber};
const NumberReading too_large{Problem::OutOfRange, 0, false};
const NumberReading too_small{Problem::OutOfRange, 0, true};

INSTANTIATE_TEST_SUITE_P(
    Readings, ProblemMessage,
    ::testing::Values(
        MessageCase{"Empty", empty, "Geef start interval", "", nl,
                    "Bij \"Geef start interval\" staat nog niets.", "2,5"},
        MessageCase{"NotANumber", not_a_number, "Geef versnelling", "snel", en,
                    "Bij \"Geef versnelling\" staat \"snel\". Dat is geen getal.", "2.5"},
        MessageCase{"TooLarge", too_large, "Geef start interval", "99999999999", nl,
                    "Bij \"Geef start interval\" staat \"99999999999\". Dat getal is te groot: "
                    "het kleinste getal is -2147483648, het grootste 2147483647.",
                    "2,5"},
        MessageCase{"TooSmall", too_small, "Geef versnelling", "-99999999999", nl,
                    "Bij \"Geef versnelling\" staat \"-99999999999\". Dat getal is te klein: "
                    "het kleinste getal is -2147483648, het grootste 2147483647.",
                    "2,5"},
        MessageCase{"FortyCharactersWhole", not_a_number, "Geef start interval",
                    std::string(39, '7') + "x", nl,
                    "Bij \"Geef start interval\" staat \"" + std::string(39, '7') +
                        "x\". Dat is geen getal.",
                    "2,5"},
        MessageCase{"LongPasteByItsStart", not_a_number, "Geef start interval",
                    std::string(10000, '7') + "x", nl,
                    "Bij \"Geef start interval\" staat \"" + std::string(40, '7') +
                        "\u2026\". Dat is geen getal.",
                    "2,5"},
        // Forty characters, not forty bytes, nor forty UTF-16 units.
        MessageCase{"LongPasteOfAccentedLetters", not_a_number, "Geef start interval",
                    repeated("\u00E9", 45), nl,
                    "Bij \"Geef start interval\" staat \"" + repeated("\u00E9", 40) +
                        "\u2026\". Dat is geen getal.",
                    "2,5"},
        MessageCase{"LongPasteOutsideTheBasicPlane", not_a_number, "Geef start interval",
                    repeated("\U0001F600", 41), nl,
                    "Bij \"Geef start interval\" staat \"" + repeated("\U0001F600", 40) +
                        "\u2026\". Dat is geen getal.",
                    "2,5"},
        MessageCase{"NotUtf8IsShownAsReplacementCharacters", not_a_number, "Geef start interval",
                    "5\xFF\xC0", nl,
                    "Bij \"Geef start interval\" staat \"5\uFFFD\uFFFD\". Dat is geen getal.",
                    "2,5"},
        MessageCase{"ArabicDigitsAndPoint", empty, "Geef start interval", "", ar,
                    "Bij \"Geef start interval\" staat nog niets.", "\u0662\u066B\u0665"},
        MessageCase{"ZeroDigitThatIsNoZero", empty, "Geef start interval", "",
                    NumberSymbols{",", ".", "-", "+", "\u0665"},
                    "Bij \"Geef start interval\" staat nog niets.", "2,5"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace klankflits
