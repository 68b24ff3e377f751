// A whole day of ticks through the engine on the ideal 10 ms clock: the
// window's invariants hold in every slot, and the day ends where the rules'
// time line (support/nominal_pace.h) puts it.
//
// A series takes 21 steps of k ticks each, where k is the smallest whole
// number >= 1 with 1 + 10k > interval_ms / 2, followed by its pause: the step
// that ends the series falls in one slot, and Timer2 fires 350 (after the third
// series of a block: 550) slots later, in a slot of its own. A block of three
// series therefore takes 63k + 1250 slots. With the defaults k = interval / 20,
// so a block at 100m ms takes (3.15m + 12.5) s: the blocks at 2000, 1900, ...,
// 200 take 895.85 s together, and the interval reaches 100 at the end of the
// nineteenth block, at 890.35 s, just before its long pause. From then on every
// block takes 15.65 s at 100 ms.

#include "support/expected_syllables.h"
#include "support/invariants.h"
#include "support/named_case.h"
#include "support/nominal_pace.h"
#include "support/simulated_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace klankflits
{
namespace
{

using testing::broken_invariant;
using testing::NominalPace;
using testing::PrintTo;
using testing::SimulatedWindow;
using testing::valid_syllables;

constexpr std::int64_t slots_per_day = 24LL * 60 * 60 * 100; // 8'640'000 slots of 10 ms

struct DayEnd {
    std::int64_t interval_ms = 0;
    std::int64_t blocks = 0;               // long pauses begun
    std::int64_t series = 0;               // pauses begun
    std::int64_t flash_count = 0;          // at the end of the day
    std::int64_t series_count = 0;         // at the end of the day
    bool paused = false;                   // Timer2 running at the end of the day
    std::int64_t slot_of_last_change = -1; // step slot of the last change of interval_ms
};

// The rules' time line, followed change by change to the end of the day.
DayEnd expected_day(std::int64_t interval, std::int64_t step, std::int64_t slots)
{
    NominalPace pace(interval, step);
    DayEnd end;
    while (pace.next_at() <= slots * NominalPace::tick_ms) {
        const NominalPace::Event event = pace.next();
        if (event.change != NominalPace::Change::picture_shown)
            continue;
        ++end.series;
        end.blocks += event.pause_ms == NominalPace::long_pause_ms ? 1 : 0;
        if (pace.interval_ms() != interval) {
            interval = pace.interval_ms();
            end.slot_of_last_change = event.at_ms / NominalPace::tick_ms;
        }
    }
    end.interval_ms = pace.interval_ms();
    end.flash_count = pace.flash_count();
    end.series_count = pace.series_count();
    end.paused = pace.paused();
    return end;
}

struct Pace {
    const char* name;
    std::int32_t interval_ms;
    std::int32_t speed_step_ms;
};

class LongRun : public ::testing::TestWithParam<Pace>
{
};

TEST_P(LongRun, TwentyFourHoursKeepTheInvariantsAndEndWhereTheRulesSay)
{
    const Pace pace = GetParam();
    SimulatedWindow w(7, pace.interval_ms, pace.speed_step_ms);
    const auto& state = w.module.state;
    const auto& view = w.view;
    ASSERT_EQ(valid_syllables().size(), 368u);

    DayEnd seen;
    std::int64_t violations = 0;
    std::string first_violation;
    bool was_paused = false;
    std::int32_t interval = state.interval_ms;
    for (std::int64_t slot = 1; slot <= slots_per_day; ++slot) {
        w.advance_10ms();
        w.view.log.clear(); // keep the recorder from growing for a whole day

        if (const std::string broken = broken_invariant(w.module, view);
            !broken.empty() && violations++ == 0)
            first_violation = "slot " + std::to_string(slot) + ": " + broken;

        if (view.timer2_enabled && !was_paused) {
            ++seen.series;
            if (view.timer2_interval_ms == 5500)
                ++seen.blocks;
        }
        was_paused = view.timer2_enabled;
        if (state.interval_ms != interval) {
            interval = state.interval_ms;
            seen.slot_of_last_change = slot;
        }
    }
    EXPECT_EQ(violations, 0) << "first in " << first_violation;

    const DayEnd expected = expected_day(pace.interval_ms, pace.speed_step_ms, slots_per_day);
    EXPECT_EQ(state.interval_ms, expected.interval_ms);
    EXPECT_EQ(seen.blocks, expected.blocks);
    EXPECT_EQ(seen.series, expected.series);
    EXPECT_EQ(seen.slot_of_last_change, expected.slot_of_last_change);
    EXPECT_EQ(state.flash_count, expected.flash_count);
    EXPECT_EQ(state.series_count, expected.series_count);
    EXPECT_EQ(view.timer2_enabled, expected.paused);
}

INSTANTIATE_TEST_SUITE_P(
    Paces, LongRun,
    ::testing::Values(Pace{"Default", 2000, 100},
                      // A step on every tick all day: 0 - 0 is not below 0.
                      Pace{"EveryTick", 0, 0},
                      // A negative step makes every block slower, 100 ms at a time.
                      Pace{"NegativeStepSlowsDown", 0, -100},
                      // A step above the interval raises it to the step, for good.
                      Pace{"StepAboveInterval", 2000, 5000}),
    testing::case_name);

// The figures worked out in the comment at the top, so that the account the
// test relies on is itself pinned down.
TEST(LongRunAccount, DefaultPaceReaches100After89035SlotsAndStaysThere)
{
    for (const auto& [interval, ticks] :
         {std::pair{2000, 100}, {2002, 101}, {21, 1}, {22, 2}, {0, 1}})
        EXPECT_EQ(NominalPace(interval, 100).ticks_until_next_step(), ticks) << interval;
    const DayEnd day = expected_day(2000, 100, slots_per_day);
    EXPECT_EQ(day.slot_of_last_change, 89'035); // 890.35 s
    EXPECT_EQ(day.interval_ms, 100);
    // 19 blocks in the first 895.85 s, then one every 15.65 s.
    EXPECT_EQ(day.blocks, 19 + (slots_per_day - 89'585) / 1'565);
}

} // namespace
} // namespace klankflits
