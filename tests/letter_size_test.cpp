#include "program/letter_size.h"

#include "program/exercise_keys.h"
#include "program/read_outs.h"
#include "support/named_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

TEST(LetterSize, StepsGrowEvenlyToFourTimes)
{
    EXPECT_DOUBLE_EQ(letter_size_factor(1), 1.0);
    EXPECT_DOUBLE_EQ(letter_size_factor(4), 4.0);
    // Each step the same factor larger: about 1.59 and 2.52 between.
    EXPECT_NEAR(letter_size_factor(2) / letter_size_factor(1),
                letter_size_factor(3) / letter_size_factor(2), 1e-12);
    EXPECT_NEAR(letter_size_factor(3) / letter_size_factor(2),
                letter_size_factor(4) / letter_size_factor(3), 1e-12);
}

TEST(LetterSize, NamedOneToFourAndNothingElse)
{
    for (const char* good : {"1", "2", "3", "4"})
        EXPECT_EQ(letter_size_named(good), good[0] - '0') << good;
    for (const char* bad : {"", "0", "5", "-1", "+2", "2.0", " 2", "2 ", "twee", "44", "1e1"})
        EXPECT_EQ(letter_size_named(bad), std::nullopt) << '"' << bad << '"';
}

TEST(LetterSize, KeysStepItNoFurtherThanTheEnds)
{
    EXPECT_EQ(exercise_key("+", false), ExerciseKey::letter_size_larger);
    EXPECT_EQ(exercise_key("=", false), ExerciseKey::letter_size_larger);
    EXPECT_EQ(exercise_key("-", false), ExerciseKey::letter_size_smaller);
    EXPECT_EQ(exercise_key("+", true), ExerciseKey::none) << "Alt or Meta: the system's";
    EXPECT_EQ(exercise_key("a", false), ExerciseKey::none);
    EXPECT_EQ(letter_size_stepped(1, -1), 1);
    EXPECT_EQ(letter_size_stepped(3, 1), 4);
    EXPECT_EQ(letter_size_stepped(4, 1), 4);
    EXPECT_EQ(letter_size_stepped(9, 0), 4);
}

// Measured as 10 px a letter: "schaa" and the other five-letter syllables
// are the widest, 50 px.
TEST(LetterSize, WidestSyllableAsTheShellMeasuresIt)
{
    const TwipsSize widest = widest_syllable(
        [](std::string_view s) { return 10.0 * static_cast<double>(s.size()); }, 37.2);
    EXPECT_EQ(widest.width, 750);
    EXPECT_EQ(widest.height, 558);
    // A chosen material's items: the 30-letter one is the widest, 300 px.
    const std::vector<std::string> items = {"kat", std::string(30, 'a'), "ziekenhuis"};
    EXPECT_EQ(widest_item(
                  items, [](std::string_view s) { return 10.0 * s.size(); }, 37.2)
                  .width,
              4500);
}

// A figure as wide as its read-out stays in place; a wider one grows to the
// left up to 3 px right of its word, then gets a smaller letter.
TEST(ReadOuts, WiderFiguresGrowLeftThenShrink)
{
    const auto as_wide_as = [](double twips) {
        return [twips](double scale) { return twips * scale; };
    };
    const ReadOutFit fits = fit_read_out("Label1", as_wide_as(735));
    EXPECT_DOUBLE_EQ(fits.place.left, 14280);
    EXPECT_DOUBLE_EQ(fits.letter_scale, 1.0);
    const ReadOutFit grows = fit_read_out("Label3", as_wide_as(900));
    EXPECT_DOUBLE_EQ(grows.place.left, 15015 - 900);
    EXPECT_DOUBLE_EQ(grows.place.width, 900);
    const ReadOutFit shrinks = fit_read_out("Label1", as_wide_as(1500));
    EXPECT_DOUBLE_EQ(shrinks.place.left, 13935 + 45);
    EXPECT_LE(1500 * shrinks.letter_scale, shrinks.place.width);
    EXPECT_GT(1500 * shrinks.letter_scale / 0.9, shrinks.place.width);
    const ReadOutFit at_the_least = fit_read_out("Label1", as_wide_as(100000));
    EXPECT_GE(at_the_least.letter_scale, 0.5);
    EXPECT_LT(at_the_least.letter_scale, 0.5 / 0.9);
}

struct LinkCase {
    const char* name;
    std::string value;
    std::optional<int> step;
    std::string note; // a piece of it; empty: no note at all
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.name;
}

class FromLink : public ::testing::TestWithParam<LinkCase>
{
};

// A whole number past the steps is the nearest end; anything else no step.
// Either way the console hears why.
TEST_P(FromLink, WholeNumbersToTheNearestStepAndNothingElse)
{
    const LinkCase& c = GetParam();
    const LinkLetterSize read = letter_size_from_link(c.value);
    EXPECT_EQ(read.step, c.step);
    if (!c.note.empty())
        EXPECT_NE(read.note.find(c.note), std::string::npos) << read.note;
    else
        EXPECT_EQ(read.note, "");
}

