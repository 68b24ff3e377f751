#include "engine/flash_sequencer.h"
#include "support/engine_session.h"
#include "support/named_case.h"
#include "support/nominal_pace.h"
#include "support/recording_view.h"
#include "support/simulated_window.h"
#include "timing/tick_scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using testing::case_name;
using testing::EngineSession;
using testing::NominalPace;
using testing::PrintTo;
using testing::RecordingView;
using testing::SimulatedWindow;
using TimePoint = TickScheduler::TimePoint;

constexpr TimePoint origin{std::chrono::hours(1000)};

std::int64_t ms_since_origin(TimePoint t)
{
    return std::chrono::duration_cast<milliseconds>(t - origin).count();
}

// One view operation (or a click) and when it happened: `at` on the clock,
// `nominal` on the scheduler's time line; both in ms since the window loaded.
struct Event {
    std::string op;
    std::int64_t at = 0;
    std::int64_t nominal = 0;
};

struct Click {
    std::int64_t at;
    int button; // 1: versnel, 2: vertraag
};

// Presses the click's button; returns the click as the traces name it.
std::string press(FlashSequencer& sequencer, const Click& click)
{
    if (click.button == 1)
        sequencer.command1_click();
    else
        sequencer.command2_click();
    return "Command" + std::to_string(click.button);
}

struct Pace {
    std::int32_t interval_ms = 2000;
    std::int32_t speed_step_ms = 100;
    std::int64_t length_ms = 240'000;
    std::uint64_t seed = 7;
};

// A wake-up held back: the first one planned at or after `from_ms` comes
// `late_ms` late.
struct Stall {
    std::int64_t from_ms;
    std::int64_t late_ms;
    std::int64_t wake_ms{}; // filled in: when it was planned
};

// ---------------------------------------------------------------- by the rule

