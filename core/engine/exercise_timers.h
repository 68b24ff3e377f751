#pragma once

#include <cstdint>

namespace klankflits
{

// The exercise window's two timers as the engine switches them: Timer1, the
// 10 ms tick timer, and Timer2, the pause timer. The tick source implements
// them; engine tests implement them with a recorder.
class ExerciseTimers
{
public:
    virtual ~ExerciseTimers() = default;

    virtual std::int32_t timer1_interval() const = 0;
    virtual void enable_timer1() = 0;
    virtual void disable_timer1() = 0;

    virtual void set_timer2_interval(std::int32_t ms) = 0;
    virtual void enable_timer2() = 0;
    virtual void disable_timer2() = 0;
};

// What the two timers call when they fire: the flash sequencer's handlers.
class TimerHandlers
{
public:
    virtual ~TimerHandlers() = default;

    virtual void timer1_tick() = 0; // one tick of Timer1
    virtual void timer2_tick() = 0; // Timer2: the end of a pause

    // Ticks of Timer1 from now up to and including the one that fires the next
    // flash step (at least 1). A tick source may sleep through the ticks before
    // it, which only add time, and deliver them together.
    virtual std::int64_t ticks_until_next_step() const = 0;

    // Whether the syllable is up: a tick source keeps it on screen for its
    // whole exposure.
    virtual bool syllable_shown() const = 0;
};

} // namespace klankflits
