#pragma once

#include "exercise_timers.h"
#include "tick_scheduler.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

namespace klankflits
{

// The exercise window's Timer1 and Timer2 as one precise single-shot QTimer
// that wakes a TickScheduler only when a flash step or a pause end is due,
// with the time read from a monotonic clock.
class PacedTimers : public QObject, public ExerciseTimers
{
    Q_OBJECT

public:
    using TimePoint = TickScheduler::TimePoint;
    // The one place that reads the time; tests pass their own.
    using MonotonicClock = std::function<TimePoint()>;

    explicit PacedTimers(TickScheduler::Engine engine, QObject* parent = nullptr);
    PacedTimers(TickScheduler::Engine engine, MonotonicClock clock, QObject* parent = nullptr);

    // The timer operations of the exercise window. Called from inside a tick
    // they only switch; called from anywhere else they also re-plan.
    std::int32_t timer1_interval() const override { return scheduler_.timer1_interval(); }
    void enable_timer1() override;
    void disable_timer1() override;
    void set_timer2_interval(std::int32_t ms) override;
    void enable_timer2() override;
    void disable_timer2() override;
    bool timer1_enabled() const override { return scheduler_.timer1_enabled(); }
    bool timer2_enabled() const override { return scheduler_.timer2_enabled(); }
    std::int32_t timer2_interval() const override { return scheduler_.timer2_interval(); }

    // The window has loaded: Timer1 runs from now.
    void start() override;
    // Around a speed-button click: deliver what is due before it, re-plan after.
    void before_click() override;
    void after_click() override;

    // What the QTimer runs: deliver what is due and sleep until the next event.
    void wake();

    const TickScheduler& scheduler() const { return scheduler_; }
    const QTimer& qtimer() const { return timer_; }
    std::int64_t wake_ups() const { return wake_ups_; }

private:
    template <typename Switch> void switch_timer(Switch&& change);
    void arm(std::optional<TimePoint> at);

    TickScheduler scheduler_;
    MonotonicClock clock_;
    QTimer timer_{this};
    bool waking_ = false;
    std::int64_t wake_ups_ = 0;
};

} // namespace klankflits
