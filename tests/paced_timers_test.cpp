#include "engine/exercise_state.h"
#include "engine/flash_sequencer.h"
#include "support/recording_view.h"
#include "timing/paced_timers.h"
#include "timing/tick_scheduler.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace klankflits
{
namespace
{

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using testing::RecordingView;
using TimePoint = TickScheduler::TimePoint;

constexpr TimePoint origin{std::chrono::hours(1000)};

std::int64_t ms_since_origin(TimePoint t)
{
    return std::chrono::duration_cast<milliseconds>(t - origin).count();
}

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "paced_timers_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The paced source on a fake clock whose QTimer runs out exactly when armed
// (or `late` after): the clock moves on by the wait, then the source wakes.
struct FakeClockRun {
    TimePoint now = origin;
    Module1 module{3};
    RecordingView view;
    PacedTimers timers{[this] { return now; }};
    FlashSequencer sequencer{module, view, timers.timers()};

    FakeClockRun() { init_state(module); }

    void let_timer_run_out()
    {
        auto* timer = timers.findChild<QTimer*>();
        ASSERT_TRUE(timer && timer->isActive());
        now += milliseconds(timer->interval());
        timers.wake();
    }

    // Lets the timer run out until the next flash step or pause end, and
    // returns when on the clock it came, in ms since the start.
    std::int64_t next_change()
    {
        const auto drawn = view.syllables_drawn;
        for (int wake = 0; wake < 100 && view.syllables_drawn == drawn; ++wake)
            let_timer_run_out();
        return ms_since_origin(now);
    }
};

TEST(PacedTimers, FiresNeverBeforeAStepIsDueAndWithinAFewMsOfIt)
{
    application();
    FakeClockRun run;
    run.timers.start(run.sequencer);

    // Steps at the default pace are due every 1000 ms, from the start.
    for (std::int64_t due = 1000; due <= 5000; due += 1000) {
        const auto at = run.next_change();
        EXPECT_GE(at, due);
        EXPECT_LE(at, due + 2);
    }
    // Woken 95 ms late: the step comes at once, the next one on its time.
    const auto drawn = run.view.syllables_drawn;
    run.now = origin + 6095ms;
    run.timers.wake();
    EXPECT_EQ(run.view.syllables_drawn, drawn + 1);
    const auto at = run.next_change();
    EXPECT_GE(at, 7000);
    EXPECT_LE(at, 7002);

    // A click halfway through the syllable's exposure re-plans: at 7500 ms,
    // 50 ticks since the step that showed it, the interval becomes 1900 and
    // the engine hides it on the tick that takes 501 ms past 950, 45 ticks on,
    // nominally at 7950 ms; but it went up for 1000 ms, so it stays up until
    // 1000 ms after it went up.
    run.now = origin + 7500ms;
    run.timers.between_ticks([&] { run.sequencer.command1_click(); });
    EXPECT_EQ(run.module.state.elapsed_ms, 501);
    const auto after_click = run.next_change();
    EXPECT_GE(after_click, at + 1000);
    EXPECT_LE(after_click, at + 1002);
}

// The window's repaint is a posted event; a wake-up sends it before it
// returns, so no other timer of the same event-loop pass runs before the
// change is on screen, and a shown syllable's exposure counts from the end of
// its paint. Another window's repaint waits its turn.
TEST(PacedTimers, PaintsWhatItDeliveredBeforeReturning)
{
    application();
    FakeClockRun run;
    struct Window : QObject {
        TimePoint* clock = nullptr; // a paint takes 3 ms of it
        int paints = 0;
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::UpdateRequest) {
                ++paints;
                *clock += 3ms;
            }
            return QObject::event(e);
        }
    } window, other;
    window.clock = other.clock = &run.now;
    run.module.state.interval_ms = 200; // a step every 100 ms
    run.timers.setParent(&window);
    run.timers.start(run.sequencer);
    for (auto* w : {&window, &other})
        QCoreApplication::postEvent(w, new QEvent(QEvent::UpdateRequest));
    EXPECT_EQ(run.next_change(), 103); // up at 100, on screen from 103
    QCoreApplication::postEvent(&window, new QEvent(QEvent::UpdateRequest));
    EXPECT_EQ(run.next_change(), 206); // hidden at 203, off screen from 206
    QCoreApplication::postEvent(&window, new QEvent(QEvent::UpdateRequest));
    run.timers.between_ticks([] {});
    EXPECT_EQ(window.paints, 3);
    EXPECT_EQ(other.paints, 0);
    run.timers.setParent(nullptr);
    QCoreApplication::removePostedEvents(&other);
}

TEST(PacedTimers, EndsAPauseWithinAFewMsOfItsNominalEnd)
{
    application();
    FakeClockRun run;
    run.module.state.interval_ms = 200; // 21 steps of 100 ms, then 3.5 s
    run.timers.start(run.sequencer);
    for (int step = 1; step <= 21; ++step)
        run.next_change();
    ASSERT_TRUE(run.view.picture1_shown);
    const auto pause_end = run.next_change();
    EXPECT_FALSE(run.view.picture1_shown);
    EXPECT_GE(pause_end, 2100 + 3500);
    EXPECT_LE(pause_end, 2100 + 3500 + 2);
    EXPECT_LE(run.timers.wake_ups(), 21 + 2 * 2); // a long wait takes two wake-ups
}

TEST(PacedTimers, RunsTheExerciseOnTheRealClock)
{
    application();
    Module1 module(3);
    RecordingView view;
    PacedTimers timers;
    FlashSequencer sequencer(module, view, timers.timers());
    init_state(module);
    module.state.interval_ms = 40; // a step every 30 ms: show, hide, ...

    const auto shown = [&] {
        return std::count(view.log.begin(), view.log.end(), "txt_string.show");
    };
    const auto started = TickScheduler::Clock::now();
    timers.start(sequencer);
    while (shown() < 5 && TickScheduler::Clock::now() - started < 10s)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(shown(), 5);
    EXPECT_LE(timers.wake_ups(), 20); // one per step, not one per tick
}

} // namespace
} // namespace klankflits