// The session tick by tick as the learner should see it, written out from the
// rule rather than from the scheduler, on the pace's own time line (the engine
// only makes the view operations). Each change (a flash step or a pause
// end) comes on the clock: after a shown syllable, a full exposure (the larger
// of the one it went up with and the one the engine now needs) after the
// change that showed it; after the picture, at its nominal time but no sooner
// than 90 % of the nominal pause after the picture went up; after nothing, at
// its nominal time but no sooner than half of its nominal distance from the
// last change. A tick that only adds time comes at its own pace from the last
// change, late as that change, but not after the change it leads to. A click
// goes after every tick and change due by its time; a stalled wake-up comes
// late, and over the bound of 1 s everything moves on by its lateness.
//
// With a generator it also makes up the clicks, aimed at the awkward moments:
// 1 or 9 ms before a step is due, during pauses, and at random.
std::vector<Event> run_by_the_rule(const Pace& s, std::vector<Click>& clicks,
                                   std::mt19937* make_clicks = nullptr, Stall* stall = nullptr)
{
    SimulatedWindow w(s.seed, s.interval_ms, s.speed_step_ms);
    NominalPace pace(s.interval_ms, s.speed_step_ms);
    const RecordingView& view = w.view;
    std::vector<Event> trace;
    std::size_t logged = 0;
    const auto collect = [&](std::int64_t at, std::int64_t nominal) {
        for (; logged < view.log.size(); ++logged)
            trace.push_back({view.log[logged], at, nominal});
    };
    collect(0, 0);
    std::int64_t last_tick = 0;                               // nominal, or when Timer1 was enabled
    std::int64_t pause_end = 0;                               // nominal, while Timer2 runs
    std::int64_t last_at = 0, last_nominal = 0, exposure = 0; // the last change
    std::int64_t clock = 0, clicks_made_until = 0;
    std::size_t next_click = 0;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (;;) {
        const bool pause = pace.paused();
        std::int64_t change = pause ? pause_end : last_tick + 10 * pace.ticks_until_next_step();
        const std::int64_t since = change - last_nominal;
        const std::int64_t change_due =
            pace.syllable_shown()
                ? last_at + std::max(exposure, since)
                : std::max(change, last_at + (pause ? since * 9 / 10 : since / 2));
        const bool is_change = pause || change == last_tick + 10;
        const std::int64_t due =
            is_change ? change_due : std::min(change_due, last_tick + 10 + last_at - last_nominal);

        if (make_clicks && due > clicks_made_until) {
            std::vector<Click> made;
            const auto button = [&] { return chance(*make_clicks) < 0.5 ? 1 : 2; };
            for (std::int64_t slot = std::max(clock, clicks_made_until);
                 slot < std::min(due, s.length_ms); slot += 10)
                if (chance(*make_clicks) < (pause ? 0.003 : 0.0005))
                    made.push_back(
                        {std::min(due - 1, slot + static_cast<int>(chance(*make_clicks) * 10)),
                         button()});
            if (is_change && !pause && due < s.length_ms && chance(*make_clicks) < 0.05)
                made.push_back(
                    {std::max(clock, due - (chance(*make_clicks) < 0.5 ? 9 : 1)), button()});
            std::stable_sort(made.begin(), made.end(),
                             [](const Click& a, const Click& b) { return a.at < b.at; });
            clicks.insert(clicks.end(), made.begin(), made.end());
            clicks_made_until = due;
        }
        if (next_click < clicks.size() && clicks[next_click].at < due) {
            const Click& c = clicks[next_click++];
            const std::string click = press(w.sequencer, c);
            pace.click(c.button);
            clock = std::max(clock, c.at);
            trace.push_back({click, clock, clock});
            collect(clock, clock);
            continue;
        }
        if (due > s.length_ms)
            break;

        clock = due;
        if (!is_change) {
            last_tick += 10;
            pace.tick();
            w.sequencer.timer1_tick();
            continue;
        }
        if (stall && stall->wake_ms == 0 && due >= stall->from_ms) {
            stall->wake_ms = due;
            clock = due + stall->late_ms;
            if (clock - change > 1000) {
                for (auto* t : {&last_tick, &pause_end, &last_at, &last_nominal, &change})
                    *t += stall->late_ms;
            }
        }
        if (pause) {
            w.sequencer.timer2_tick();
            last_tick = change; // Timer1 starts again
        } else {
            last_tick += 10;
            w.sequencer.timer1_tick();
        }
        do
            pace.next();
        while (pace.change_pending());
        pause_end = change + pace.pause_ms();
        collect(clock, change);
        last_at = clock;
        last_nominal = change;
        exposure = pace.syllable_shown() ? 10 * pace.ticks_until_next_step() : 0;
    }
    return trace;
}

// ---------------------------------------------------------------- scheduled

// The timers are the scheduler's, so the trace of a scheduled run holds the
// operations on the controls; the tick-by-tick reference is compared on those.
bool is_timer_operation(const std::string& op)
{
    return op.rfind("Timer", 0) == 0;
}

std::vector<Event> control_operations(std::vector<Event> trace)
{
    std::erase_if(trace, [](const Event& e) { return is_timer_operation(e.op); });
    return trace;
}

// The same session through a TickScheduler on a fake clock that wakes it
// exactly when it asks, except that a stall may hold one wake-up back.
struct ScheduledRun {
    TickScheduler scheduler;
    EngineSession engine;
    std::vector<Event> trace;
    TimePoint now = origin;
    std::int64_t wake_ups = 0;
    std::int64_t empty_wake_ups = 0;
    std::int64_t most_changes_in_a_wake_up = 0; // flash steps and pause ends

    explicit ScheduledRun(const Pace& s)
        : engine({s.seed, s.interval_ms, s.speed_step_ms}, scheduler), stamping_{*this}
    {
        collect(now);
        scheduler.start(stamping_, now);
    }

