#include "engine/exercise_state.h"
#include "engine/flash_sequencer.h"
#include "support/invariants.h"
#include "support/simulated_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using testing::broken_invariant;
using testing::SimulatedWindow;

constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();

// Delivers Timer1 ticks only, and returns the tick numbers (1-based) on which
// a flash step happened, up to `steps` of them.
std::vector<int> ticks_of_steps(SimulatedWindow& w, int steps)
{
    std::vector<int> at;
    for (int tick = 1; static_cast<int>(at.size()) < steps && tick < 10'000'000; ++tick) {
        const auto before = w.view.log.size();
        w.sequencer.timer1_tick();
        if (w.view.log.size() != before)
            at.push_back(tick);
    }
    return at;
}

// ---------------------------------------------------------------- a default run

TEST(DefaultRun, FirstStepOnTick100ShowsASyllableAndFillsTheReadOuts)
{
    SimulatedWindow w;
    const std::string first = w.view.txt_string;
    for (int tick = 1; tick < 100; ++tick)
        w.sequencer.timer1_tick();
    EXPECT_EQ(w.view.label1, "");
    EXPECT_EQ(w.view.label3, "");
    EXPECT_FALSE(w.view.txt_string_shown);
    EXPECT_EQ(w.view.syllables_drawn, 1);

    w.sequencer.timer1_tick();
    EXPECT_TRUE(w.view.txt_string_shown);
    EXPECT_EQ(w.view.label1, "2000");
    EXPECT_EQ(w.view.label3, "1");
    const std::vector<std::string> step = {"Label1=2000", "Label3=1", "txt_string.show",
                                           "txt_string=" + w.view.txt_string};
    EXPECT_TRUE(std::equal(step.begin(), step.end(), w.view.log.end() - 4));
}

TEST(DefaultRun, SeriesEndOrdersTimersSoOneIsAlwaysRunning)
{
    SimulatedWindow w;
    ASSERT_TRUE(w.run_until_logged("Picture1.show"));
    const auto& log = w.view.log;
    const auto picture = std::find(log.begin(), log.end(), "Picture1.show");
    const std::vector<std::string> series_end = {"Timer2.interval=3500", "Timer2.on",
                                                 "Picture1.show", "Timer1.off", "txt_string.hide"};
    EXPECT_TRUE(std::equal(series_end.begin(), series_end.end(), picture - 2));

    ASSERT_TRUE(w.run_until_logged("Timer2.off"));
    const auto pause_end = log.end() - 5;
    EXPECT_EQ(pause_end[0], "Timer2.off");
    EXPECT_EQ(pause_end[1], "Picture1.hide");
    EXPECT_EQ(pause_end[2], "Timer1.on");
    EXPECT_EQ(pause_end[3], "txt_string.hide");
    EXPECT_EQ(pause_end[4].rfind("txt_string=", 0), 0u);
}

// ---------------------------------------------------------------- pace

TEST(StepSpacing, TicksUntilNextStepAtTheTopOfTheRange)
{
    SimulatedWindow w(3, int32_max);
    EXPECT_EQ(w.sequencer.ticks_until_next_step(), 107374183); // 1 + 10k > 1073741823.5
}

TEST(StepSpacing, TicksUntilNextStepMatchesTickByTickDelivery)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        const auto interval = static_cast<std::int32_t>(rng() % 5000) - 200;
        SimulatedWindow w(round, interval);
        w.module.state.elapsed_ms = 1 + static_cast<std::int32_t>(rng() % 50) * 10;
        const auto predicted = w.sequencer.ticks_until_next_step();
        const auto at = ticks_of_steps(w, 1);
        ASSERT_EQ(at.size(), 1u);
        EXPECT_EQ(at[0], predicted) << "interval " << interval;
    }
}

TEST(BlockEnd, ReadOutShowsTheShortenedIntervalFromTheNextSeries)
{
    SimulatedWindow w(2, 400, 100);
    ASSERT_TRUE(w.run_until_logged("Timer2.interval=5500"));
    EXPECT_EQ(w.view.label1, "400");
    EXPECT_EQ(w.view.label3, "3");
    ASSERT_TRUE(w.run_until_logged("txt_string.show"));
    EXPECT_EQ(w.view.label1, "300");
    EXPECT_EQ(w.view.label3, "1");
}

// ---------------------------------------------------------------- speed buttons

TEST(SpeedButtons, SetTheStepTo100AndMoveTheIntervalBy100)
{
    SimulatedWindow w(4, 2000, 370);
    w.sequencer.command1_click();
    EXPECT_EQ(w.module.state.speed_step_ms, 100);
    EXPECT_EQ(w.module.state.interval_ms, 1900);
    w.sequencer.command2_click();
    w.sequencer.command2_click();
    EXPECT_EQ(w.module.state.interval_ms, 2100);
    // Each press is seen at once in the interval read-out, and touches nothing else.
    EXPECT_EQ(std::vector<std::string>(w.view.log.begin() + 1, w.view.log.end()),
              (std::vector<std::string>{"Label1=1900", "Label1=2000", "Label1=2100"}));
}

