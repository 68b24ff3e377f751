#include "program/session.h"

#include "engine/input_message.h"
#include "material/materials.h"
#include "material/own_list.h"
#include "program/windows.h"

#include <utility>

namespace klankflits
{

namespace
{

// A box of the settings window: the prompt it is asked with, and a number
// that fits it for the message's example (its default).
struct Box {
    std::string_view name;
    std::string_view prompt;
    std::string_view typed;
    std::int32_t example_ms;
};

std::string_view prompt_of(std::string_view label)
{
    return settings_window().control(label).caption;
}

} // namespace

void Session::start_up()
{
    init_state(module_);
}

std::string Session::txt_start_text() const
{
    return std::to_string(module_.state.interval_ms);
}

std::string Session::txt_speed_text() const
{
    return std::to_string(module_.state.speed_step_ms);
}

std::optional<BoxProblem> Session::start(std::string_view txt_start, std::string_view txt_speed,
                                         const NumberSymbols& symbols)
{
    const Box boxes[] = {{"txt_start", prompt_of("Label1"), txt_start, default_interval_ms},
                         {"txt_speed", prompt_of("Label2"), txt_speed, default_speed_step_ms}};
    std::int32_t values[2] = {};
    for (std::size_t i = 0; i < 2; ++i) {
        const NumberReading reading = read_whole_number(boxes[i].typed, symbols);
        if (!reading.ok())
            return BoxProblem{boxes[i].name,
                              reading_problem_message(reading, boxes[i].prompt, boxes[i].typed,
                                                      symbols, boxes[i].example_ms)};
        values[i] = reading.value;
    }
    module_.state.interval_ms = values[0];
    module_.state.speed_step_ms = values[1];
    return std::nullopt;
}

void Session::choose(std::shared_ptr<const Material> material, std::optional<Order> order)
{
    const Order drawn = order.value_or(material ? material->default_order : Order::drawn_anew);
    module_.draw = ItemDraw(std::move(material), drawn, module_.random);
}

std::optional<BoxProblem> Session::choose(std::string_view material_key, std::string_view order_key,
                                          std::string_view txt_list)
{
    std::optional<Order> order;
    if (!order_key.empty()) {
        order = order_named(order_key);
        if (!order)
            return BoxProblem{"cmb_order", "Onbekende volgorde: " + std::string(order_key)};
    }
    if (material_key != own_list_key) {
        auto material = material_named(material_key);
        if (!material)
            return BoxProblem{"cmb_material", "Onbekende oefenstof: " + std::string(material_key)};
        choose(std::move(material), order);
        return std::nullopt;
    }
    OwnList list = read_own_list(txt_list);
    if (!list.ok())
        return BoxProblem{"txt_list", std::move(list.message)};
    choose(own_list_material(std::move(list.items)), order);
    return std::nullopt;
}

std::string Session::exercise_title() const
{
    return klankflits::exercise_title(material());
}

FlashSequencer& Session::load_exercise(ExerciseView& view, ExerciseTimers& timers)
{
    sequencer_.emplace(module_, view, timers);
    next_item(module_, view);
    return *sequencer_;
}

void Session::click(SpeedButton button)
{
    if (!sequencer_)
        return;
    if (button == SpeedButton::command1)
        sequencer_->command1_click();
    else
        sequencer_->command2_click();
}

void Session::end()
{
    sequencer_.reset();
}

} // namespace klankflits
