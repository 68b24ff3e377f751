#include "program/letters.h"

#include <array>

namespace klankflits
{

namespace
{

// SIL's Andika, made for beginning readers; the program carries it where the
// system may not have it.
constexpr std::array<std::string_view, 1> school_families{"Andika"};
constexpr FontDescription school{school_families, true, 24};

} // namespace

const FontDescription& syllable_font(Letters letters)
{
    return letters == Letters::school ? school : syllable_font();
}

std::optional<Letters> letters_named(std::string_view text)
{
    if (text == school_letters_name)
        return Letters::school;
    if (text == "gewoon")
        return Letters::window;
    return std::nullopt;
}

Letters other_letters(Letters letters)
{
    return letters == Letters::school ? Letters::window : Letters::school;
}

} // namespace klankflits