INSTANTIATE_TEST_SUITE_P(
    Values, FromLink,
    ::testing::Values(
        LinkCase{"three", "3", 3, ""}, LinkCase{"plus_four", "+4", 4, ""},
        LinkCase{"leading_zero", "04", 4, ""},
        LinkCase{"five", "5", 4, "\"5\" in de link is groter dan 4, dus wordt het 4"},
        LinkCase{"far_above", std::string(30, '9'), 4, "groter dan 4"},
        LinkCase{"zero", "000", 1, "kleiner dan 1, dus wordt het 1"},
        LinkCase{"negative", "-3", 1, "kleiner dan 1"},
        LinkCase{"fraction", "2.5", std::nullopt, "\"2.5\" in de link is geen heel getal"},
        LinkCase{"word", "abc", std::nullopt, "geen heel getal"},
        LinkCase{"empty", "", std::nullopt, "\"\" in de link is geen heel getal"},
        LinkCase{"sign_alone", "+", std::nullopt, "geen heel getal"},
        LinkCase{"blank_before", " 2", std::nullopt, "geen heel getal"},
        LinkCase{"direction_override_shown", "\u202E2", std::nullopt, "\"<U+202E>2\""},
        LinkCase{"long_value_cut", std::string(100000, 'x'), std::nullopt,
                 "\"" + std::string(40, 'x') + "\u2026\" in de link"}),
    [](const auto& info) { return std::string(info.param.name); });

struct GrownCase {
    const char* name;
    const char* control;
    TwipsSize content;
    int step;
    int drawn_step;
    double factor;
};

using testing::PrintTo;

class Grown : public ::testing::TestWithParam<GrownCase>
{
};

bool overlaps(const TwipsRect& a, const TwipsRect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// The content is centred where the control stands, at the step's size or the
// largest smaller step that stays inside the window and clear of the other
// controls; at step 1 a content that fits the control is the control's own
// place, and one that does not is drawn whole, shrunk if the window needs it.
TEST_P(Grown, AtTheStepThatFitsCentredOnTheControl)
{
    const GrownCase& c = GetParam();
    const GrownControl grown = grown_control(c.control, c.content, c.step);
    EXPECT_EQ(grown.step, c.drawn_step);
    EXPECT_NEAR(grown.factor, c.factor, 1e-9);
    const TwipsRect& place = exercise_window().control(c.control).place;
    EXPECT_NEAR(grown.box.left + grown.box.width / 2, place.left + place.width / 2.0, 1e-6);
    EXPECT_NEAR(grown.box.top + grown.box.height / 2, place.top + place.height / 2.0, 1e-6);
    if (c.drawn_step == 1 && c.content.width <= place.width && c.content.height <= place.height) {
        EXPECT_DOUBLE_EQ(grown.box.width, place.width);
        EXPECT_DOUBLE_EQ(grown.box.height, place.height);
    } else {
        EXPECT_DOUBLE_EQ(grown.box.width, c.content.width * grown.factor);
        EXPECT_DOUBLE_EQ(grown.box.height, c.content.height * grown.factor);
    }
    const WindowDescription& window = exercise_window();
    EXPECT_GE(grown.box.left, 0);
    EXPECT_LE(grown.box.left + grown.box.width, window.client.width);
    for (const ControlDescription& other : window.controls) {
        if (other.name != "txt_string" && other.name != "Picture1") {
            EXPECT_FALSE(overlaps(grown.box, other.place)) << other.name;
        }
    }
}

// Room for 13935 twips across, centred on txt_string: 6967.5 to its left.
INSTANTIATE_TEST_SUITE_P(
    Steps, Grown,
    ::testing::Values(
        // "schaa" in a bold 24 point face: about 110 x 38 px.
        GrownCase{"syllable_at_step_1", "txt_string", {1650, 570}, 1, 1, 1.0},
        GrownCase{"syllable_at_step_4", "txt_string", {1650, 570}, 4, 4, 4.0},
        GrownCase{"step_above_the_largest_is_the_largest", "txt_string", {1650, 570}, 9, 4, 4.0},
        GrownCase{"picture_at_step_4", "Picture1", {2295, 1695}, 4, 4, 4.0},
        // Four times as wide would leave the window; 2.52 times reaches Einde's
        // column but not its row; 1.59 times fits.
        GrownCase{"too_wide_for_step_4", "txt_string", {4500, 570}, 4, 3, letter_size_factor(3)},
        GrownCase{"too_wide_for_step_2", "txt_string", {14000, 570}, 4, 1, 13935.0 / 14000},
        // Tall enough at step 4 to reach the top of the window.
        GrownCase{"too_tall_for_step_4", "Picture1", {2295, 3000}, 4, 3, letter_size_factor(3)},
        // "ziekenhuis": about 200 px.
        GrownCase{"ziekenhuis_at_step_4", "txt_string", {3000, 570}, 4, 4, 4.0},
        // 30 characters of about 20 px: wider than txt_string, whole at its
        // own size at step 1, too wide for step 2.
        GrownCase{"thirty_characters_at_step_1", "txt_string", {9000, 570}, 1, 1, 1.0},
        GrownCase{"thirty_characters_at_step_4", "txt_string", {9000, 570}, 4, 1, 1.0},
        // 30 wide letters of 32 px: 960 px, more than the window has.
        GrownCase{
            "thirty_wide_characters_at_step_1", "txt_string", {14400, 570}, 1, 1, 13935.0 / 14400}),
    testing::case_name);

} // namespace
} // namespace klankflits
