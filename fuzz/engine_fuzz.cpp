// Fuzz target: the flash sequencer driven by an arbitrary sequence of events.
//
// The input gives the starting interval_ms and speed_step_ms (often one of the
// edge values: the 32-bit extremes, 0, the step boundaries) and then a list of
// events: Timer1 ticks (one, a burst, or all the ticks up to the next flash
// step), Timer2 ticks and clicks of the two speed buttons. As in the window,
// Timer1 ticks are delivered only while Timer1 is enabled and Timer2 ticks only
// while Timer2 is enabled. Between events the window's invariants must hold;
// a violation aborts with a description. Exceptions escaping the engine (a
// checked addition that overflowed, a slot outside a table) abort as well.

#include "exercise_state.h"
#include "exercise_view.h"
#include "flash_sequencer.h"
#include "support/expected_syllables.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace
{

using klankflits::FlashSequencer;
using klankflits::Module1;

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

// The exercise window's controls as flags, without any window or log.
class FlagView : public klankflits::ExerciseView
{
public:
    std::string caption;
    bool txt_string_shown = false;
    bool picture1_shown = false;
    bool timer1_enabled = true;
    bool timer2_enabled = false;
    std::int32_t timer2_interval_ms = 0;
    std::string label1;
    long long steps = 0; // flash steps seen (each sets Label1 once)

    void set_txt_string_caption(const std::string& syllable) override { caption = syllable; }
    bool txt_string_visible() const override { return txt_string_shown; }
    void show_txt_string() override { txt_string_shown = true; }
    void hide_txt_string() override { txt_string_shown = false; }
    void show_picture1() override { picture1_shown = true; }
    void hide_picture1() override { picture1_shown = false; }
    void set_label1_caption(const std::string& text) override
    {
        label1 = text;
        ++steps;
    }
    void set_label3_caption(const std::string&) override {}
    std::int32_t timer1_interval() const override { return 10; }
    void enable_timer1() override { timer1_enabled = true; }
    void disable_timer1() override { timer1_enabled = false; }
    void set_timer2_interval(std::int32_t ms) override { timer2_interval_ms = ms; }
    void enable_timer2() override { timer2_enabled = true; }
    void disable_timer2() override { timer2_enabled = false; }
};

[[noreturn]] void fail(const char* what, const Module1& m, const FlagView& v)
{
    const auto& s = m.state;
    std::fprintf(stderr,
                 "engine invariant broken: %s\n  interval_ms=%d speed_step_ms=%d elapsed_ms=%d "
                 "flash_count=%d series_count=%d\n  Timer1=%d Timer2=%d (interval %d) "
                 "txt_string=%d \"%s\" Picture1=%d\n",
                 what, int(s.interval_ms), int(s.speed_step_ms), int(s.elapsed_ms),
                 int(s.flash_count), int(s.series_count), int(v.timer1_enabled),
                 int(v.timer2_enabled), int(v.timer2_interval_ms), int(v.txt_string_shown),
                 v.caption.c_str(), int(v.picture1_shown));
    std::abort();
}

void check_invariants(const Module1& m, const FlagView& v)
{
    const auto& s = m.state;
    if (v.timer1_enabled == v.timer2_enabled)
        fail("exactly one of Timer1 and Timer2 must be enabled", m, v);
    if (v.txt_string_shown && v.picture1_shown)
        fail("txt_string and Picture1 both visible", m, v);
    if (s.flash_count < 0 || s.flash_count > 20)
        fail("flash_count outside 0..20", m, v);
    if (s.series_count < 0 || s.series_count > 2)
        fail("series_count outside 0..2", m, v);
    if (s.elapsed_ms < 1)
        fail("elapsed_ms below 1", m, v);
    if (klankflits::testing::valid_syllables().count(v.caption) == 0)
        fail("caption is not one of the 368 syllables", m, v);
    if (v.timer2_enabled) {
        if (!v.picture1_shown || v.txt_string_shown || s.flash_count != 0)
            fail("a pause shows the picture and nothing else, between series", m, v);
        if (v.timer2_interval_ms != FlashSequencer::short_pause_ms &&
            v.timer2_interval_ms != FlashSequencer::long_pause_ms)
            fail("Timer2 runs with an interval other than a pause", m, v);
    } else if (v.picture1_shown) {
        fail("Picture1 visible outside a pause", m, v);
    }
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

struct Run {
    Module1 module{1};
    FlagView view;
    FlashSequencer sequencer{module, view};

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
        const long long steps_before = view.steps;
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
        if (view.steps != steps_before)
            fail("a step fired before ticks_until_next_step said it would", module, view);
        sequencer.timer1_tick();
        if (view.steps != steps_before + 1)
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
    Run run;
    // As the settings window leaves it and the exercise window loads.
    klankflits::init_state(run.module);
    run.module.state.interval_ms = starting_value(in);
    run.module.state.speed_step_ms = starting_value(in);
    klankflits::pick_syllable(run.module, run.view);
    check_invariants(run.module, run.view);

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
        const auto& s = run.module.state;
        if (previous_series == 2 && s.series_count == 0 && s.interval_ms < s.speed_step_ms)
            fail("a block end leaves the interval below the speed step", run.module, run.view);
    }
    return 0;
}
