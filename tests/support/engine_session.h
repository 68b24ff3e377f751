#pragma once

#include "engine/exercise_state.h"
#include "engine/exercise_timers.h"
#include "engine/flash_sequencer.h"
#include "support/recording_view.h"

#include <cstdint>

namespace klankflits::testing
{

// What Start is given: the two boxes, and the seed of the generator.
struct SessionStart {
    std::uint64_t seed = 1;
    std::int32_t interval_ms = default_interval_ms;
    std::int32_t speed_step_ms = default_speed_step_ms;
};

// The shared state as the settings window's Start leaves it: initialised,
// then the two boxes read into it.
inline Module1 started_module(const SessionStart& start)
{
    Module1 module(start.seed);
    init_state(module);
    module.state.interval_ms = start.interval_ms;
    module.state.speed_step_ms = start.speed_step_ms;
    return module;
}

// The engine as the exercise window loads it, on a recording view: the shared
// state as Start leaves it, the first syllable drawn, and the flash sequencer
// switching `timers` (a TickScheduler, a tick source's), or the view's own
// recorded ones.
struct EngineSession {
    Module1 module;
    RecordingView view;
    FlashSequencer sequencer;

    explicit EngineSession(const SessionStart& start = {})
        : module(started_module(start)), sequencer(module, view, view)
    {
        pick_syllable(module, view);
    }

    EngineSession(const SessionStart& start, ExerciseTimers& timers)
        : module(started_module(start)), sequencer(module, view, timers)
    {
        pick_syllable(module, view);
    }
};

} // namespace klankflits::testing
