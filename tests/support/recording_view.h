#pragma once

#include "engine/exercise_timers.h"
#include "engine/exercise_view.h"

#include <cstdint>
#include <string>
#include <vector>

namespace klankflits::testing
{

// An exercise window without a window: its controls and its two timers. Keeps
// each one's state as the engine last set it and records every operation in
// order, so a test can assert the exact sequence.
class RecordingView : public ExerciseView, public ExerciseTimers
{
public:
    std::string txt_string;
    bool txt_string_shown = false;
    bool picture1_shown = false;
    std::string label1;
    std::string label3;
    std::int32_t timer1_interval_ms = 10;
    bool timer1_enabled = true;
    std::int32_t timer2_interval_ms = 0;
    bool timer2_enabled = false;

    std::vector<std::string> log;
    int syllables_drawn = 0;

    // ExerciseView
    void set_txt_string_caption(const std::string& syllable) override
    {
        txt_string = syllable;
        ++syllables_drawn;
        log.push_back("txt_string=" + syllable);
    }
    bool txt_string_visible() const override { return txt_string_shown; }
    void show_txt_string() override { set(txt_string_shown, true, "txt_string.show"); }
    void hide_txt_string() override { set(txt_string_shown, false, "txt_string.hide"); }
    void show_picture1() override { set(picture1_shown, true, "Picture1.show"); }
    void hide_picture1() override { set(picture1_shown, false, "Picture1.hide"); }
    void set_label1_caption(const std::string& text) override
    {
        label1 = text;
        log.push_back("Label1=" + text);
    }
    void set_label3_caption(const std::string& text) override
    {
        label3 = text;
        log.push_back("Label3=" + text);
    }

    // ExerciseTimers
    std::int32_t timer1_interval() const override { return timer1_interval_ms; }
    void enable_timer1() override { set(timer1_enabled, true, "Timer1.on"); }
    void disable_timer1() override { set(timer1_enabled, false, "Timer1.off"); }
    void set_timer2_interval(std::int32_t ms) override
    {
        timer2_interval_ms = ms;
        log.push_back("Timer2.interval=" + std::to_string(ms));
    }
    void enable_timer2() override { set(timer2_enabled, true, "Timer2.on"); }
    void disable_timer2() override { set(timer2_enabled, false, "Timer2.off"); }

private:
    void set(bool& flag, bool value, const char* entry)
    {
        flag = value;
        log.emplace_back(entry);
    }
};

} // namespace klankflits::testing
