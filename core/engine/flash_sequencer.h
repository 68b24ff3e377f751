#pragma once

#include "engine/exercise_timers.h"

#include <cstdint>

namespace klankflits
{

class ExerciseView;
struct Module1;

// Turns the exercise window's timer ticks and speed-button clicks into the
// exercise: show and hide the syllable, ten showings to a series, a pause with
// the picture after every series, and a shorter interval after every third one.
// It reaches the window only through ExerciseView (the controls) and
// ExerciseTimers (Timer1 and Timer2), so a test can drive it tick by tick.
class FlashSequencer : public TimerHandlers
{
public:
    static constexpr std::int16_t steps_per_series = 21;
    static constexpr std::int16_t series_per_block = 3;
    static constexpr std::int32_t short_pause_ms = 3500;
    static constexpr std::int32_t long_pause_ms = 5500;
    static constexpr std::int32_t button_step_ms = 100;

    FlashSequencer(Module1& module, ExerciseView& view, ExerciseTimers& timers);

    // TimerHandlers
    void timer1_tick() override;
    void timer2_tick() override;
    std::int64_t ticks_until_next_step() const override;
    bool syllable_shown() const override;

    // Each shows the new interval in Label1 at once.
    void command1_click(); // "versnel": speed up by 100 ms
    void command2_click(); // "vertraag": slow down by 100 ms

private:
    void flash_step();
    void end_series();

    Module1& module_;
    ExerciseView& view_;
    ExerciseTimers& timers_;
};

} // namespace klankflits
