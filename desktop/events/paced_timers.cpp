#include "events/paced_timers.h"

#include "events/fault_report.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <utility>

namespace klankflits
{

namespace
{
// A QTimer takes whole milliseconds in an int; a longer wait is cut and the
// wake-up that ends it only delivers ticks that add time.
constexpr std::chrono::milliseconds longest_sleep = std::chrono::hours(1);

// Linux lets a wait for events end late by a thousandth of its length (a
// two-hundredth in a niced process): 3.5 ms on a short pause. A long wait
// therefore ends a hundredth early, and a short second wait, late by a few
// microseconds at most, hits the event.
constexpr std::chrono::milliseconds long_wait{250};

} // namespace

PacedTimers::PacedTimers(QObject* parent)
    : PacedTimers([] { return TickScheduler::Clock::now(); }, parent)
{
}

PacedTimers::PacedTimers(MonotonicClock clock, QObject* parent)
    : TickSource(parent), clock_(std::move(clock)), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &PacedTimers::wake);
}

void PacedTimers::start(TimerHandlers& handlers)
{
    scheduler_.start(handlers, clock_());
    arm(scheduler_.next_wake());
}

void PacedTimers::between_ticks(const std::function<void()>& input)
{
    // Inside a delivery (an event loop run from a tick) the input takes its
    // place among the ticks already, and the delivering wake-up plans after it.
    if (scheduler_.delivering()) {
        input();
        scheduler_.replan();
        return;
    }
    scheduler_.deliver(clock_());
    paint_now();
    input();
    scheduler_.replan();
    scheduler_.deliver(clock_());
    paint_now();
    arm(scheduler_.next_wake());
}

void PacedTimers::set_paused(bool paused)
{
    if (paused) {
        scheduler_.pause(clock_());
        paint_now();
        timer_->stop();
    } else {
        scheduler_.resume(clock_());
        arm(scheduler_.next_wake());
    }
}

void PacedTimers::wake()
{
    // A wake-up inside another leaves the work, and the re-arming, to the one
    // already running.
    if (scheduler_.delivering())
        return;
    // The QTimer's slot: a fault of the engine is reported here, and the
    // exercise stands still.
    run_guarded([this] {
        scheduler_.deliver(clock_());
        paint_now();
        arm(scheduler_.next_wake());
    });
}

// The change just delivered goes on screen before anything else runs: a timer
// of the same event-loop pass (another program part's, a slow one) would
// otherwise keep a shown syllable off screen while its exposure runs. The
// repaint is posted to the window, which owns the tick source; other windows
// paint in their turn.
void PacedTimers::paint_now()
{
    for (QObject* window = parent(); window; window = window->parent())
        QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
    // A shown syllable's exposure counts from here: a delay between the
    // delivery and the paint (the process not scheduled) does not shorten it.
    scheduler_.painted(clock_());
}

void PacedTimers::arm(std::optional<TimePoint> at)
{
    if (!at) {
        timer_->stop();
        return;
    }
    using std::chrono::milliseconds;
    // Rounded up, so that the last wait never ends before the event.
    auto wait = std::chrono::ceil<milliseconds>(*at - clock_());
    if (wait >= long_wait)
        wait -= wait / 100 + milliseconds(1);
    timer_->start(std::clamp(wait, milliseconds::zero(), longest_sleep));
}

} // namespace klankflits
