#pragma once

#include "program/letters.h"

namespace klankflits
{

// How the exercise window opens: at its own size (scaled down where the screen
// is smaller), or full screen.
enum class Opening { at_its_size, full_screen };

// All the command line sets for the exercise window: how it opens, the letter
// size (1 to 4) and the syllable's letters.
struct ExerciseOpening {
    Opening opening = Opening::at_its_size;
    int letter_size = 1;
    Letters letters = Letters::window;
};

} // namespace klankflits