    void run(std::int64_t length_ms, const std::vector<Click>& clicks, Stall* stall = nullptr)
    {
        auto next = scheduler.next_wake();
        const auto wake_until = [&](TimePoint until) {
            while (next && *next <= until) {
                now = *next;
                if (stall && stall->wake_ms == 0 && ms_since_origin(now) >= stall->from_ms) {
                    stall->wake_ms = ms_since_origin(now);
                    now += milliseconds(stall->late_ms);
                    // Beyond the bound the whole time line moves on by the stall.
                    if (milliseconds(stall->late_ms) > TickScheduler::catch_up_bound)
                        stamping_.move_on(milliseconds(stall->late_ms));
                }
                const auto before = trace.size();
                scheduler.deliver(now);
                next = scheduler.next_wake();
                ++wake_ups;
                empty_wake_ups += trace.size() == before ? 1 : 0;
                const auto changes =
                    std::count_if(trace.begin() + static_cast<std::ptrdiff_t>(before), trace.end(),
                                  [](const Event& e) {
                                      return e.op.starts_with("Label1=") || e.op == "Picture1.hide";
                                  });
                most_changes_in_a_wake_up =
                    std::max(most_changes_in_a_wake_up, static_cast<std::int64_t>(changes));
            }
        };
        for (const auto& c : clicks) {
            wake_until(origin + milliseconds(c.at));
            now = std::max(now, origin + milliseconds(c.at));
            scheduler.deliver(now);
            trace.push_back(
                {press(engine.sequencer, c), ms_since_origin(now), ms_since_origin(now)});
            collect(now);
            scheduler.replan();
            scheduler.deliver(now);
            next = scheduler.next_wake();
        }
        wake_until(origin + milliseconds(length_ms));
    }

private:
    // Stamps what each delivered tick or pause end logs with both times. The
    // nominal time line is counted here from what the engine did, independent
    // of the scheduler's own: Timer1 ticks every 10 ms from the event that
    // enabled it, a pause ends its length after the step that began it.
    struct StampingHandlers : TimerHandlers {
        ScheduledRun& run;
        TimePoint nominal = origin;
        TimePoint pause_from{};
        explicit StampingHandlers(ScheduledRun& r) : run(r) {}
        void timer1_tick() override
        {
            nominal += TickScheduler::tick;
            run.engine.sequencer.timer1_tick();
            if (run.engine.view.picture1_shown) // the step that began a pause
                pause_from = nominal;
            run.collect(nominal);
        }
        void timer2_tick() override
        {
            const auto& state = run.engine.module.state;
            const bool long_pause = state.series_count == 0;
            nominal = pause_from + milliseconds(long_pause ? FlashSequencer::long_pause_ms
                                                           : FlashSequencer::short_pause_ms);
            pause_from = {};
            run.engine.sequencer.timer2_tick();
            run.collect(nominal);
        }
        std::int64_t ticks_until_next_step() const override
        {
            return run.engine.sequencer.ticks_until_next_step();
        }
        bool syllable_shown() const override { return run.engine.sequencer.syllable_shown(); }
        void move_on(TickScheduler::Duration by)
        {
            nominal += by;
            if (pause_from != TimePoint{})
                pause_from += by;
        }
    };

    void collect(TimePoint nominal)
    {
        const auto& log = engine.view.log;
        for (; logged_ < log.size(); ++logged_)
            trace.push_back({log[logged_], ms_since_origin(now), ms_since_origin(nominal)});
    }
    StampingHandlers stamping_;
    std::size_t logged_ = 0;
};

// Compares two traces and names the first difference.
::testing::AssertionResult same_trace(const std::vector<Event>& expected,
                                      const std::vector<Event>& actual)
{
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        const auto& e = expected[i];
        const auto& a = actual[i];
        if (e.op != a.op || e.at != a.at || e.nominal != a.nominal)
            return ::testing::AssertionFailure()
                   << "event " << i << ": expected " << e.op << " at " << e.at << " (nominal "
                   << e.nominal << "), got " << a.op << " at " << a.at << " (nominal " << a.nominal
                   << ")";
    }
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure()
               << expected.size() << " events expected, " << actual.size() << " delivered";
    return ::testing::AssertionSuccess();
}

