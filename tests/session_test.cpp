// The program's sequence on its two windows, without a window: what the
// settings window shows, what Start takes or names, and the exercise's load,
// clicks and end on a recording view.

#include "program/session.h"
#include "support/expected_syllables.h"
#include "support/named_case.h"
#include "support/recording_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using testing::RecordingView;

class SessionTest : public ::testing::Test
{
protected:
    Module1 module{5};
    Session session{module};
    void SetUp() override { session.start_up(); }
};

TEST_F(SessionTest, StartTakesBothNumbers)
{
    EXPECT_FALSE(session.start("1.500", "50", NumberSymbols{",", ".", "-", "+", "0"}));
    EXPECT_EQ(session.txt_start_text(), "1500");
    EXPECT_EQ(session.txt_speed_text(), "50");
}

struct BadStart {
    const char* name;
    const char* txt_start;
    const char* txt_speed;
    const char* box;
    const char* message_begins;
};

class StartWithABadBox : public SessionTest, public ::testing::WithParamInterface<BadStart>
{
};

// The first box that cannot be read is named with its message; neither
// number changes from the start-up's defaults, not even the good one.
TEST_P(StartWithABadBox, NamesTheBoxAndChangesNothing)
{
    const BadStart& c = GetParam();
    const auto problem = session.start(c.txt_start, c.txt_speed, NumberSymbols{});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->box, c.box);
    EXPECT_TRUE(problem->message.starts_with(c.message_begins)) << problem->message;
    EXPECT_EQ(session.txt_start_text(), "2000");
    EXPECT_EQ(session.txt_speed_text(), "100");
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, StartWithABadBox,
    ::testing::Values(BadStart{"interval", "tien", "50", "txt_start",
                               "Bij \"Geef start interval\" staat \"tien\". Dat is geen getal."},
                      BadStart{"speed_empty", "1500", "", "txt_speed",
                               "Bij \"Geef versnelling\" staat nog niets."},
                      BadStart{"both_the_first", "x", "y", "txt_start",
                               "Bij \"Geef start interval\""}),
    testing::case_name);

// The settings window's choice at Start, as the shells hand it over.
struct Choice {
    const char* name;
    const char* material;
    const char* order;
    const char* txt_list;
    const char* problem_box; // empty when chosen
    const char* title;
    Order order_chosen;
};

class ChoosingInTheSettingsWindow : public SessionTest, public ::testing::WithParamInterface<Choice>
{
};

TEST_P(ChoosingInTheSettingsWindow, TakesItOrNamesTheBoxAndChangesNothing)
{
    const Choice& c = GetParam();
    const auto problem = session.choose(c.material, c.order, c.txt_list);
    EXPECT_EQ(problem ? problem->box : "", std::string_view(c.problem_box));
    if (problem) {
        EXPECT_FALSE(problem->message.empty());
    }
    EXPECT_EQ(session.exercise_title(), c.title);
    EXPECT_EQ(session.order(), c.order_chosen);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChoosingInTheSettingsWindow,
                         ::testing::Values(Choice{"ccv_own_order", "ccv", "", "kat", "",
                                                  "ZVK van CCV-structuren", Order::drawn_anew},
                                           Choice{"set_as_listed", "mkmm", "op-volgorde", "", "",
                                                  "ZVK van mkmm-woorden", Order::as_listed},
                                           Choice{"own_list", "eigen", "", "kat\nmaan", "",
                                                  "ZVK van eigen woorden", Order::shuffled},
                                           Choice{"own_list_bad_line", "eigen", "", "kat\n<b>",
                                                  "txt_list", "ZVK van CCV-structuren",
                                                  Order::drawn_anew},
                                           Choice{"own_list_empty", "eigen", "", " \n", "txt_list",
                                                  "ZVK van CCV-structuren", Order::drawn_anew},
                                           Choice{"unknown_material", "abc", "", "", "cmb_material",
                                                  "ZVK van CCV-structuren", Order::drawn_anew},
                                           Choice{"unknown_order", "mkmm", "abc", "", "cmb_order",
                                                  "ZVK van CCV-structuren", Order::drawn_anew}),
                         testing::case_name);

TEST_F(SessionTest, LoadDrawsTheFirstSyllableIntoTheHiddenLabelThenTicksClicksAndEnd)
{
    ASSERT_FALSE(session.start("400", "100", NumberSymbols{}));
    RecordingView view;
    FlashSequencer& sequencer = session.load_exercise(view, view);
    ASSERT_EQ(view.log.size(), 1u) << "only the syllable drawn";
    EXPECT_TRUE(testing::valid_syllables().count(view.txt_string)) << view.txt_string;
    EXPECT_FALSE(view.txt_string_shown);

    for (int tick = 0; tick < 20 && !view.txt_string_shown; ++tick)
        sequencer.timer1_tick();
    EXPECT_TRUE(view.txt_string_shown);
    EXPECT_EQ(view.label1, "400");

    session.click(SpeedButton::command1);
    EXPECT_EQ(view.label1, "300");
    session.click(SpeedButton::command2);
    session.click(SpeedButton::command2);
    EXPECT_EQ(view.label1, "500");

    session.end();
    const std::vector<std::string> before = view.log;
    session.click(SpeedButton::command1);
    EXPECT_EQ(view.log, before) << "a click after Einde";
    EXPECT_EQ(module.state.interval_ms, 500);
}

} // namespace
} // namespace klankflits
