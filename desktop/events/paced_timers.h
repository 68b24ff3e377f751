#pragma once

#include "events/tick_source.h"
#include "timing/tick_scheduler.h"

#include <functional>
#include <optional>

class QTimer;

namespace klankflits
{

// The program's tick source: one precise single-shot QTimer that wakes a
// TickScheduler only when a flash step or a pause end is due, with the time
// read from a monotonic clock.
class PacedTimers : public TickSource
{
    Q_OBJECT

public:
    using TimePoint = TickScheduler::TimePoint;
    // The one place that reads the time; tests pass their own.
    using MonotonicClock = std::function<TimePoint()>;

    explicit PacedTimers(QObject* parent = nullptr);
    explicit PacedTimers(MonotonicClock clock, QObject* parent = nullptr);

    // TickSource
    ExerciseTimers& timers() override { return scheduler_; }
    void start(TimerHandlers& handlers) override;
    void between_ticks(const std::function<void()>& input) override;
    void set_paused(bool paused) override;

private:
    // What the QTimer runs: deliver what is due and sleep until the next event.
    void wake();
    void arm(std::optional<TimePoint> at);
    void paint_now();

    TickScheduler scheduler_;
    MonotonicClock clock_;
    QTimer* timer_;
};

} // namespace klankflits
