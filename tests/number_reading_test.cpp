#include "engine/number_reading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace klankflits
{
namespace
{

using Problem = NumberReading::Problem;

// How these locales write numbers (QLocale and Intl agree on them).
const NumberSymbols nl{",", ".", "-", "+"}; // de_DE writes them the same way
const NumberSymbols en{".", ",", "-", "+"};
const NumberSymbols fr{",", "\u202F", "-", "+"};
const NumberSymbols ru{",", "\u00A0", "-", "+"};
const NumberSymbols de_ch{".", "\u2019", "-", "+"};
const NumberSymbols ar{"\u066B", "\u066C", "\u061C-", "\u061C+", "\u0660"};
const NumberSymbols fa{"\u066B", "\u066C", "\u200E\u2212", "\u200E+", "\u06F0"};

struct ReadingCase {
    const char* name;
    const NumberSymbols* symbols;
    std::string text; // UTF-8, or not
    Problem problem;
    std::int32_t value = 0;
    bool negative = false; // which way out of range
};

void PrintTo(const ReadingCase& c, std::ostream* os)
{
    *os << c.name;
}

class Reading : public ::testing::TestWithParam<ReadingCase>
{
};

TEST_P(Reading, GivesTheValueOrWhatIsWrong)
{
    const ReadingCase& c = GetParam();
    const NumberReading reading = read_whole_number(c.text, *c.symbols);
    EXPECT_EQ(reading.problem, c.problem);
    EXPECT_EQ(reading.ok(), c.problem == Problem::None);
    EXPECT_EQ(reading.value, c.value);
    EXPECT_EQ(reading.negative, c.negative);
}

ReadingCase ok(const char* name, const NumberSymbols& symbols, std::string text, std::int32_t value)
{
    return {name, &symbols, std::move(text), Problem::None, value};
}

ReadingCase bad(const char* name, const NumberSymbols& symbols, std::string text, Problem problem)
{
    return {name, &symbols, std::move(text), problem};
}

ReadingCase out_of_range(const char* name, std::string text, bool negative)
{
    return {name, &nl, std::move(text), Problem::OutOfRange, 0, negative};
}

INSTANTIATE_TEST_SUITE_P(
    Typed, Reading,
    ::testing::Values(
        ok("NlDefault", nl, "2000", 2000), ok("NlBlanksAndSign", nl, " -300 ", -300),
        ok("NlPlusSign", nl, "+25", 25), ok("NlZero", nl, "0", 0),
        ok("NlTwoAndAHalfToEven", nl, "2,5", 2), ok("NlThreeAndAHalfToEven", nl, "3,5", 4),
        ok("NlJustOverAHalfRoundsUp", nl, "2,5000001", 3),
        ok("NlBelowAHalfRoundsDown", nl, "2,4999999999999999999", 2),
        ok("NlNegativeHalfToEven", nl, "-2,5", -2), ok("NlNegativeThreeAndAHalf", nl, "-3,5", -4),
        ok("NlFractionOnly", nl, ",6", 1), ok("NlTrailingSeparator", nl, "7,", 7),
        ok("NlThousands", nl, "1.500", 1500), ok("NlGroupedMillions", nl, "2.000.000", 2000000),
        ok("NlLargest", nl, "2147483647", 2147483647),
        ok("NlSmallest", nl, "-2147483648", -2147483647 - 1),
        ok("NlLargestByRoundingDown", nl, "2147483647,4", 2147483647),
        ok("EnTwoAndAHalf", en, "2.5", 2), ok("EnThreeAndAHalf", en, "3.5", 4),
        ok("EnThousands", en, "1,500", 1500),
        // What a paste brings along: invisible format characters, look-alike spaces.
        ok("NlLeftToRightMarksAround", nl, "\u200E1500\u200E", 1500),
        ok("NlRightToLeftMarkBefore", nl, "\u200F1500", 1500),
        ok("NlZeroWidthSpaceInside", nl, "1\u200B500", 1500),
        ok("NlTagCharacterInside", nl, "1\U000E0020500", 1500),
        ok("NlFormatCharactersInANegative", nl, "\u2066-2,5\u2069", -2),
        ok("NlIdeographicSpacesAround", nl, "\u30002000\u3000", 2000),
        ok("FrNarrowNoBreakSpaceGroups", fr, "1\u202F500", 1500),
        ok("FrPlainSpaceGroups", fr, "1 500", 1500),
        ok("FrNoBreakSpaceGroups", fr, "1\u00A0500", 1500),
        ok("RuPlainSpaceGroups", ru, "2 000 000", 2000000),
        ok("DeChRightQuoteGroups", de_ch, "1\u2019500", 1500),
        ok("DeChApostropheGroups", de_ch, "1'500", 1500),
        ok("FaOwnMinusWithItsMark", fa, "\u200E\u2212\u06F5", -5),
        ok("ArOwnDigitsGroupsAndPoint", ar, "\u0662\u066C\u0660\u0660\u0660\u066B\u0665", 2000),
        // Digits outside the Basic Multilingual Plane, as Adlam and Chakma locales write them.
        ok("AdlamDigits", en, "\U0001E952\U0001E950\U0001E950\U0001E950", 2000),

        bad("NlEmpty", nl, "", Problem::Empty), bad("NlBlanksOnly", nl, "   ", Problem::Empty),
        bad("NlLetters", nl, "abc", Problem::NotANumber),
        bad("NlNumberThenLetters", nl, "200ms", Problem::NotANumber),
        bad("NlBareSign", nl, "-", Problem::NotANumber),
        bad("NlDoubleSign", nl, "--5", Problem::NotANumber),
        bad("NlSeparatorOnly", nl, ",", Problem::NotANumber),
        bad("NlBlankInside", nl, "20 00", Problem::NotANumber),
        bad("NlBadlyGrouped", nl, "2.5", Problem::NotANumber),
        bad("NlExponent", nl, "2e3", Problem::NotANumber),
        bad("EnCommaIsNoDecimalPoint", en, "2,5", Problem::NotANumber),
        out_of_range("NlTooLarge", "99999999999", false),
        out_of_range("NlOnePastTheTop", "2147483648", false),
        out_of_range("NlRoundsPastTheTop", "2147483647,5", false),
        out_of_range("NlOnePastTheBottom", "-2147483649", true),
        out_of_range("NlRoundsPastTheBottom", "-2147483648,6", true),
        out_of_range("NlVeryLong", std::string(400, '9'), false),
        bad("NlOnlyFormatCharacters", nl, "\u200E\u200B", Problem::Empty),
        bad("NlNoSpaceGroups", nl, "1\u00A0500", Problem::NotANumber),
        bad("NlNoApostropheGroups", nl, "1'500", Problem::NotANumber),
        bad("EnNoSpaceGroups", en, "1 500", Problem::NotANumber),
        bad("FrSpaceGroupsOfFour", fr, "1 5000", Problem::NotANumber),
        bad("FrTwoSpaces", fr, "1  500", Problem::NotANumber),
        bad("DeChApostropheAsDecimal", de_ch, "2'5", Problem::NotANumber),
        // Not UTF-8: never a number, however much of it looks like one.
        bad("StrayByte", nl, "5\xFF", Problem::NotANumber),
        bad("OverlongDigit", nl, "1\xC0\xB5", Problem::NotANumber),
        bad("EncodedSurrogate", nl, "1\xED\xA0\x80", Problem::NotANumber),
        bad("SequenceCutAtTheEnd", nl, "5\xE2\x82", Problem::NotANumber)),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace klankflits
