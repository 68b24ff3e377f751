#pragma once

#include "engine/exercise_timers.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <ratio>

namespace klankflits
{

// The exercise window's two timers on one drift-free nominal time line, and
// what the learner sees timed on the clock.
//
// The nominal time line: Timer1 ticks every 10 ms while it is enabled, tick n
// after it was enabled on nominal time enable + n x 10 ms; Timer2 fires once
// its interval has passed since it was enabled. An enable made while a tick or
// a pause end is being delivered takes that event's nominal time, so the whole
// exercise runs on one time line and a late wake-up loses no time.
//
// When a change reaches the screen: a change is a flash step or the end of a
// pause. Each wake-up delivers at most one, with the ticks before it that only
// add time, and returns, so the window paints every change before the next one
// is run. When the next change is due depends on what is on screen since the
// last one, which was delivered at clock time A with nominal time M; the next
// has nominal time N:
//   - the syllable (the engine's syllable_shown()): at A + the exposure, the
//     full nominal exposure counted from when the syllable went up: no stall
//     before it shortens it (a caller that paints at once may move A on to
//     the end of the paint, with painted());
//   - the pause picture (the next change ends the pause): at N, but no earlier
//     than A + 90 % of (N - M);
//   - nothing: at N, but no earlier than A + half of (N - M).
// So lateness (A after M) is made up only while nothing is shown, in the
// hidden halves and the pauses, and the schedule is back on its time line as
// soon as that allows. No change and no tick comes before its nominal time.
// The ticks that only add time come at their own pace from the last change,
// (A - M) late, but never after the change they lead up to; that is where a
// click falls among them.
//
// A speed-button click during an exposure: the syllable stays up for the
// exposure it went up with (the nominal ticks to the hiding step, times 10 ms,
// as the engine had them right after the showing step), or longer if the
// engine now needs more ticks to reach the hiding step. "versnel" (fewer
// ticks): the hiding step comes a full exposure after the syllable went up,
// late on the time line, and the hidden halves after it make that up; the new
// interval counts from the next step. "vertraag" (more ticks): the syllable
// stays up until its hiding tick comes on the clock, since delivering that
// tick sooner would run the engine ahead of the clock and of the time line.
// Either way no exposure is cut short, every tick is delivered, one
// timer1_tick per tick, and the time line holds.
//
// The scheduler reads no clock: the caller passes the time in and wakes it when
// asked. It asks to be woken for the next change only; the engine sees exactly
// the ticks, and the clicks between them, that it would see tick by tick. A
// speed-button click changes when the next step is due, so the caller calls
// deliver(now) before the click, and replan(), deliver(now) and next_wake()
// after it.
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

    // How late a change may be and still be caught up on its nominal time
    // line. Event-loop stalls on a busy machine (another program's burst, page
    // faults, dragging a window) last from a few to a few hundred milliseconds;
    // one second covers them with room to spare, so they cost no time at all.
    // A longer gap is a suspended laptop or a stopped process: nobody was
    // watching, and catching up would race through the hidden halves and the
    // pauses for a long while. Then the whole schedule moves forward by as much
    // as the wake-up is late, so that the overdue change happens now, without
    // a burst, and the exercise goes on from there. The bound is a time, not a
    // number of steps, because the user changes the pace while the exercise
    // runs; at the default pace it is one step.
    static constexpr std::chrono::milliseconds catch_up_bound{1000};

    // How much of its nominal length a pause and a hidden half keep at the
    // least when lateness is made up in them.
    using pause_kept = std::ratio<9, 10>;
    using hidden_half_kept = std::ratio<1, 2>;

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

    // The window loads at `now`: Timer1 runs from now and its ticks go to
    // `handlers`. Nothing is delivered before start.
    void start(TimerHandlers& handlers, TimePoint now);

    // Delivers the ticks due at `now` and the next change if it is due, in
    // order; true if it delivered a change. Does nothing inside a delivery.
    // A wake-up is deliver(now), then next_wake(); a caller that paints the
    // change calls painted() between the two.
    bool deliver(TimePoint now);

    // When to be woken next: when the next change is due; nullopt while
    // neither timer runs. Waking earlier or later is safe. The plan is made
    // once after each change (and each click) and kept until the next: the
    // wake-up that delivers the change uses the same plan.
    std::optional<TimePoint> next_wake() const;

    // A click has changed the engine's pace: the next change is planned anew.
    void replan() { plan_.reset(); }

    // The teacher's pause, taken at `now`: nothing is delivered and no wake-up
    // is asked for until resume(). A click still changes the engine.
    void pause(TimePoint now);
    // Resumed at `now`: the step under way (from the last change) starts again
    // at its beginning, so a syllable is shown for its whole exposure, and
    // every later change moves on by as much, the time from that beginning to
    // now. Resuming while not paused does nothing.
    void resume(TimePoint now);
    bool paused() const { return paused_; }

    // True while ticks are being delivered; a wake-up then does nothing.
    bool delivering() const { return delivering_; }

    // The change delivered last reached the screen at `at`: a shown syllable's
    // exposure counts from then, if that is later than the delivery. For the
    // caller that paints right after a delivery.
    void painted(TimePoint at);

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
    // The last change delivered: a flash step or a pause end.
    struct Change {
        TimePoint at{};      // on the clock
        TimePoint nominal{}; // on the time line
        Duration exposure{}; // the syllable's nominal exposure, if it went up
    };
    // The next change and when it is due on the clock.
    struct NextChange {
        bool pause_end = false;
        TimePoint nominal{};
        TimePoint due{};
    };

    TimePoint next_tick_nominal() const;
    std::optional<TimePoint> pause_end_nominal() const;
    std::optional<NextChange> next_change() const;
    const std::optional<NextChange>& plan() const;
    Duration ticks_to_next_step() const;
    bool deliver_up_to(const NextChange& next, TimePoint now);

    TimerHandlers* handlers_ = nullptr; // set by start
    Timer1 timer1_;
    Timer2 timer2_;
    Change last_;
    bool unpainted_ = false; // a change was delivered and painted() not called since
    bool delivering_ = false;
    bool paused_ = false;
    TimePoint nominal_now_{};
    // The next change as planned, until a change, a click or a timer switched
    // by the engine makes it stale.
    mutable std::optional<std::optional<NextChange>> plan_;
};

} // namespace klankflits
