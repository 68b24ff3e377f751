#pragma once

#include <string>

namespace klankflits
{

// The operations the engine performs on the exercise window's controls (its
// timers are in exercise_timers.h). The exercise window implements them on its
// widgets; tests implement them with a recorder. Each method is named after the
// control it acts on.
//
// A visible flag is the control's own flag as last set, not whether it is on
// screen at the moment.
class ExerciseView
{
public:
    virtual ~ExerciseView() = default;

    // txt_string: the syllable label
    virtual void set_txt_string_caption(const std::string& syllable) = 0;
    virtual bool txt_string_visible() const = 0;
    virtual void show_txt_string() = 0;
    virtual void hide_txt_string() = 0;

    // Picture1: the pause picture
    virtual void show_picture1() = 0;
    virtual void hide_picture1() = 0;

    // Label1: interval read-out; Label3: series read-out
    virtual void set_label1_caption(const std::string& text) = 0;
    virtual void set_label3_caption(const std::string& text) = 0;
};

} // namespace klankflits
