#include "exercise_state.h"
#include "flash_sequencer.h"
#include "paced_timers.h"
#include "support/recording_view.h"
#include "support/simulated_window.h"
#include "tick_scheduler.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using namespace std::chrono_literals;
using std::chrono::milliseconds;
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

struct Session {
    std::int32_t interval_ms = 2000;
    std::int32_t speed_step_ms = 100;
    std::int64_t length_ms = 240'000;
    std::uint64_t seed = 7;
};

// ---------------------------------------------------------------- tick by tick

// Runs the session on the ideal clock, one 10 ms tick at a time. With a
// generator it also makes up the clicks, aimed at the awkward moments: 1 or
// 9 ms before the tick of a step, during pauses, and at random; a click at a
// time is taken after the tick due at that time.
std::vector<Event> run_tick_by_tick(const Session& s, std::vector<Click>& clicks,
                                    std::mt19937* make_clicks = nullptr)
{
    SimulatedWindow w(s.seed, s.interval_ms, s.speed_step_ms);
    std::vector<Event> trace;
    std::size_t logged = 0;
    const auto collect = [&](std::int64_t at) {
        for (; logged < w.view.log.size(); ++logged)
            trace.push_back({w.view.log[logged], at, at});
    };
    collect(0);
    std::size_t next_click = 0;
    while (w.now_ms < s.length_ms) {
        w.advance_10ms();
        collect(w.now_ms);
        if (make_clicks) {
            std::uniform_real_distribution<double> chance(0.0, 1.0);
            const int button = chance(*make_clicks) < 0.5 ? 1 : 2;
            const bool step_next =
                w.view.timer1_enabled && w.sequencer.ticks_until_next_step() == 1;
            if (step_next && chance(*make_clicks) < 0.05)
                clicks.push_back({w.now_ms + (chance(*make_clicks) < 0.5 ? 9 : 1), button});
            else if (chance(*make_clicks) < (w.view.timer2_enabled ? 0.003 : 0.0005))
                clicks.push_back({w.now_ms + static_cast<int>(chance(*make_clicks) * 10), button});
        }
        for (; next_click < clicks.size() && clicks[next_click].at < w.now_ms + 10; ++next_click) {
            const auto& c = clicks[next_click];
            if (c.button == 1)
                w.sequencer.command1_click();
            else
                w.sequencer.command2_click();
            trace.push_back({"Command" + std::to_string(c.button), c.at, c.at});
        }
    }
    return trace;
}

// ---------------------------------------------------------------- scheduled

// A recording view whose timer operations go to a scheduler (TickScheduler or
// PacedTimers): the exercise window's job, without the window.
template <typename Timers> class ForwardingView : public RecordingView
{
public:
    Timers* timers = nullptr;
    std::int32_t timer1_interval() const override { return timers->timer1_interval(); }
    void enable_timer1() override
    {
        forward("Timer1.on", [this] { timers->enable_timer1(); });
    }
    void disable_timer1() override
    {
        forward("Timer1.off", [this] { timers->disable_timer1(); });
    }
    void set_timer2_interval(std::int32_t ms) override
    {
        RecordingView::set_timer2_interval(ms);
        timers->set_timer2_interval(ms);
    }
    void enable_timer2() override
    {
        forward("Timer2.on", [this] { timers->enable_timer2(); });
    }
    void disable_timer2() override
    {
        forward("Timer2.off", [this] { timers->disable_timer2(); });
    }

private:
    template <typename F> void forward(const char* entry, F&& call)
    {
        log.emplace_back(entry);
        call();
    }
};

TickScheduler::Engine engine_of(FlashSequencer& sequencer)
{
    return {[&sequencer] { sequencer.timer1_tick(); }, [&sequencer] { sequencer.timer2_tick(); },
            [&sequencer] { return sequencer.ticks_until_next_step(); }};
}

// The same session through a TickScheduler on a fake clock that wakes it
// exactly when it asks, except that `late` may hold one wake-up back.
struct ScheduledRun {
    struct Stall {
        std::int64_t from_ms;   // the first wake-up planned at or after this
        std::int64_t late_ms;   // comes this much late
        std::int64_t wake_ms{}; // filled in: when it was planned
    };

    Module1 module;
    ForwardingView<TickScheduler> view;
    FlashSequencer sequencer{module, view};
    std::vector<Event> trace;
    TickScheduler scheduler;
    TimePoint now = origin;
    std::int64_t wake_ups = 0;
    std::int64_t empty_wake_ups = 0;

    ScheduledRun(const Session& s, milliseconds bound = TickScheduler::default_catch_up_bound)
        : module(s.seed), scheduler(wrap(engine_of(sequencer)), bound)
    {
        view.timers = &scheduler;
        init_state(module);
        module.state.interval_ms = s.interval_ms;
        module.state.speed_step_ms = s.speed_step_ms;
        pick_syllable(module, view);
        collect(now);
        scheduler.start(now);
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
                }
                const auto before = trace.size();
                next = scheduler.wake(now);
                ++wake_ups;
                empty_wake_ups += trace.size() == before ? 1 : 0;
            }
        };
        for (const auto& c : clicks) {
            wake_until(origin + milliseconds(c.at));
            now = std::max(now, origin + milliseconds(c.at));
            scheduler.catch_up(now);
            if (c.button == 1)
                sequencer.command1_click();
            else
                sequencer.command2_click();
            trace.push_back(
                {"Command" + std::to_string(c.button), ms_since_origin(now), ms_since_origin(now)});
            next = scheduler.wake(now);
        }
        wake_until(origin + milliseconds(length_ms));
    }

