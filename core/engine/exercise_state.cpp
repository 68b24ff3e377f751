#include "engine/exercise_state.h"

namespace klankflits
{

void init_state(Module1& module)
{
    init_tables(module.tables);

    auto& state = module.state;
    state.elapsed_ms = elapsed_restart_ms;
    state.flash_count = 0;
    state.series_count = 0;

    state.interval_ms = default_interval_ms;
    state.speed_step_ms = default_speed_step_ms;
}

void pick_syllable(Module1& module, ExerciseView& view)
{
    pick_syllable(module.tables, module.random, view);
}

void next_item(Module1& module, ExerciseView& view)
{
    module.draw.next(module.tables, module.random, view);
}

} // namespace klankflits
