#pragma once

// The syllable's letters: the window's own bold face, as always, or the
// school letters beginning readers learn from (a one-storey a and g, an I, l
// and 1 that differ), for the board. A teacher switches them in the exercise.

#include "program/windows.h"

#include <optional>
#include <string_view>

namespace klankflits
{

enum class Letters { window, school };

// The touch screen's button and the command line's word for the school letters.
inline constexpr std::string_view school_letters_caption = "Schoolletters";
inline constexpr std::string_view school_letters_name = "school";

// The syllable's font in these letters: the same size and weight, another face.
const FontDescription& syllable_font(Letters letters);

// As the command line and the link name them: "school", or "gewoon" for the
// window's own; nullopt for anything else.
std::optional<Letters> letters_named(std::string_view text);

Letters other_letters(Letters letters);

} // namespace klankflits
