#pragma once

#include "engine/exercise_timers.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace klankflits
{

// The exercise window's two timers on one drift-free nominal time line.
//
// Timer1 ticks every 10 ms while it is enabled: tick n after it was enabled is
// due at the enable time + n x 10 ms. Timer2 fires once its interval has passed
// since it was enabled. An enable made while a tick or a pause end is being
// delivered takes that event's nominal time, not the clock's, so a pause starts
// at the nominal time of the tick that began it and the next series counts from
// the pause's nominal end: the whole exercise runs on one time line and a late
// wake-up loses no time.
//
// The scheduler reads no clock: the caller passes the time in and wakes it when
// asked. It asks to be woken only for the tick that fires the next flash step
// and for the end of a pause; every wake-up delivers all ticks due by then, one
// call of timer1_tick per tick, so the engine sees exactly what it would see
// tick by tick. The ticks in between only add time. A speed-button click changes
// when the next step is due, so the caller calls catch_up(now) before the
// click and wake(now) after it to re-plan.
//
// The engine switches the timers only from inside its tick handlers, that is
// while the scheduler delivers; the wake-up that delivers re-plans after them.
class TickScheduler : public ExerciseTimers
{
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;
    using Duration = Clock::duration;

    static constexpr std::chrono::milliseconds tick{10};

    // How late an event may be and still be caught up on its nominal time
    // line. Event-loop stalls on a busy machine (another program's burst, page
    // faults, dragging a window) last from a few to a few hundred milliseconds;
    // one second covers them with room to spare, so they cost no time at all.
    // A longer gap is a suspended laptop or a stopped process: nobody was
    // watching, and catching up would fire a burst of flash steps (up to a whole
    // series and its pause in a fraction of a second). Then the time line moves
    // forward so that the overdue event happens now and the exercise goes on
    // from there. The bound is a time, not a number of steps, because the user
    // changes the pace while the exercise runs; at the default pace it is one
    // step, and catching up one second costs at most 100 cheap tick calls.
    static constexpr std::chrono::milliseconds catch_up_bound{1000};

    // ExerciseTimers
    std::int32_t timer1_interval() const override
    {
        return static_cast<std::int32_t>(tick.count());
    }
    void enable_timer1() override;
    void disable_timer1() override;
    void set_timer2_interval(std::int32_t ms) override;
    void enable_timer2() override;
    void disable_timer2() override;

    bool timer1_enabled() const { return timer1_.enabled; }
    bool timer2_enabled() const { return timer2_.enabled; }
    std::int32_t timer2_interval() const { return timer2_.interval_ms; }

    // The window loads at `now`: Timer1 runs from now and its ticks go to
    // `handlers`. Nothing is delivered before start.
    void start(TimerHandlers& handlers, TimePoint now);

    // Delivers every tick and pause end due at `now`, in order, and returns
    // when to be woken next: the tick of the next flash step or the end of the
    // pause; nullopt while neither timer runs. Waking earlier or later is safe.
    std::optional<TimePoint> wake(TimePoint now);

    // Delivers every tick and pause end due at `now` and plans nothing; for
    // just before a click, after which wake(now) re-plans.
    void catch_up(TimePoint now);

    // The next wake-up as planned from the current state, without delivering.
    std::optional<TimePoint> next_wake() const;

    // The nominal time of the event being delivered, or of the last start,
    // wake or catch_up outside a delivery.
    TimePoint nominal_now() const { return nominal_now_; }

    // How far the nominal time line has moved forward after stalls longer than
    // the bound; zero as long as no time was skipped.
    Duration skipped() const { return skipped_; }

    // True while ticks are being delivered; a wake-up then does nothing.
    bool delivering() const { return delivering_; }

private:
    struct Timer1 {
        bool enabled = false;
        TimePoint epoch{};
        std::int64_t delivered = 0; // ticks delivered since epoch
    };
    struct Timer2 {
        bool enabled = false;
        std::int32_t interval_ms = 0;
        TimePoint enabled_at{};
    };

    TimePoint next_tick_due() const;
    std::optional<TimePoint> pause_end_due() const;
    void deliver_due(TimePoint now);

    TimerHandlers* handlers_ = nullptr; // set by start
    Timer1 timer1_;
    Timer2 timer2_;
    bool delivering_ = false;
    TimePoint nominal_now_{};
    Duration skipped_{};
};

} // namespace klankflits