std::int64_t count_op(const std::vector<Event>& trace, const std::string& op)
{
    return std::count_if(trace.begin(), trace.end(), [&](const Event& e) { return e.op == op; });
}

// What the learner sees after a stall that held one wake-up back, without
// clicks: every exposure exactly its nominal length from when the syllable
// went up (longer by the stall if the stall held back its end), no hidden
// half shorter than half and no pause shorter than 90 % of its nominal
// length, nothing before its nominal time, and the end on the time line.
::testing::AssertionResult as_the_rule_allows(const std::vector<Event>& trace, const Stall& stall)
{
    const std::int64_t stall_end = stall.wake_ms + stall.late_ms;
    const Event* shown = nullptr;
    const Event* hidden = nullptr;
    const Event* picture = nullptr;
    for (const Event& e : trace) {
        const auto fail = [&](const char* what, const Event* since) {
            return ::testing::AssertionFailure()
                   << what << ": " << e.op << " at " << e.at << " (nominal " << e.nominal
                   << ") after " << since->at << " (nominal " << since->nominal << ")";
        };
        if (e.at < e.nominal)
            return fail("before its nominal time", &e);
        if (e.op == "txt_string.show" && !shown) {
            if (hidden && 2 * (e.at - hidden->at) < e.nominal - hidden->nominal)
                return fail("hidden half under half its length", hidden);
            shown = &e;
        } else if (e.op == "txt_string.hide" && shown) {
            const std::int64_t longer = e.at == stall_end ? stall.late_ms : 0;
            if (e.at - shown->at != e.nominal - shown->nominal + longer)
                return fail("exposure not its nominal length", shown);
            shown = nullptr;
            hidden = &e;
        } else if (e.op == "Picture1.show") {
            picture = &e;
            hidden = nullptr;
        } else if (e.op == "Picture1.hide" && picture) {
            if (10 * (e.at - picture->at) < 9 * (e.nominal - picture->nominal))
                return fail("pause under 90 % of its length", picture);
            hidden = &e;
        }
    }
    if (trace.empty() || trace.back().at != trace.back().nominal)
        return ::testing::AssertionFailure() << "the session ends off its time line";
    return ::testing::AssertionSuccess();
}

// ---------------------------------------------------------------- equivalence

struct EquivalenceCase {
    const char* name;
    Pace session;
};

class TraceEquivalence : public ::testing::TestWithParam<EquivalenceCase>
{
};