TEST(SpeedButtons, DuringAPauseChangeTheIntervalAtOnceButNotThePause)
{
    SimulatedWindow w;
    ASSERT_TRUE(w.run_until_logged("Picture1.show"));
    const auto log_size = w.view.log.size();
    w.sequencer.command1_click();
    w.sequencer.command1_click();
    EXPECT_EQ(w.module.state.interval_ms, 1800);
    EXPECT_EQ(w.view.log.size(), log_size + 2);
    EXPECT_EQ(w.view.label1, "1800");
    EXPECT_TRUE(w.view.picture1_shown);

    // The pause still ends on time; the next step comes half of 1800 ms later.
    w.advance_ms(3500);
    EXPECT_FALSE(w.view.picture1_shown);
    for (int tick = 1; tick < 90; ++tick)
        w.advance_10ms();
    EXPECT_FALSE(w.view.txt_string_shown);
    w.advance_10ms();
    EXPECT_TRUE(w.view.txt_string_shown);
    EXPECT_EQ(w.view.label1, "1800");
}

TEST(SpeedButtons, DownToZeroAndBelowStepEveryTickAndShowTheSign)
{
    SimulatedWindow w(8, 100, 100);
    w.sequencer.command1_click();
    w.sequencer.command1_click();
    EXPECT_EQ(w.module.state.interval_ms, -100);
    const auto at = ticks_of_steps(w, 3);
    EXPECT_EQ(at, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(w.view.label1, "-100");

    // The next block end puts the interval back to the step.
    ASSERT_TRUE(w.run_until_logged("Timer2.interval=5500"));
    EXPECT_EQ(w.module.state.interval_ms, 100);
}

TEST(SpeedButtons, ALaterBlockShortensByTheButtonStep)
{
    SimulatedWindow w(9, 1000, 400);
    w.sequencer.command2_click(); // 1100, step now 100
    ASSERT_TRUE(w.run_until_logged("Timer2.interval=5500"));
    EXPECT_EQ(w.module.state.interval_ms, 1000);
}

// ---------------------------------------------------------------- the ends of the range

TEST(Saturation, SpeedUpAtTheBottomOfTheRangeStaysThere)
{
    SimulatedWindow w(1, int32_min + 50);
    EXPECT_NO_THROW(w.sequencer.command1_click());
    EXPECT_EQ(w.module.state.interval_ms, int32_min);
    EXPECT_NO_THROW(w.sequencer.command1_click());
    EXPECT_EQ(w.module.state.interval_ms, int32_min);
    w.sequencer.command2_click();
    EXPECT_EQ(w.module.state.interval_ms, int32_min + 100);
}

TEST(Saturation, SlowDownAtTheTopOfTheRangeStaysThere)
{
    SimulatedWindow w(1, int32_max - 50);
    EXPECT_NO_THROW(w.sequencer.command2_click());
    EXPECT_EQ(w.module.state.interval_ms, int32_max);
    EXPECT_NO_THROW(w.sequencer.command2_click());
    EXPECT_EQ(w.module.state.interval_ms, int32_max);
}

TEST(Saturation, BlockEndWithOppositeExtremesSaturatesThenAppliesTheFloor)
{
    // Interval near the bottom, step near the top: the difference saturates at
    // the bottom and the floor then raises it to the step.
    SimulatedWindow low(1, int32_min + 5, int32_max - 5);
    ASSERT_TRUE(low.run_until_logged("Timer2.interval=5500"));
    EXPECT_EQ(low.module.state.interval_ms, int32_max - 5);

    // Interval at the top, step at the bottom: saturates at the top. The tick
    // that takes the elapsed time to the top of the range ends the block.
    SimulatedWindow high(1, int32_max, int32_min);
    high.module.state.series_count = 2;
    high.module.state.flash_count = 20;
    high.module.state.elapsed_ms = int32_max - 10;
    high.sequencer.timer1_tick();
    ASSERT_EQ(high.view.timer2_interval_ms, 5500);
    EXPECT_EQ(high.module.state.interval_ms, int32_max);
}

// ---------------------------------------------------------------- invariants

TEST(Invariants, HoldBetweenEventsOverALongRandomSession)
{
    SimulatedWindow w(2024, 600, 100);
    std::mt19937 rng(77);
    std::int64_t steps_seen = 0;
    for (int slot = 0; slot < 400'000; ++slot) {
        const auto roll = rng() % 1000;
        if (roll == 0)
            w.sequencer.command1_click();
        else if (roll == 1)
            w.sequencer.command2_click();
        else
            w.advance_10ms();

        ASSERT_EQ(broken_invariant(w.module, w.view), "") << "slot " << slot;
        steps_seen = std::max<std::int64_t>(steps_seen, w.view.syllables_drawn);
    }
    EXPECT_GT(steps_seen, 1000);
}

} // namespace
} // namespace klankflits
