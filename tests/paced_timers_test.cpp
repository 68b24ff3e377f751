#include "events/paced_timers.h"
#include "support/engine_session.h"
#include "timing/tick_scheduler.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QTimerEvent>

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
using testing::EngineSession;
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

// The paced source on a fake clock whose QTimer runs out exactly when armed:
// the clock moves on by the wait, then the QTimer gets its timer event.
struct FakeClockRun {
    TimePoint now = origin;
    PacedTimers timers{[this] { return now; }};
    EngineSession engine;
    QTimer* timer = timers.findChild<QTimer*>();
    int wake_ups = 0;

    explicit FakeClockRun(std::int32_t interval_ms = 2000)
        : engine({3, interval_ms}, timers.timers())
    {
    }

    // The QTimer runs out now, however long it was set for.
    void fire()
    {
        ASSERT_TRUE(timer && timer->isActive());
        ++wake_ups;
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    void let_timer_run_out()
    {
        ASSERT_TRUE(timer && timer->isActive());
        now += milliseconds(timer->interval());
        fire();
    }

    // Lets the timer run out until the next flash step or pause end, and
    // returns when on the clock it came, in ms since the start.
    std::int64_t next_change()
    {
        const auto drawn = engine.view.syllables_drawn;
        for (int wake = 0; wake < 100 && engine.view.syllables_drawn == drawn; ++wake)
            let_timer_run_out();
        return ms_since_origin(now);
    }
};

TEST(PacedTimers, FiresNeverBeforeAStepIsDueAndWithinAFewMsOfIt)
{
    application();
    FakeClockRun run;
    run.timers.start(run.engine.sequencer);

    // Steps at the default pace are due every 1000 ms, from the start.
    for (std::int64_t due = 1000; due <= 5000; due += 1000) {
        const auto at = run.next_change();
        EXPECT_GE(at, due);
        EXPECT_LE(at, due + 2);
    }
    // Woken 95 ms late: the step comes at once, the next one on its time.
    const auto drawn = run.engine.view.syllables_drawn;
    run.now = origin + 6095ms;
    run.fire();
    EXPECT_EQ(run.engine.view.syllables_drawn, drawn + 1);
    const auto at = run.next_change();
    EXPECT_GE(at, 7000);
    EXPECT_LE(at, 7002);

    // A click halfway through the syllable's exposure re-plans: at 7500 ms,
    // 50 ticks since the step that showed it, the interval becomes 1900 and
    // the engine hides it on the tick that takes 501 ms past 950, 45 ticks on,
    // nominally at 7950 ms; but it went up for 1000 ms, so it stays up until
    // 1000 ms after it went up.
    run.now = origin + 7500ms;
    run.timers.between_ticks([&] { run.engine.sequencer.command1_click(); });
    EXPECT_EQ(run.engine.module.state.elapsed_ms, 501);
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
    FakeClockRun run(200); // a step every 100 ms
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
    run.timers.setParent(&window);
    run.timers.start(run.engine.sequencer);
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
    FakeClockRun run(200); // 21 steps of 100 ms, then 3.5 s
    run.timers.start(run.engine.sequencer);
    for (int step = 1; step <= 21; ++step)
        run.next_change();
    ASSERT_TRUE(run.engine.view.picture1_shown);
    const auto pause_end = run.next_change();
    EXPECT_FALSE(run.engine.view.picture1_shown);
    EXPECT_GE(pause_end, 2100 + 3500);
    EXPECT_LE(pause_end, 2100 + 3500 + 2);
    EXPECT_LE(run.wake_ups, 21 + 2 * 2); // a long wait takes two wake-ups
}

// Its own clock by default: the exercise runs on the event loop. (How often it
// wakes is the fake clock's to tell: EndsAPauseWithinAFewMsOfItsNominalEnd.)
TEST(PacedTimers, RunsTheExerciseOnTheRealClock)
{
    application();
    PacedTimers timers;
    EngineSession engine({3, 40}, timers.timers()); // a step every 30 ms: show, hide, ...
    const auto& log = engine.view.log;
    const auto shown = [&] { return std::count(log.begin(), log.end(), "txt_string.show"); };
    const auto started = TickScheduler::Clock::now();
    timers.start(engine.sequencer);
    while (shown() < 5 && TickScheduler::Clock::now() - started < 30s)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(shown(), 5);
}

} // namespace
} // namespace klankflits
