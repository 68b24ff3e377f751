#pragma once

#include "engine/material.h"
#include "engine/syllables.h"

#include <cstdint>

namespace klankflits
{

class ExerciseView;

// The two numbers of an exercise and its counters.
struct ExerciseState {
    std::int32_t interval_ms = 0;   // one showing plus the gap after it
    std::int32_t speed_step_ms = 0; // shortening after every third series
    std::int32_t elapsed_ms = 0;    // tick time since the last flash step; restarts at 1
    std::int16_t flash_count = 0;   // flash steps in the current series
    std::int16_t series_count = 0;  // series finished in the current block of three
};

// The program's one module: everything the windows and the sequencer share.
// main() owns it for the whole run and hands it to the start-up routine, which
// hands it on to the windows.
struct Module1 {
    SyllableTables tables;
    ExerciseState state;
    UnitRandom random;
    ItemDraw draw; // the CCV syllables drawn anew unless a material is chosen

    Module1() = default;
    explicit Module1(std::uint64_t seed) : random(seed) {}
};

inline constexpr std::int32_t default_interval_ms = 2000;
inline constexpr std::int32_t default_speed_step_ms = 100;
// What elapsed_ms restarts at, at start-up and at every flash step: 1, not 0.
inline constexpr std::int32_t elapsed_restart_ms = 1;

// Fills the tables, restarts the counters and sets the two defaults.
void init_state(Module1& module);

void pick_syllable(Module1& module, ExerciseView& view);

// The next item of the chosen material into txt_string: where the sequencer
// and the load of frm_werk draw. With nothing chosen it is pick_syllable.
void next_item(Module1& module, ExerciseView& view);

} // namespace klankflits
