#pragma once

// The program's sequence on its two windows, written once for every shell:
//
//   start-up         the shared state initialised (the two defaults)
//   a material       chosen (command line, link, settings window), with its
//                    order; else the CCV syllables, each drawn anew
//   frm_hoofd loads  its boxes show the two numbers
//   cmd_start        both boxes read in the user's way of writing numbers;
//                    a box that cannot be read is named with its message and
//                    nothing starts; else the numbers go into the state
//   frm_werk loads   the first item drawn into the hidden syllable label,
//                    then the shell starts its ticks on the sequencer
//   ticks, clicks    the flash sequencer's, placed among the ticks by the
//                    shell's tick source
//   Einde            nothing of the exercise runs again
//   a fault          its words for the user (program/texts.h)
//
// A shell wraps it in its own view, clock, input and layout.

#include "engine/exercise_state.h"
#include "engine/flash_sequencer.h"
#include "engine/material.h"
#include "engine/number_reading.h"
#include "program/texts.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace klankflits
{

class ExerciseTimers;
class ExerciseView;

enum class SpeedButton { command1, command2 };

// A box of the settings window that could not be read: its name and what the
// user is told about it, in plain text.
struct BoxProblem {
    std::string_view box;
    std::string message;
};

class Session
{
public:
    // On the program's one module, which the caller owns for the whole run.
    explicit Session(Module1& module) : module_(module) {}

    // The start-up routine: the tables filled, the counters and the two
    // defaults set.
    void start_up();

    // The load of frm_hoofd: what txt_start and txt_speed show.
    std::string txt_start_text() const;
    std::string txt_speed_text() const;

    // The click of cmd_start with the boxes' texts as typed. The first box
    // that cannot be read comes back with its message, and nothing changes;
    // else both numbers are in the state and frm_werk may load.
    std::optional<BoxProblem> start(std::string_view txt_start, std::string_view txt_speed,
                                    const NumberSymbols& symbols);

    // The material and its order for the exercise (material/materials.h
    // names them); no order is the material's own. Until a material is
    // chosen it is the CCV syllables, each drawn anew. A material without
    // items is a program fault (std::invalid_argument).
    void choose(std::shared_ptr<const Material> material, std::optional<Order> order = {});
    // The settings window's choice at Start: a material's key
    // (material_choices), an order's key (order_choices; empty for the
    // material's own) and txt_list as typed, read only for the own list. A
    // list that cannot be read comes back as txt_list's problem, a key not
    // known as its box's, and nothing changes.
    std::optional<BoxProblem> choose(std::string_view material_key, std::string_view order_key,
                                     std::string_view txt_list);
    const Material& material() const { return module_.draw.material(); }
    Order order() const { return module_.draw.order(); }
    // "ZVK van " and the material's name: the exercise window's title.
    std::string exercise_title() const;

    // The load of frm_werk on the shell's view and timers: the first item
    // goes into the still hidden txt_string. The shell then starts delivering
    // the ticks of `timers` to the sequencer returned.
    FlashSequencer& load_exercise(ExerciseView& view, ExerciseTimers& timers);

    // A speed button, run where the tick source places it among the ticks.
    void click(SpeedButton button);

    // Einde: the exercise stops; a later click does nothing.
    void end();

private:
    Module1& module_;
    std::optional<FlashSequencer> sequencer_;
};

// Runs an entry from a shell into the core (a tick, a click, Start) and
// catches a fault it raises right there: the name of the fault, for
// fault_message(); nullopt if the entry ran to its end.
template <typename Entry> std::optional<std::string> fault_of(Entry&& entry) noexcept
{
    try {
        std::forward<Entry>(entry)();
        return std::nullopt;
    } catch (const std::exception& e) {
        return std::string(e.what());
    } catch (...) {
        return std::string(unknown_fault);
    }
}

} // namespace klankflits
