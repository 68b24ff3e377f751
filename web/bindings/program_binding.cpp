// The page's way into the engine: the program's one module, the settings
// window's number reading and message, and the exercise on the display's
// frames. The page passes times in as milliseconds of performance.now() (the
// time stamps of requestAnimationFrame are on the same clock), and the engine
// acts on the page's controls through a JavaScript view object.

#include "engine/exercise_state.h"
#include "engine/exercise_view.h"
#include "engine/flash_sequencer.h"
#include "engine/input_message.h"
#include "engine/number_reading.h"
#include "pacing/frame_pacing.h"
#include "timing/tick_scheduler.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <utility>

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

double to_ms(TimePoint at)
{
    return std::chrono::duration<double, std::milli>(at.time_since_epoch()).count();
}

// frm_werk's controls as page elements: each operation calls the method of the
// same role on the page's view object. The visible flag of txt_string is kept
// here, as last set, which is what the engine asks for.
class PageView : public ExerciseView
{
public:
    explicit PageView(val view) : view_(std::move(view)) {}

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

// The exercise window's engine: the sequencer on the tick scheduler, driven
// from the display's frames.
class Exercise
{
public:
    Exercise(Module1& module, val view)
        : module_(module), view_(std::move(view)), sequencer_(module_, view_, scheduler_),
          ticks_(scheduler_)
    {
    }

    void load(TimePoint frame)
    {
        pick_syllable(module_, view_);
        ticks_.start(sequencer_, frame);
    }

    FrameTicks& ticks() { return ticks_; }
    FlashSequencer& sequencer() { return sequencer_; }

private:
    Module1& module_;
    PageView view_;
    TickScheduler scheduler_;
    FlashSequencer sequencer_;
    FrameTicks ticks_;
};

NumberSymbols symbols_from(const val& symbols)
{
    NumberSymbols read;
    read.decimal_point = symbols["decimal"].as<std::string>();
    read.group_separator = symbols["group"].as<std::string>();
    read.negative_sign = symbols["minus"].as<std::string>();
    read.positive_sign = symbols["plus"].as<std::string>();
    read.zero_digit = symbols["zero"].as<std::string>();
    return read;
}

// The program as the page runs it: its one module, the settings window's
// reading of the two boxes, and the exercise once it has started.
class Program
{
public:
    Program() { init_state(module_); }

    std::int32_t interval_ms() const { return module_.state.interval_ms; }
    std::int32_t speed_step_ms() const { return module_.state.speed_step_ms; }

    // One box of the settings window: {ok, value} or {ok: false, message}.
    static val read_box(const std::string& typed, const std::string& prompt, const val& symbols)
    {
        const NumberSymbols read_with = symbols_from(symbols);
        const NumberReading reading = read_whole_number(typed, read_with);
        val result = val::object();
        result.set("ok", reading.ok());
        result.set("value", reading.value);
        result.set("message", reading.ok()
                                  ? std::string()
                                  : reading_problem_message(reading, prompt, typed, read_with));
        return result;
    }

    // Start: the two numbers go into the module, and the exercise window loads
    // in the frame at `frame_ms`.
    void start_exercise(val view, std::int32_t interval_ms, std::int32_t speed_step_ms,
                        double frame_ms)
    {
        module_.state.interval_ms = interval_ms;
        module_.state.speed_step_ms = speed_step_ms;
        guarded([&] {
            exercise_ = std::make_unique<Exercise>(module_, std::move(view));
            exercise_->load(from_ms(frame_ms));
        });
    }

    // Einde: nothing of the exercise runs again.
    void end_exercise() { exercise_.reset(); }

    // A frame began: true if it made a change.
    bool frame(double frame_ms, bool follows_previous)
    {
        bool changed = false;
        guarded([&] {
            changed = exercise_ && exercise_->ticks().frame(from_ms(frame_ms), follows_previous);
        });
        return changed;
    }

    // The speed buttons, run in a frame after frame().
    void command1_click(double frame_ms) { click(&FlashSequencer::command1_click, frame_ms); }
    void command2_click(double frame_ms) { click(&FlashSequencer::command2_click, frame_ms); }

    // When to ask for frames again (NaN: not at all).
    double frames_from_ms() const
    {
        if (!exercise_)
            return std::nan("");
        const auto from = exercise_->ticks().frames_from();
        return from ? to_ms(*from) : std::nan("");
    }

    // A fault in the engine (an overflow it reports by throwing): what went
    // wrong, for the page to say; empty while there is none. The exercise has
    // stopped then.
    std::string fault() const { return fault_; }

    double frame_period_ms() const
    {
        const auto period =
            exercise_ ? exercise_->ticks().pacing().period() : FramePacing::assumed_period;
        return std::chrono::duration<double, std::milli>(period).count();
    }

private:
    void click(void (FlashSequencer::*handler)(), double frame_ms)
    {
        if (!exercise_)
            return;
        guarded([&] {
            exercise_->ticks().before_input(from_ms(frame_ms));
            (exercise_->sequencer().*handler)();
        });
    }

    template <typename Work> void guarded(Work work)
    {
        try {
            work();
        } catch (const std::exception& e) {
            fault_ = e.what();
            exercise_.reset();
        }
    }

    Module1 module_;
    std::unique_ptr<Exercise> exercise_;
    std::string fault_;
};

} // namespace

EMSCRIPTEN_BINDINGS(klankflits)
{
    emscripten::class_<Program>("Program")
        .constructor<>()
        .function("intervalMs", &Program::interval_ms)
        .function("speedStepMs", &Program::speed_step_ms)
        .class_function("readBox", &Program::read_box)
        .function("startExercise", &Program::start_exercise)
        .function("endExercise", &Program::end_exercise)
        .function("frame", &Program::frame)
        .function("command1Click", &Program::command1_click)
        .function("command2Click", &Program::command2_click)
        .function("framesFromMs", &Program::frames_from_ms)
        .function("fault", &Program::fault)
        .function("framePeriodMs", &Program::frame_period_ms);
}

} // namespace klankflits
