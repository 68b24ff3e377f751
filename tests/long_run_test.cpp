// A whole day of ticks through the engine on the ideal 10 ms clock: the
// window's invariants hold in every slot, and every change the learner sees
// comes when the rules' time line (support/nominal_pace.h) has it.
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

struct Pace {
    const char* name;
    std::int32_t interval_ms;
    std::int32_t speed_step_ms;
};

class LongRun : public ::testing::TestWithParam<Pace>
{
};

TEST_P(LongRun, TwentyFourHoursKeepTheInvariantsAndEveryChangeComesWhenTheRulesSay)
{
    const Pace pace = GetParam();
    SimulatedWindow w(7, pace.interval_ms, pace.speed_step_ms);
    NominalPace rules(pace.interval_ms, pace.speed_step_ms);
    const auto& view = w.view;
    ASSERT_EQ(valid_syllables().size(), 368u);

    std::int64_t violations = 0;
    std::int64_t changes = 0;
    std::string first_violation;
    bool picture = false;
    bool syllable = false;
    for (std::int64_t slot = 1; slot <= slots_per_day; ++slot) {
        w.advance_10ms();
        w.view.log.clear(); // keep the recorder from growing for a whole day
        std::string broken = broken_invariant(w.module, view);
        // What the learner sees, change by change (the picture before the
        // syllable it hides), at the rules' time.
        const auto seen = [&](NominalPace::Change change) {
            const NominalPace::Event expected = rules.next();
            ++changes;
            if (expected.change != change || expected.at_ms != slot * NominalPace::tick_ms)
                broken = "change " + std::to_string(static_cast<int>(change)) + ", expected " +
                         std::to_string(static_cast<int>(expected.change)) + " at " +
                         std::to_string(expected.at_ms) + " ms";
        };
        if (view.picture1_shown != picture)
            seen((picture = view.picture1_shown) ? NominalPace::Change::picture_shown
                                                 : NominalPace::Change::picture_hidden);
        if (view.txt_string_shown != syllable)
            seen((syllable = view.txt_string_shown) ? NominalPace::Change::syllable_shown
                                                    : NominalPace::Change::syllable_hidden);
        if (!broken.empty() && violations++ == 0)
            first_violation = "slot " + std::to_string(slot) + ": " + broken;
    }
    EXPECT_EQ(violations, 0) << "first in " << first_violation;
    EXPECT_GT(changes, 1000);
    EXPECT_GT(rules.next_at(), slots_per_day * NominalPace::tick_ms) << "a change that never came";
    EXPECT_EQ(w.module.state.interval_ms, rules.interval_ms());
    EXPECT_EQ(w.module.state.flash_count, rules.flash_count());
    EXPECT_EQ(w.module.state.series_count, rules.series_count());
}

INSTANTIATE_TEST_SUITE_P(
    Paces, LongRun,
    ::testing::Values(Pace{"Default", 2000, 100},
                      // An odd interval has a half-millisecond half: 101 ticks a step.
                      Pace{"Odd2002", 2002, 100},
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

    NominalPace rules(2000, 100);
    std::int64_t blocks = 0;
    std::int64_t reached_100_at = -1; // slot
    while (rules.next_at() <= slots_per_day * NominalPace::tick_ms) {
        const NominalPace::Event event = rules.next();
        if (event.change != NominalPace::Change::picture_shown ||
            event.pause_ms != NominalPace::long_pause_ms)
            continue;
        ++blocks;
        if (reached_100_at < 0 && rules.interval_ms() == 100)
            reached_100_at = event.at_ms / NominalPace::tick_ms;
    }
    EXPECT_EQ(reached_100_at, 89'035); // 890.35 s
    EXPECT_EQ(rules.interval_ms(), 100);
    // 19 blocks in the first 895.85 s, then one every 15.65 s.
    EXPECT_EQ(blocks, 19 + (slots_per_day - 89'585) / 1'565);
}

} // namespace
} // namespace klankflits
