#pragma once

#include "engine/exercise_state.h"
#include "engine/exercise_timers.h"
#include "engine/flash_sequencer.h"
#include "program/session.h"
#include "support/recording_view.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace klankflits::testing
{

// What Start is given: the two boxes, the seed of the generator, and the
// material and order chosen (none: the CCV syllables, each drawn anew).
struct SessionStart {
    std::uint64_t seed = 1;
    std::int32_t interval_ms = default_interval_ms;
    std::int32_t speed_step_ms = default_speed_step_ms;
    std::shared_ptr<const Material> material = nullptr;
    std::optional<Order> order = std::nullopt;
};

// The program's session as the settings window's Start leaves it: started
// up, the material chosen, then the two boxes read into the state, as typed.
inline void start_session(Session& session, const SessionStart& start)
{
    session.start_up();
    if (start.material || start.order)
        session.choose(start.material ? start.material : ccv_material(), start.order);
    const auto problem = session.start(std::to_string(start.interval_ms),
                                       std::to_string(start.speed_step_ms), NumberSymbols{});
    if (problem)
        throw std::logic_error(problem->message);
}

// The shared state as Start leaves it.
inline Module1 started_module(const SessionStart& start)
{
    Module1 module(start.seed);
    Session session(module);
    start_session(session, start);
    return module;
}

// The engine as the exercise window loads it, on a recording view: the
// session as Start leaves it, the first syllable drawn, and the flash
// sequencer switching `timers` (a TickScheduler, a tick source's), or the
// view's own recorded ones.
struct EngineSession {
    Module1 module;
    RecordingView view;
    Session session{module};
    FlashSequencer& sequencer;

    explicit EngineSession(const SessionStart& start = {})
        : EngineSession(start, static_cast<ExerciseTimers*>(nullptr))
    {
    }

    EngineSession(const SessionStart& start, ExerciseTimers& timers) : EngineSession(start, &timers)
    {
    }

private:
    EngineSession(const SessionStart& start, ExerciseTimers* timers)
        : module(start.seed), sequencer(loaded(start, timers ? *timers : view))
    {
    }

    FlashSequencer& loaded(const SessionStart& start, ExerciseTimers& timers)
    {
        start_session(session, start);
        return session.load_exercise(view, timers);
    }
};

} // namespace klankflits::testing
