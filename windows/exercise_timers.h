#pragma once

#include <cstdint>
#include <functional>

namespace klankflits
{

// What the exercise window's timers drive: the flash sequencer's operations.
struct TimerEngine {
    std::function<void()> timer1_tick;
    std::function<void()> timer2_tick;
    std::function<std::int64_t()> ticks_until_next_step; // at least 1
};

// The exercise window's Timer1 (the 10 ms tick timer) and Timer2 (the pause
// timer), as a tick source provides them. The window forwards the engine's
// timer operations here.
class ExerciseTimers
{
public:
    using Engine = TimerEngine;

    virtual ~ExerciseTimers() = default;

    virtual std::int32_t timer1_interval() const = 0;
    virtual void enable_timer1() = 0;
    virtual void disable_timer1() = 0;
    virtual void set_timer2_interval(std::int32_t ms) = 0;
    virtual void enable_timer2() = 0;
    virtual void disable_timer2() = 0;
    virtual bool timer1_enabled() const = 0;
    virtual bool timer2_enabled() const = 0;
    virtual std::int32_t timer2_interval() const = 0;

    // The window has loaded: Timer1 runs from now.
    virtual void start() = 0;
    // Around a speed-button click, which changes when the next step is due.
    virtual void before_click() {}
    virtual void after_click() {}
};

} // namespace klankflits