private:
    // Stamps what each delivered tick or pause end logs with both times.
    TickScheduler::Engine wrap(TickScheduler::Engine e)
    {
        const auto stamped = [this](std::function<void()> f) {
            return [this, f] {
                f();
                collect(scheduler.nominal_now());
            };
        };
        return {stamped(e.timer1_tick), stamped(e.timer2_tick), e.ticks_until_next_step};
    }

    void collect(TimePoint nominal)
    {
        for (; logged_ < view.log.size(); ++logged_)
            trace.push_back({view.log[logged_], ms_since_origin(now), ms_since_origin(nominal)});
    }
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

// ---------------------------------------------------------------- equivalence

struct EquivalenceCase {
    const char* name;
    Session session;
};

void PrintTo(const EquivalenceCase& c, std::ostream* os)
{
    *os << c.name;
}

class TraceEquivalence : public ::testing::TestWithParam<EquivalenceCase>
{
};

TEST_P(TraceEquivalence, SameOperationsAtTheSameTimesAsTickByTick)
{
    const Session& s = GetParam().session;
    std::vector<Click> clicks;
    std::mt19937 click_maker(static_cast<std::uint32_t>(s.seed * 31 + 5));
    const auto reference = run_tick_by_tick(s, clicks, &click_maker);

    // The session must reach what it is meant to test.
    ASSERT_GE(count_op(reference, "Timer2.on"), 4);
    ASSERT_GE(count_op(reference, "Timer2.interval=5500"), 1);
    ASSERT_GE(
        std::count_if(clicks.begin(), clicks.end(), [](const Click& c) { return c.at % 10 == 9; }),
        2);
    ASSERT_GE(clicks.size(), 8u);

    ScheduledRun scheduled(s);
    scheduled.run(s.length_ms, clicks);
    EXPECT_TRUE(same_trace(reference, scheduled.trace));
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
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- stalls

struct StallCase {
    const char* name;
    Session session;
    std::int64_t from_ms; // stall the first wake-up planned from here on
    std::int64_t late_ms;
};

void PrintTo(const StallCase& c, std::ostream* os)
{
    *os << c.name;
}

class StallWithinBound : public ::testing::TestWithParam<StallCase>
{
};

// Everything the stalled wake-up delivers comes at once, late, but on its
// nominal time; every later event is back on its nominal time, on the clock too.
TEST_P(StallWithinBound, LosesNoNominalTime)
{
    const auto& c = GetParam();
    std::vector<Click> none;
    const auto reference = run_tick_by_tick(c.session, none);
    ScheduledRun run(c.session);
    ScheduledRun::Stall stall{c.from_ms, c.late_ms};
    run.run(c.session.length_ms, none, &stall);

    const std::int64_t late_until = stall.wake_ms + c.late_ms;
    std::vector<Event> expected = reference;
    for (auto& e : expected)
        if (e.at >= stall.wake_ms && e.at <= late_until)
            e.at = late_until;
    ASSERT_GT(stall.wake_ms, 0);
    EXPECT_TRUE(same_trace(expected, run.trace));
    EXPECT_EQ(run.scheduler.skipped(), TickScheduler::Duration::zero());
}

INSTANTIATE_TEST_SUITE_P(
    Stalls, StallWithinBound,
    ::testing::Values(
        // At interval 200 a step is due every 100 ms: the 95 ms stall delays
        // one, the 350 ms stall catches up three more in the same wake-up.
        StallCase{"late_95ms_at_interval_200", {200, 100, 30'000, 3}, 6'000, 95},
        StallCase{"late_350ms_at_interval_200", {200, 100, 30'000, 3}, 6'000, 350},
        // The pause end at 5.6 s comes 95 ms late; the next step must not.
        StallCase{"late_95ms_pause_end_at_interval_200", {200, 100, 30'000, 3}, 5'000, 95},
        // Every tick is a step: a 999 ms stall catches up about 100 of them.
        StallCase{"late_999ms_at_interval_0", {0, 100, 20'000, 4}, 1'000, 999},
        // The pause end at 24.5 s and the series after it start late.
        StallCase{"late_600ms_over_a_pause_end", {2000, 100, 60'000, 5}, 24'500, 600}),
    [](const auto& info) { return std::string(info.param.name); });

class StallBeyondBound : public ::testing::TestWithParam<StallCase>
{
};

// The overdue event happens at once and the time line resumes from there:
// no burst of the steps that fell in the stall, nothing lost after it.
TEST_P(StallBeyondBound, ResumesFromNowWithoutABurst)
{
    const auto& c = GetParam();
    std::vector<Click> none;
    const auto reference = run_tick_by_tick(c.session, none);
    ScheduledRun run(c.session);
    ScheduledRun::Stall stall{c.from_ms, c.late_ms};
    run.run(c.session.length_ms + c.late_ms, none, &stall);

    std::vector<Event> expected = reference;
    std::int64_t skipped_over = 0;
    for (auto& e : expected) {
        if (e.at >= stall.wake_ms) {
            skipped_over += e.at > stall.wake_ms && e.at <= stall.wake_ms + c.late_ms ? 1 : 0;
            e.at += c.late_ms;
            e.nominal += c.late_ms;
        }
    }
    ASSERT_GT(stall.wake_ms, 0);
    ASSERT_GT(skipped_over, 0) << "the stall should cover more events than the overdue one";
    EXPECT_TRUE(same_trace(expected, run.trace));
    EXPECT_EQ(run.scheduler.skipped(), milliseconds(c.late_ms));
}

INSTANTIATE_TEST_SUITE_P(
    Stalls, StallBeyondBound,
    ::testing::Values(
        StallCase{"stall_1500ms_at_default_pace", {2000, 100, 60'000, 6}, 5'000, 1500},
        StallCase{"suspended_an_hour", {200, 100, 30'000, 6}, 5'000, 3'600'000},
        StallCase{"stall_3s_over_a_pause_end", {2000, 100, 60'000, 8}, 24'500, 3000},
        StallCase{"just_over_the_bound_at_interval_0", {0, 100, 10'000, 9}, 1'000, 1001}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- wake-ups

TEST(WakeUps, OnePerStepAndOnePerPauseAtTheDefaultPace)
{
    const Session s{2000, 100, 100'000, 1};
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
    TickScheduler* scheduler = nullptr;
    int ticks = 0;
    std::optional<TimePoint> nested;
    TickScheduler s({[&] {
                         ++ticks;
                         nested = scheduler->wake(origin + 1s);
                         scheduler->catch_up(origin + 1s);
                     },
                     [] {}, [] { return std::int64_t{1}; }});
    scheduler = &s;
    s.start(origin);
    EXPECT_EQ(s.wake(origin + 30ms), origin + 40ms);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(nested.has_value());
}

// ---------------------------------------------------------------- the Qt driver

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "tick_scheduler_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

TEST(PacedTimers, SleepsUntilTheNextStepAndReArmsAfterEachWakeUp)
{
    application();
    TimePoint now = origin;
    Module1 module(3);
    ForwardingView<PacedTimers> view;
    FlashSequencer sequencer(module, view);
    PacedTimers timers(engine_of(sequencer), [&] { return now; });
    view.timers = &timers;
    init_state(module);

    timers.start();
    EXPECT_TRUE(timers.qtimer().isActive());
    EXPECT_TRUE(timers.qtimer().isSingleShot());
    EXPECT_EQ(timers.qtimer().timerType(), Qt::PreciseTimer);
    // A long wait ends a hundredth early; a short one finishes it.
    EXPECT_EQ(timers.qtimer().interval(), 1000 - 11);
    now += 989ms;
    timers.wake();
    EXPECT_FALSE(view.txt_string_shown);
    EXPECT_EQ(timers.qtimer().interval(), 11);

    now = origin + 1095ms; // woken 95 ms late: the step comes now, the next one on time
    timers.wake();
    EXPECT_TRUE(view.txt_string_shown);
    EXPECT_EQ(timers.qtimer().interval(), 905 - 10);

    now = origin + 1500ms; // a click halfway: 50 ticks delivered, then 1900 ms
    timers.before_click();
    EXPECT_EQ(module.state.elapsed_ms, 501);
    sequencer.command1_click();
    timers.after_click();
    EXPECT_EQ(timers.qtimer().interval(), 450 - 5); // 501 + 45 x 10 > 950

    now = origin + 1946ms; // short waits are not cut
    timers.wake();
    EXPECT_EQ(timers.qtimer().interval(), 4);

    // Switched from outside a tick: re-planned at once.
    timers.disable_timer1();
    EXPECT_FALSE(timers.qtimer().isActive());
    timers.set_timer2_interval(3500);
    timers.enable_timer2();
    EXPECT_EQ(timers.qtimer().interval(), 3500 - 36);
    EXPECT_EQ(timers.wake_ups(), 3);
}

TEST(PacedTimers, RunsTheExerciseOnTheRealClock)
{
    application();
    Module1 module(3);
    ForwardingView<PacedTimers> view;
    FlashSequencer sequencer(module, view);
    PacedTimers timers(engine_of(sequencer));
    view.timers = &timers;
    init_state(module);
    module.state.interval_ms = 40; // a step every 30 ms: show, hide, ...

    const auto shown = [&] {
        return std::count(view.log.begin(), view.log.end(), "txt_string.show");
    };
    const auto started = TickScheduler::Clock::now();
    timers.start();
    while (shown() < 5 && TickScheduler::Clock::now() - started < 10s)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(shown(), 5);
    EXPECT_LE(timers.wake_ups(), 20); // one per step, not one per tick
}

} // namespace
} // namespace klankflits
