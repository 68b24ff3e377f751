#pragma once

#include "program/exercise_keys.h"

#include <functional>

class QKeyEvent;
class QWidget;

namespace klankflits
{

// What a key press does in frm_werk by the core's rule (+ and - step the
// letter size), from the character Qt says the key gives.
ExerciseKey exercise_key_of(const QKeyEvent& event);

// F11 everywhere, and the platform's own key for full screen where it has one,
// call `toggle` while `window` is active.
void add_full_screen_keys(QWidget* window, std::function<void()> toggle);

} // namespace klankflits
