#pragma once

#include "engine/exercise_timers.h"
#include "events/tick_source.h"

#include <cstdint>
#include <functional>

class QTimer;

namespace klankflits
{

// Timer1 and Timer2 as two plain precise QTimers: Timer1 fires every 10 ms and
// each firing is one tick, so any late or lost firing shows as drift of the
// pace. The window test and the benchmarks hand it to the exercise window, the
// benchmarks to compare the program's own tick source against.
class PlainTimers : public TickSource, public ExerciseTimers
{
    Q_OBJECT

public:
    explicit PlainTimers(QObject* parent = nullptr);

    // TickSource
    ExerciseTimers& timers() override { return *this; }
    void start(TimerHandlers& handlers) override;
    void between_ticks(const std::function<void()>& input) override { input(); }
    // Stops the running timer and starts it again from the full interval.
    void set_paused(bool paused) override;

    // ExerciseTimers
    std::int32_t timer1_interval() const override;
    void enable_timer1() override;
    void disable_timer1() override;
    void set_timer2_interval(std::int32_t ms) override;
    void enable_timer2() override;
    void disable_timer2() override;

private:
    QTimer* timer1_;
    QTimer* timer2_;
    QTimer* paused_timer_ = nullptr;
};

} // namespace klankflits
