// Fuzz target: the flash sequencer driven by an arbitrary sequence of events.
//
// The input chooses the material (none, the CCV syllables, a built-in set or
// an own list read from the input) and its order; it gives the starting
// interval_ms and speed_step_ms (often one of the
// edge values: the 32-bit extremes, 0, the step boundaries) and then a list of
// events: Timer1 ticks (one, a burst, or all the ticks up to the next flash
// step), Timer2 ticks and clicks of the two speed buttons. As in the window,
// Timer1 ticks are delivered only while Timer1 is enabled and Timer2 ticks only
// while Timer2 is enabled. Between events the window's invariants must hold;
// a violation aborts with a description, as does a draw that breaks its
// order. Exceptions escaping the engine (a checked addition that overflowed, a
// slot outside a table) abort as well.

#include "engine/exercise_state.h"
#include "engine/flash_sequencer.h"
#include "material/materials.h"
#include "material/own_list.h"
#include "material/word_sets.h"
#include "support/engine_session.h"
#include "support/invariants.h"
#include "support/recording_view.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace
{

using klankflits::Module1;

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

using View = klankflits::testing::RecordingView;

[[noreturn]] void fail(const std::string& what, const Module1& m, const View& v)
{
    const auto& s = m.state;
    std::fprintf(stderr,
                 "engine invariant broken: %s\n  interval_ms=%d speed_step_ms=%d elapsed_ms=%d "
                 "flash_count=%d series_count=%d\n  Timer1=%d Timer2=%d (interval %d) "
                 "txt_string=%d \"%s\" Picture1=%d\n",
                 what.c_str(), int(s.interval_ms), int(s.speed_step_ms), int(s.elapsed_ms),
                 int(s.flash_count), int(s.series_count), int(v.timer1_enabled),
                 int(v.timer2_enabled), int(v.timer2_interval_ms), int(v.txt_string_shown),
                 v.txt_string.c_str(), int(v.picture1_shown));
    std::abort();
}

void check_invariants(const Module1& m, const View& v)
{
    if (const std::string broken = klankflits::testing::broken_invariant(m, v); !broken.empty())
        fail(broken, m, v);
}

std::int32_t starting_value(FuzzedDataProvider& in)
{
    static constexpr std::array<std::int32_t, 22> edges = {int32_min,
                                                           int32_min + 1,
                                                           int32_min + 99,
                                                           int32_min + 100,
                                                           int32_min + 101,
                                                           -2147483548,
                                                           -100,
                                                           -1,
                                                           0,
                                                           1,
                                                           20,
                                                           21,
                                                           22,
                                                           99,
                                                           100,
                                                           101,
                                                           2000,
                                                           2002,
                                                           int32_max - 101,
                                                           int32_max - 100,
                                                           int32_max - 99,
                                                           int32_max};
    if (in.ConsumeBool())
        return in.PickValueInArray(edges);
    return in.ConsumeIntegral<std::int32_t>();
}

// The material and order the input chooses; none, most often.
klankflits::testing::SessionStart chosen(FuzzedDataProvider& in)
{
    klankflits::testing::SessionStart start;
    const auto sets = klankflits::word_sets();
    const int material = in.ConsumeIntegralInRange<int>(0, static_cast<int>(sets.size()) + 2);
    if (material == 1) {
        start.material = klankflits::ccv_material();
    } else if (material == 2) {
        const klankflits::OwnList list =
            klankflits::read_own_list(in.ConsumeRandomLengthString(400));
        if (list.ok())
            start.material = klankflits::own_list_material(list.items);
    } else if (material > 2) {
        start.material =
            klankflits::material_named(sets[static_cast<std::size_t>(material - 3)].key);
    }
    const int order = in.ConsumeIntegralInRange<int>(0, 3);
    if (order < 3)
        start.order = static_cast<klankflits::Order>(order);
    return start;
}

struct Run : klankflits::testing::EngineSession {
    using EngineSession::EngineSession;

    std::set<std::string> round; // drawn in the current round
    std::string last;
    std::size_t drawn = 0;

    // The items drawn since the last look, against the order's promise.
    void check_draws()
    {
        const auto& draw = module.draw;
        const auto& items = draw.material().items;
        for (const std::string& entry : view.log) {
            if (entry.rfind("txt_string=", 0) != 0)
                continue;
            const std::string item = entry.substr(11);
            if (draw.order() == klankflits::Order::as_listed && item != items[drawn % items.size()])
                fail("an item out of the listed order", module, view);
            if (draw.order() == klankflits::Order::shuffled) {
                if (items.size() > 1 && item == last)
                    fail("the same item twice in a row, shuffled", module, view);
                if (!round.insert(item).second)
                    fail("an item twice in one shuffled round", module, view);
                if (round.size() == items.size())
                    round.clear();
            }
            last = item;
            ++drawn;
        }
        view.log.clear();
    }

    void timer1_tick()
    {
        if (view.timer1_enabled)
            sequencer.timer1_tick();
    }

    // All the Timer1 ticks up to and including the one that fires the next
    // flash step. Long waits are slept through: the ticks before the last one
    // only add the tick time, as ticks_until_next_step promises; it is checked
    // that no step fires before the last tick and that the last one fires.
    void ticks_to_next_step()
    {
        if (!view.timer1_enabled)
            return;
        const std::int64_t ticks = sequencer.ticks_until_next_step();
        if (ticks < 1)
            fail("ticks_until_next_step below 1", module, view);
        const int steps_before = view.syllables_drawn;
        auto& state = module.state;
        if (ticks <= 64) {
            for (std::int64_t i = 1; i < ticks; ++i)
                sequencer.timer1_tick();
        } else {
            const std::int64_t slept = std::int64_t{state.elapsed_ms} + (ticks - 1) * 10;
            if (slept > int32_max)
                fail("sleeping through the ticks would overflow elapsed_ms", module, view);
            state.elapsed_ms = static_cast<std::int32_t>(slept);
            if (static_cast<double>(state.interval_ms) / 2.0 < state.elapsed_ms)
                fail("ticks_until_next_step skips a step", module, view);
        }
        if (view.syllables_drawn != steps_before)
            fail("a step fired before ticks_until_next_step said it would", module, view);
        sequencer.timer1_tick();
        if (view.syllables_drawn != steps_before + 1)
            fail("no step on the tick ticks_until_next_step named", module, view);
    }

    void timer2_tick()
    {
        if (!view.timer2_enabled)
            return;
        sequencer.timer2_tick();
        if (view.txt_string_shown || view.picture1_shown || !view.timer1_enabled)
            fail("a pause end shows neither syllable nor picture and runs Timer1", module, view);
    }

    void click(bool speed_up)
    {
        const std::int64_t before = module.state.interval_ms;
        if (speed_up)
            sequencer.command1_click();
        else
            sequencer.command2_click();
        std::int64_t expected = speed_up ? before - 100 : before + 100;
        if (expected < int32_min)
            expected = int32_min;
        if (expected > int32_max)
            expected = int32_max;
        if (module.state.interval_ms != expected || module.state.speed_step_ms != 100)
            fail("a speed button moves the interval by 100 (saturated) and sets the step to 100",
                 module, view);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    // As the settings window leaves it and the exercise window loads.
    klankflits::testing::SessionStart start = chosen(in);
    start.interval_ms = starting_value(in);
    start.speed_step_ms = starting_value(in);
    Run run(start);
    check_invariants(run.module, run.view);
    run.check_draws();

    while (in.remaining_bytes() > 0) {
        const auto previous_series = run.module.state.series_count;
        switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            run.ticks_to_next_step();
            break;
        case 1:
            run.timer1_tick();
            break;
        case 2:
            for (int n = in.ConsumeIntegralInRange<int>(1, 256); n > 0; --n)
                run.timer1_tick();
            break;
        case 3:
            run.timer2_tick();
            break;
        case 4:
            run.click(true);
            break;
        default:
            run.click(false);
            break;
        }
        check_invariants(run.module, run.view);
        run.check_draws();
        const auto& s = run.module.state;
        if (previous_series == 2 && s.series_count == 0 && s.interval_ms < s.speed_step_ms)
            fail("a block end leaves the interval below the speed step", run.module, run.view);
    }
    return 0;
}
