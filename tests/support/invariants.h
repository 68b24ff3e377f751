#pragma once

#include "engine/exercise_state.h"
#include "engine/flash_sequencer.h"
#include "support/expected_syllables.h"
#include "support/recording_view.h"

#include <algorithm>
#include <string>

namespace klankflits::testing
{

// What must hold between any two events of an exercise: the first rule that
// is broken, or an empty text when all hold.
inline std::string broken_invariant(const Module1& module, const RecordingView& view)
{
    const auto& state = module.state;
    if (view.timer1_enabled == view.timer2_enabled)
        return "exactly one of Timer1 and Timer2 must be enabled";
    if (view.txt_string_shown && view.picture1_shown)
        return "txt_string and Picture1 both visible";
    if (state.flash_count < 0 || state.flash_count >= FlashSequencer::steps_per_series)
        return "flash_count outside 0..20";
    if (state.series_count < 0 || state.series_count >= FlashSequencer::series_per_block)
        return "series_count outside 0..2";
    if (state.elapsed_ms < elapsed_restart_ms)
        return "elapsed_ms below 1";
    const Material& material = module.draw.material();
    if (material.syllable_tables) {
        if (valid_syllables().count(view.txt_string) == 0)
            return "caption \"" + view.txt_string + "\" is not one of the 368 syllables";
    } else if (std::find(material.items.begin(), material.items.end(), view.txt_string) ==
               material.items.end()) {
        return "caption \"" + view.txt_string + "\" is not an item of the material";
    }
    if (view.timer2_enabled) {
        if (!view.picture1_shown || view.txt_string_shown || state.flash_count != 0)
            return "a pause shows the picture and nothing else, between series";
        if (view.timer2_interval_ms != FlashSequencer::short_pause_ms &&
            view.timer2_interval_ms != FlashSequencer::long_pause_ms)
            return "Timer2 runs with an interval other than a pause";
    } else if (view.picture1_shown) {
        return "Picture1 visible outside a pause";
    }
    return {};
}

} // namespace klankflits::testing
