// The page's way into the core: the program's session (the settings window's
// load and Start, the exercise window's load, its frames and clicks, Einde and
// a fault's words). The page passes times in as milliseconds of
// performance.now() (the time stamps of requestAnimationFrame are on the same
// clock), and the engine acts on the page's controls through a JavaScript view
// object. A frame makes one call into the module. Declared for the page in
// program_binding.d.ts.

#include "engine/exercise_state.h"
#include "engine/exercise_view.h"
#include "engine/number_reading.h"
#include "material/list_link.h"
#include "material/materials.h"
#include "material/own_list.h"
#include "material/text_file.h"
#include "pacing/frame_pacing.h"
#include "program/session.h"
#include "program/texts.h"
#include "timing/tick_scheduler.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace klankflits
{

namespace
{

using emscripten::val;
using TimePoint = TickScheduler::TimePoint;

TimePoint from_ms(double ms)
{
    return TimePoint(std::chrono::duration_cast<TickScheduler::Duration>(
        std::chrono::duration<double, std::milli>(ms)));
}

double in_ms(TickScheduler::Duration span)
{
    return std::chrono::duration<double, std::milli>(span).count();
}

// frm_werk's controls as page elements: each operation calls the method of the
// same role on the page's view object. The visible flag of txt_string is kept
// here, as last set, which is what the engine asks for.
class PageExerciseView : public ExerciseView
{
public:
    explicit PageExerciseView(val view) : view_(std::move(view)) {}

    void set_txt_string_caption(const std::string& syllable) override
    {
        view_.call<void>("setTxtStringCaption", syllable);
    }
    bool txt_string_visible() const override { return txt_string_visible_; }
    void show_txt_string() override { set_txt_string_visible(true); }
    void hide_txt_string() override { set_txt_string_visible(false); }
    void show_picture1() override { view_.call<void>("setPicture1Visible", true); }
    void hide_picture1() override { view_.call<void>("setPicture1Visible", false); }
    void set_label1_caption(const std::string& text) override
    {
        view_.call<void>("setLabel1Caption", text);
    }
    void set_label3_caption(const std::string& text) override
    {
        view_.call<void>("setLabel3Caption", text);
    }

private:
    void set_txt_string_visible(bool visible)
    {
        txt_string_visible_ = visible;
        view_.call<void>("setTxtStringVisible", visible);
    }

    val view_;
    bool txt_string_visible_ = false;
};

// The exercise window's timers: the tick scheduler driven from the frames.
class Exercise
{
public:
    explicit Exercise(val view) : view_(std::move(view)), ticks_(scheduler_) {}

    PageExerciseView& view() { return view_; }
    TickScheduler& scheduler() { return scheduler_; }
    FrameTicks& ticks() { return ticks_; }

private:
    PageExerciseView view_;
    TickScheduler scheduler_;
    FrameTicks ticks_;
};

// The fields by the names of NumberSymbols.
NumberSymbols symbols_from(const val& symbols)
{
    NumberSymbols read;
    read.decimal_point = symbols["decimal_point"].as<std::string>();
    read.group_separator = symbols["group_separator"].as<std::string>();
    read.negative_sign = symbols["negative_sign"].as<std::string>();
    read.positive_sign = symbols["positive_sign"].as<std::string>();
    read.zero_digit = symbols["zero_digit"].as<std::string>();
    return read;
}

std::optional<SpeedButton> speed_button(std::string_view name)
{
    if (name == "Command1")
        return SpeedButton::command1;
    if (name == "Command2")
        return SpeedButton::command2;
    return std::nullopt;
}

val problem_or_null(const std::optional<BoxProblem>& problem)
{
    if (!problem)
        return val::null();
    val result = val::object();
    result.set("box", std::string(problem->box));
    result.set("message", problem->message);
    return result;
}

val string_array(const std::vector<std::string>& items)
{
    val out = val::array();
    for (const auto& each : items)
        out.call<void>("push", each);
    return out;
}

// What txt_list shows of a material chosen by its key: its items, one a
// line; empty for the own list and a key not known.
std::string items_text_of(const std::string& key)
{
    const auto material = material_named(key);
    return material ? items_text(*material) : std::string();
}

// A text file's bytes (a Uint8Array reaches a std::string as it is) as text.
std::string decoded_text_file(const std::string& bytes)
{
    return decode_text_file(bytes);
}

std::string file_unreadable(const std::string& name)
{
    return list_file_unreadable(name);
}

// A link's "#lijst=" value read as the list box is: {items, message, line}.
val own_list_from_link_value(const std::string& value)
{
    const OwnList read = own_list_from_link(value);
    val result = val::object();
    result.set("items", string_array(read.items));
    result.set("message", read.message);
    result.set("line", static_cast<double>(read.line));
    return result;
}

// The "#lijst=" value for txt_list as typed: {value, message, line}, the
// value empty when the list cannot be read.
val list_link_value_of(const std::string& text)
{
    const OwnList read = read_own_list(text);
    val result = val::object();
    result.set("value", read.ok() ? list_link_value(read.items) : std::string());
    result.set("message", read.message);
    result.set("line", static_cast<double>(read.line));
    return result;
}

// The program as the page runs it.
class Program
{
public:
    Program() { session_.start_up(); }

    // The load of frm_hoofd.
    std::string txt_start_text() const { return session_.txt_start_text(); }
    std::string txt_speed_text() const { return session_.txt_speed_text(); }

    // The click of cmd_start: {ok: true}, or {ok: false, box, message} for the
    // first box that could not be read.
    val start(const std::string& txt_start, const std::string& txt_speed, const val& symbols)
    {
        val result = val::object();
        const auto problem = session_.start(txt_start, txt_speed, symbols_from(symbols));
        result.set("ok", !problem);
        if (problem) {
            result.set("box", std::string(problem->box));
            result.set("message", problem->message);
        }
        return result;
    }

    // The settings view's choice at Start, before the numbers: the problem of
    // the box that could not be read ({box, message}), or null.
    val choose(const std::string& material_key, const std::string& order_key,
               const std::string& txt_list)
    {
        return problem_or_null(session_.choose(material_key, order_key, txt_list));
    }
    std::string exercise_title() const { return session_.exercise_title(); }
    // The chosen material's items, which the letter size measures.
    val items() const { return string_array(session_.material().items); }

    // frm_werk loads in the frame at `frame_ms`: the first syllable goes into
    // the hidden txt_string and Timer1 runs from then. Returns as frame() does.
    double load_exercise(val view, double frame_ms)
    {
        return guarded(frame_ms, [&](TimePoint at) {
            exercise_ = std::make_unique<Exercise>(std::move(view));
            exercise_->ticks().start(
                session_.load_exercise(exercise_->view(), exercise_->scheduler()), at);
            return true;
        });
    }

    // A frame began at `frame_ms`: the change due on it, then the speed
    // buttons pressed since the last frame (their names, in order, separated
    // by blanks). Returns how many milliseconds after this frame to ask for
    // frames again, 0 for the very next frame; NaN once the exercise has
    // stopped (Einde, or a fault: see fault()).
    double frame(double frame_ms, bool follows_previous, const std::string& clicks)
    {
        return guarded(frame_ms, [&](TimePoint at) {
            if (!exercise_)
                return false;
            exercise_->ticks().frame(at, follows_previous);
            std::string_view pressed = clicks;
            while (!pressed.empty()) {
                const auto blank = pressed.find(' ');
                const auto button = speed_button(pressed.substr(0, blank));
                pressed = blank == std::string_view::npos ? std::string_view()
                                                          : pressed.substr(blank + 1);
                if (!button)
                    continue;
                exercise_->ticks().before_input(at);
                session_.click(*button);
                exercise_->ticks().after_input();
            }
            return true;
        });
    }

    // The teacher's pause, taken or ended in the frame at `frame_ms` (before
    // that frame's frame()): while paused nothing of the exercise runs and
    // frame() answers NaN; a click still changes the pace. On resume the step
    // under way starts again at its beginning.
    void pause(double frame_ms)
    {
        if (exercise_)
            exercise_->ticks().pause(from_ms(frame_ms));
    }
    void resume(double frame_ms)
    {
        if (exercise_)
            exercise_->ticks().resume(from_ms(frame_ms));
    }
    bool paused() const { return exercise_ && exercise_->scheduler().paused(); }

    // Einde: nothing of the exercise runs again.
    void end_exercise()
    {
        session_.end();
        exercise_.reset();
    }

    // What the user is told of a fault that stopped the exercise; empty while
    // there is none.
    std::string fault() const { return fault_; }

private:
    // Runs an entry from the page in the frame at `frame_ms` and answers when
    // to ask for frames again. A fault stops the exercise and is kept for
    // fault().
    template <typename Work> double guarded(double frame_ms, Work work)
    {
        const TimePoint at = from_ms(frame_ms);
        double sleep_ms = std::nan("");
        const auto problem = fault_of([&] {
            if (!work(at))
                return;
            if (const auto sleep = exercise_->ticks().sleep_after(at))
                sleep_ms = in_ms(*sleep);
        });
        if (problem) {
            fault_ = fault_message(*problem);
            end_exercise();
        }
        return sleep_ms;
    }

    Module1 module_;
    Session session_{module_};
    std::unique_ptr<Exercise> exercise_;
    std::string fault_;
};

} // namespace

EMSCRIPTEN_BINDINGS(klankflits)
{
    emscripten::class_<Program>("Program")
        .constructor<>()
        .function("txtStartText", &Program::txt_start_text)
        .function("txtSpeedText", &Program::txt_speed_text)
        .function("start", &Program::start)
        .function("loadExercise", &Program::load_exercise)
        .function("frame", &Program::frame)
        .function("pause", &Program::pause)
        .function("resume", &Program::resume)
        .function("paused", &Program::paused)
        .function("endExercise", &Program::end_exercise)
        .function("fault", &Program::fault)
        .function("choose", &Program::choose)
        .function("exerciseTitle", &Program::exercise_title)
        .function("items", &Program::items);
    emscripten::function("itemsText", &items_text_of);
    emscripten::function("decodeTextFile", &decoded_text_file);
    emscripten::function("fileUnreadable", &file_unreadable);
    emscripten::function("ownListFromLink", &own_list_from_link_value);
    emscripten::function("listLinkValue", &list_link_value_of);
}

} // namespace klankflits
