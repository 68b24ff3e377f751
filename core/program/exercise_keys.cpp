#include "program/exercise_keys.h"

namespace klankflits
{

ExerciseKey exercise_key(std::string_view typed, bool alt_or_meta)
{
    if (alt_or_meta)
        return ExerciseKey::none;
    // = is + without Shift on many keyboards.
    if (typed == "+" || typed == "=")
        return ExerciseKey::letter_size_larger;
    if (typed == "-")
        return ExerciseKey::letter_size_smaller;
    if (typed == "p" || typed == "P" || typed == "MediaPlayPause")
        return ExerciseKey::pause;
    if (typed == "l" || typed == "L")
        return ExerciseKey::letters;
    return ExerciseKey::none;
}

} // namespace klankflits
