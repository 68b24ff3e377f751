#include "engine/flash_sequencer.h"

#include "engine/checked_math.h"
#include "engine/exercise_state.h"
#include "engine/exercise_view.h"

#include <cmath>
#include <string>

namespace klankflits
{

namespace
{
// Compared in double precision: an odd interval has a half-millisecond half.
bool half_interval_passed(double interval_ms, double elapsed_ms)
{
    return interval_ms / 2.0 < elapsed_ms;
}
} // namespace

FlashSequencer::FlashSequencer(Module1& module, ExerciseView& view, ExerciseTimers& timers)
    : module_(module), view_(view), timers_(timers)
{
}

void FlashSequencer::timer1_tick()
{
    auto& state = module_.state;
    state.elapsed_ms = checked_add(state.elapsed_ms, timers_.timer1_interval());
    if (half_interval_passed(state.interval_ms, state.elapsed_ms)) {
        state.elapsed_ms = elapsed_restart_ms;
        flash_step();
    }
}

void FlashSequencer::flash_step()
{
    auto& state = module_.state;
    view_.set_label1_caption(std::to_string(state.interval_ms));
    view_.set_label3_caption(std::to_string(checked_add(state.series_count, std::int16_t{1})));

    state.flash_count = checked_add(state.flash_count, std::int16_t{1});
    if (state.flash_count == steps_per_series) {
        end_series();
    } else if (view_.txt_string_visible()) {
        view_.hide_txt_string();
    } else {
        view_.show_txt_string();
    }
    next_item(module_, view_);
}

void FlashSequencer::end_series()
{
    auto& state = module_.state;
    state.series_count = checked_add(state.series_count, std::int16_t{1});
    timers_.set_timer2_interval(short_pause_ms);
    if (state.series_count == series_per_block) {
        timers_.set_timer2_interval(long_pause_ms);
        state.interval_ms = saturating_sub(state.interval_ms, state.speed_step_ms);
        state.series_count = 0;
        if (state.interval_ms < state.speed_step_ms)
            state.interval_ms = state.speed_step_ms;
    }
    // Timer2 goes on before Timer1 goes off, so one of them is always running.
    timers_.enable_timer2();
    view_.show_picture1();
    timers_.disable_timer1();
    state.flash_count = 0;
    view_.hide_txt_string();
}

void FlashSequencer::timer2_tick()
{
    timers_.disable_timer2();
    view_.hide_picture1();
    timers_.enable_timer1();
    view_.hide_txt_string();
    next_item(module_, view_);
}

// A press shows its new interval in the read-out at once, so that it is seen
// to have been taken; the next flash step writes it again.
void FlashSequencer::command1_click()
{
    auto& state = module_.state;
    state.speed_step_ms = button_step_ms;
    state.interval_ms = saturating_sub(state.interval_ms, button_step_ms);
    view_.set_label1_caption(std::to_string(state.interval_ms));
}

void FlashSequencer::command2_click()
{
    auto& state = module_.state;
    state.speed_step_ms = button_step_ms;
    state.interval_ms = saturating_add(state.interval_ms, button_step_ms);
    view_.set_label1_caption(std::to_string(state.interval_ms));
}

std::int64_t FlashSequencer::ticks_until_next_step() const
{
    const auto& state = module_.state;
    const std::int32_t tick_ms = timers_.timer1_interval();
    if (tick_ms <= 0 ||
        half_interval_passed(state.interval_ms, static_cast<double>(state.elapsed_ms) + tick_ms))
        return 1;
    // Smallest k with elapsed + k * tick > interval / 2.
    const double remaining = static_cast<double>(state.interval_ms) / 2.0 - state.elapsed_ms;
    return static_cast<std::int64_t>(std::floor(remaining / tick_ms)) + 1;
}

bool FlashSequencer::syllable_shown() const
{
    return view_.txt_string_visible();
}

} // namespace klankflits
