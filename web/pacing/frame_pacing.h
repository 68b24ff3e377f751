#pragma once

#include "timing/tick_scheduler.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <ratio>

namespace klankflits
{

// Changes on a display's frames, for a shell that can change the screen only
// once per frame (a web page in its requestAnimationFrame callbacks).
//
// A change (a flash step or a pause end) is made on the frame nearest its due
// time: the frame at `f` takes every change due up to f + half a period. So an
// exposure or a hidden half is a whole number of frames, less than one frame
// from its nominal length, and the time line holds: at 60 Hz 1000 ms is always
// 60 frames, 125 ms alternates 7 and 8. "The first frame at or after the due
// time" would not do: at 1000 ms a due time falls on a frame's own time stamp,
// and a few microseconds of jitter in the stamps would make it 59 or 61.
//
// The tick scheduler is then woken with the later of the frame's time and the
// due time. It never sees a change early, and the next exposure counts from a
// time on the same frame grid, so the next change again falls half a frame
// clear of the nearest decision.
//
// The frame period is measured, not assumed: the median of the latest
// intervals between frames asked for one after another, so that a missed frame
// or a late callback does not move it.
class FramePacing
{
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;
    using Duration = Clock::duration;

    // Until two frames have been seen one after another.
    static constexpr Duration assumed_period = std::chrono::nanoseconds(16'666'667);

    // A gap longer than this between frames is a sleep or a hidden page, not
    // a frame period.
    static constexpr Duration longest_period = std::chrono::milliseconds(100);

    // How long before a change the shell starts asking for frames again after
    // it slept: a few frames, and room for a sleep timer that ends late. A
    // long sleep wakes an eighth of its length early at the least: Firefox
    // lets the timers of a window without the focus end late by up to about a
    // tenth of their length (258 ms on 3.4 s, 480 ms on 5.4 s).
    static constexpr int lead_frames = 4;
    static constexpr Duration timer_slack = std::chrono::milliseconds(30);
    using late_timer_share = std::ratio<1, 8>;

    // The frame with time stamp `at` has begun. `follows_previous`: it was asked
    // for by the frame before, so that the two are one period apart.
    void frame(TimePoint at, bool follows_previous);

    Duration period() const { return period_; }

    // The time at which to deliver a change due at `due` in the frame at
    // `frame`, if that is the frame nearest to it; nullopt while a later frame
    // is nearer.
    std::optional<TimePoint> delivery_time(TimePoint frame, TimePoint due) const;

    // When to start asking for frames for a change due at `due`, sleeping
    // from `now`.
    TimePoint frames_from(TimePoint due, TimePoint now) const;

private:
    void measure();

    static constexpr std::size_t kept = 15;
    std::array<Duration, kept> intervals_{};
    std::size_t count_ = 0; // intervals seen, up to `kept` of them kept
    std::optional<TimePoint> last_frame_;
    Duration period_ = assumed_period;
};

// The exercise's tick scheduler driven from frames: each frame delivers the
// change due on it, if any, and a click waits for the next frame, so that
// every change the engine makes lands in a frame callback.
class FrameTicks
{
public:
    using TimePoint = FramePacing::TimePoint;
    using Duration = FramePacing::Duration;

    explicit FrameTicks(TickScheduler& scheduler) : scheduler_(scheduler) {}

    // The exercise window shows in the frame at `frame`; Timer1 runs from then.
    void start(TimerHandlers& handlers, TimePoint frame);

    // The frame at `at` has begun: delivers the change due on it. True if it
    // made one.
    bool frame(TimePoint at, bool follows_previous);

    // For a click in the frame at `frame`, after frame(): the ticks due by
    // then go first. The caller then runs the click and calls after_input().
    void before_input(TimePoint frame);
    void after_input() { scheduler_.replan(); }

    // The teacher's pause, taken and ended in the frame at `frame`: while
    // paused no change is delivered and sleep_after() asks for no frames.
    void pause(TimePoint frame) { scheduler_.pause(frame); }
    void resume(TimePoint frame) { scheduler_.resume(frame); }

    // After the frame at `frame`: how long to sleep before asking for frames
    // again, zero to ask for the next frame at once (the next change is a few
    // frames away); nullopt while neither timer runs.
    std::optional<Duration> sleep_after(TimePoint frame) const;

private:
    TickScheduler& scheduler_;
    FramePacing pacing_;
    bool changed_ = false; // in the latest frame
};

} // namespace klankflits
