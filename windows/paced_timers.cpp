#include "paced_timers.h"

#include "scoped_flag.h"

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

PacedTimers::PacedTimers(TickScheduler::Engine engine, QObject* parent)
    : PacedTimers(
          std::move(engine), [] { return TickScheduler::Clock::now(); }, parent)
{
}

PacedTimers::PacedTimers(TickScheduler::Engine engine, MonotonicClock clock, QObject* parent)
    : QObject(parent), scheduler_(std::move(engine)), clock_(std::move(clock))
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PacedTimers::wake);
}

// Inside a wake-up the engine is switching timers at the nominal time of the
// event being delivered, and the wake-up re-plans when it is done. Anywhere
// else the switch happens now: deliver what is due first, then re-plan.
template <typename Switch> void PacedTimers::switch_timer(Switch&& change)
{
    if (waking_) {
        change();
        return;
    }
    scheduler_.catch_up(clock_());
    change();
    arm(scheduler_.next_wake());
}

void PacedTimers::enable_timer1()
{
    switch_timer([this] { scheduler_.enable_timer1(); });
}

void PacedTimers::disable_timer1()
{
    switch_timer([this] { scheduler_.disable_timer1(); });
}

void PacedTimers::set_timer2_interval(std::int32_t ms)
{
    switch_timer([this, ms] { scheduler_.set_timer2_interval(ms); });
}

void PacedTimers::enable_timer2()
{
    switch_timer([this] { scheduler_.enable_timer2(); });
}

void PacedTimers::disable_timer2()
{
    switch_timer([this] { scheduler_.disable_timer2(); });
}

void PacedTimers::start()
{
    scheduler_.start(clock_());
    arm(scheduler_.next_wake());
}

void PacedTimers::before_click()
{
    scheduler_.catch_up(clock_());
}

void PacedTimers::after_click()
{
    arm(scheduler_.wake(clock_()));
}

void PacedTimers::wake()
{
    // A wake-up inside another (an event loop run from a tick) leaves the
    // work, and the re-arming, to the one already running.
    if (waking_)
        return;
    std::optional<TimePoint> next;
    {
        const ScopedFlag waking(waking_);
        ++wake_ups_;
        next = scheduler_.wake(clock_());
    }
    arm(next);
}

void PacedTimers::arm(std::optional<TimePoint> at)
{
    if (!at) {
        timer_.stop();
        return;
    }
    using std::chrono::milliseconds;
    // Rounded up, so that the last wait never ends before the event.
    auto wait = std::chrono::ceil<milliseconds>(*at - clock_());
    if (wait >= long_wait)
        wait -= wait / 100 + milliseconds(1);
    timer_.start(std::clamp(wait, milliseconds::zero(), longest_sleep));
}

} // namespace klankflits