// The engine gets every tick, one call per tick, and every click in the same
// place among them as tick by tick under the timing rule; each change comes at
// the time the rule gives it.
TEST_P(TraceEquivalence, SameOperationsAtTheSameTimesAsTickByTick)
{
    const Pace& s = GetParam().session;
    std::vector<Click> clicks;
    std::mt19937 click_maker(static_cast<std::uint32_t>(s.seed * 31 + 5));
    const auto reference = run_by_the_rule(s, clicks, &click_maker);

    // The session must reach what it is meant to test.
    ASSERT_GE(count_op(reference, "Timer2.on"), 4);
    ASSERT_GE(count_op(reference, "Timer2.interval=5500"), 1);
    ASSERT_GE(
        std::count_if(clicks.begin(), clicks.end(), [](const Click& c) { return c.at % 10 == 9; }),
        2);
    ASSERT_GE(clicks.size(), 8u);

    ScheduledRun scheduled(s);
    scheduled.run(s.length_ms, clicks);
    EXPECT_TRUE(same_trace(control_operations(reference), scheduled.trace));
    EXPECT_EQ(scheduled.empty_wake_ups, 0) << "every wake-up should deliver a view operation";
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, TraceEquivalence,
    ::testing::Values(EquivalenceCase{"default_pace", {2000, 100, 240'000, 7}},
                      EquivalenceCase{"interval_0_every_tick", {0, 100, 60'000, 11}},
                      EquivalenceCase{"interval_21", {21, 100, 60'000, 12}},
                      EquivalenceCase{"interval_2002_odd_ticks", {2002, 100, 240'000, 13}},
                      EquivalenceCase{"odd_interval_333_step_50", {333, 50, 120'000, 14}},
                      EquivalenceCase{"odd_interval_1001_step_5000", {1001, 5000, 200'000, 15}}),
    case_name);

// ---------------------------------------------------------------- stalls

struct StallCase {
    const char* name;
    Pace session;
    std::int64_t from_ms; // stall the first wake-up planned from here on
    std::int64_t late_ms;
};

class Stalled : public ::testing::TestWithParam<StallCase>
{
};

// The stalled wake-up delivers one change, late, and every change after it
// comes in a wake-up of its own, at the time the rule gives it. Within the
// bound the lateness is made up in the hidden halves and the pauses, and no
// time is skipped; beyond it the overdue change happens at once and the time
// line resumes from there, without a burst of the steps that fell in it.
TEST_P(Stalled, ShowsEveryChangeWhenTheRuleSays)
{
    const auto& c = GetParam();
    std::vector<Click> none;
    Stall modelled{c.from_ms, c.late_ms};
    const auto expected = control_operations(run_by_the_rule(c.session, none, nullptr, &modelled));
    ScheduledRun run(c.session);
    Stall stall{c.from_ms, c.late_ms};
    run.run(c.session.length_ms, none, &stall);

    ASSERT_GT(stall.wake_ms, 0);
    EXPECT_TRUE(same_trace(expected, run.trace));
    EXPECT_EQ(run.most_changes_in_a_wake_up, 1);
    if (milliseconds(c.late_ms) <= TickScheduler::catch_up_bound) {
        EXPECT_TRUE(as_the_rule_allows(run.trace, stall));
    }
}

INSTANTIATE_TEST_SUITE_P(
    WithinBound, Stalled,
    ::testing::Values(
        // At interval 200 a step is due every 100 ms: the 95 ms stall delays
        // one, the 350 ms stall holds back three more.
        StallCase{"late_95ms_at_interval_200", {200, 100, 30'000, 3}, 6'000, 95},
        StallCase{"late_350ms_at_interval_200", {200, 100, 30'000, 3}, 6'000, 350},
        // At interval 100 a step is due every 50 ms: 150 ms holds back three.
        StallCase{"three_steps_late_at_interval_100", {100, 100, 30'000, 3}, 9'300, 150},
        StallCase{"late_600ms_into_a_pause_at_interval_100", {100, 100, 30'000, 3}, 9'300, 600},
        // The pause end at 5.6 s comes 95 ms late.
        StallCase{"late_95ms_pause_end_at_interval_200", {200, 100, 30'000, 3}, 5'000, 95},
        // Every tick is a step: a 999 ms stall holds back about 100 of them.
        StallCase{"late_999ms_at_interval_0", {0, 100, 20'000, 4}, 1'000, 999},
        // The pause end at 24.5 s and the series after it start late.
        StallCase{"late_600ms_over_a_pause_end", {2000, 100, 60'000, 5}, 24'500, 600}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    BeyondBound, Stalled,
    ::testing::Values(
        StallCase{"stall_1500ms_at_default_pace", {2000, 100, 60'000, 6}, 5'000, 1500},
        StallCase{"suspended_an_hour", {200, 100, 30'000, 6}, 5'000, 3'600'000},
        StallCase{"stall_3s_over_a_pause_end", {2000, 100, 60'000, 8}, 24'500, 3000},
        StallCase{"just_over_the_bound_at_interval_0", {0, 100, 10'000, 9}, 1'000, 1001}),
    case_name);

// ---------------------------------------------------------------- clicks

struct ClickCase {
    const char* name;
    Click click;
    std::int64_t shown_late_ms;  // the syllable due at 100 ms goes up this late
    std::int64_t hidden_at;      // the step that hides it
    std::int64_t hidden_nominal; // the tick the engine hides it on
    std::int64_t next_shown_at;  // the step that shows the next one
};

class ClickDuringAnExposure : public ::testing::TestWithParam<ClickCase>
{
};

// At interval 200 the first syllable goes up at 100 ms for 100 ms; a click
// while it is up never shortens it, delivers every tick and keeps the time
// line: the step after it is on its nominal time again as soon as the hidden
// half allows.
TEST_P(ClickDuringAnExposure, NeverCutsTheSyllableShort)
{
    const auto& c = GetParam();
    ScheduledRun run(Pace{200, 100, 1'000, 3});
    Stall late_show{100, c.shown_late_ms};
    run.run(1'000, {c.click}, &late_show);
    const auto click = std::find_if(run.trace.begin(), run.trace.end(),
                                    [](const Event& e) { return e.op.starts_with("Command"); });
    const auto find = [&](const std::string& op) {
        return *std::find_if(click, run.trace.end(), [&](const Event& e) { return e.op == op; });
    };
    const Event hidden = find("txt_string.hide");
    EXPECT_EQ(hidden.at, c.hidden_at);
    EXPECT_EQ(hidden.nominal, c.hidden_nominal);
    EXPECT_EQ(find("txt_string.show").at, c.next_shown_at);
}

INSTANTIATE_TEST_SUITE_P(Clicks, ClickDuringAnExposure,
                         ::testing::Values(
                             // Interval 100 from 51 ms into the exposure: the engine hides it on
                             // the next tick (160); it stays up until 200, the next shows at
                             // 200 + 25 instead of 210 (a hidden half of 50 ms, at least half).
                             ClickCase{"faster_past_the_new_half", {150, 1}, 0, 200, 160, 225},
                             // Interval 100 from the start: the engine hides it at 150, it stays
                             // up until 200, and the next one is due at 200 but no sooner than 225.
                             ClickCase{"faster_at_the_start", {101, 1}, 0, 200, 150, 225},
                             // Up 40 ms late, at 140: the ticks come 40 ms late too, so at 185 the
                             // engine has had four (41 ms), hides it on the next tick (150) and
                             // it stays up until 240.
                             ClickCase{"faster_after_a_late_show", {185, 1}, 40, 240, 150, 265},
                             // Interval 300: the engine needs 5 more ticks; it stays up until its
                             // hiding tick, and the next shows 150 ms later, on its time.
                             ClickCase{"slower", {150, 2}, 0, 250, 250, 400}),
                         case_name);

// ---------------------------------------------------------------- wake-ups

TEST(WakeUps, OnePerStepAndOnePerPauseAtTheDefaultPace)
{
    const Pace s{2000, 100, 100'000, 1};
    ScheduledRun run(s);
    run.run(20'500, {});
    EXPECT_EQ(run.wake_ups, 20); // steps at 1 s, 2 s, ... 20 s
    run.run(24'500, {});
    EXPECT_EQ(run.wake_ups, 22); // step 21 begins the pause, then its end
    // A whole block: 63 steps and 3 pauses in 3 x 21 s + 3.5 + 3.5 + 5.5 s.
    run.run(75'500, {});
    EXPECT_EQ(run.wake_ups, 66);
    EXPECT_EQ(run.empty_wake_ups, 0);
}

// ---------------------------------------------------------------- re-entrancy

TEST(TickSchedulerDelivery, NestedWakeUpDuringATickDeliversNothing)
{
    // Handlers that run a wake-up of their own from inside a tick, as an
    // event loop started from a tick would.
    struct Reentering : TimerHandlers {
        TickScheduler& scheduler;
        int ticks = 0;
        bool nested_delivered = false;
        explicit Reentering(TickScheduler& s) : scheduler(s) {}
        void timer1_tick() override
        {
            ++ticks;
            nested_delivered = scheduler.deliver(origin + 1s) || nested_delivered;
        }
        void timer2_tick() override {}
        std::int64_t ticks_until_next_step() const override { return 1; }
        bool syllable_shown() const override { return false; }
    };
    TickScheduler scheduler;
    Reentering handlers(scheduler);
    scheduler.start(handlers, origin);
    // Every tick is a step: 20 ms late, one is delivered and the next is due
    // half a step later, at the earliest a hidden half may end.
    EXPECT_TRUE(scheduler.deliver(origin + 30ms));
    EXPECT_EQ(scheduler.next_wake(), origin + 35ms);
    EXPECT_EQ(handlers.ticks, 1);
    EXPECT_FALSE(handlers.nested_delivered);
}

TEST(TickSchedulerDelivery, AnExposureCountsFromThePaintThatShowedIt)
{
    ScheduledRun run(Pace{200, 100, 1'000, 3});
    run.run(100, {}); // the first syllable goes up at 100 ms, for 100 ms
    ASSERT_TRUE(run.engine.view.txt_string_shown);
    run.scheduler.painted(origin + 103ms);
    EXPECT_EQ(run.scheduler.next_wake(), origin + 203ms);
    run.scheduler.painted(origin + 150ms); // no change delivered since
    EXPECT_EQ(run.scheduler.next_wake(), origin + 203ms);
}

// ---------------------------------------------------------------- the pause

// The teacher pauses at `pause_ms` and resumes at `resume_ms` (since load).
struct PauseCase {
    const char* name;
    std::int64_t pause_ms;
    std::int64_t resume_ms;
    std::int64_t step_began_ms; // when the change before the pause was made
};

// Every view operation and when it happened, on an ideal clock that wakes the
// scheduler exactly when asked, with an optional pause.
std::vector<Event> run_with_pause(std::optional<PauseCase> pause, std::int64_t length_ms)
{
    TickScheduler scheduler;
    EngineSession engine({}, scheduler);
    scheduler.start(engine.sequencer, origin);
    std::vector<Event> trace;
    std::size_t logged = 0;
    while (const auto wake = scheduler.next_wake()) {
        if (ms_since_origin(*wake) > length_ms)
            break;
        if (pause && ms_since_origin(*wake) > pause->pause_ms) {
            scheduler.pause(origin + milliseconds(pause->pause_ms));
            EXPECT_EQ(scheduler.next_wake(), std::nullopt) << "paused, nothing is due";
            scheduler.resume(origin + milliseconds(pause->resume_ms));
            pause.reset();
            continue;
        }
        scheduler.deliver(*wake);
        for (; logged < engine.view.log.size(); ++logged)
            trace.push_back({engine.view.log[logged], ms_since_origin(*wake), 0});
    }
    return trace;
}

class Paused : public ::testing::TestWithParam<PauseCase>
{
};

// After the pause the exercise goes on as it would have from the beginning of
// the step under way, moved on by the time from that beginning to the resume:
// the same operations, each that much later, and no exposure cut short.
TEST_P(Paused, ResumesTheStepUnderWayFromItsBeginning)
{
    const PauseCase& c = GetParam();
    const std::vector<Event> plain = run_with_pause(std::nullopt, 60'000);
    const std::vector<Event> paused = run_with_pause(c, 60'000 + c.resume_ms - c.step_began_ms);
    const std::int64_t shift = c.resume_ms - c.step_began_ms;
    ASSERT_EQ(plain.size(), paused.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(paused[i].op, plain[i].op) << i;
        const std::int64_t expected =
            plain[i].at <= c.step_began_ms ? plain[i].at : plain[i].at + shift;
        EXPECT_EQ(paused[i].at, expected) << plain[i].op << " #" << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Pauses, Paused,
                         ::testing::Values(
                             // At 2000 ms a step: the first syllable up at 1000, hidden at 2000.
                             PauseCase{"in_a_flash", 1700, 9000, 1000},
                             PauseCase{"in_a_hidden_half", 2100, 2600, 2000},
                             // The tenth hiding at 20 s, the series' end and the smiley at 21 s,
                             // for 3.5 s.
                             PauseCase{"in_the_smiley_pause", 23000, 40000, 21000},
                             PauseCase{"right_after_a_change", 5000, 5001, 5000}),
                         case_name);

} // namespace
} // namespace klankflits
