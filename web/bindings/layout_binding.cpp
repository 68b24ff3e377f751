// The core's layout rules for the page: a window's layout drawn at the
// viewport's size as one picture, scaled and centred as on the desktop's full
// screen; and the letter size, where and how large the syllable and the pause
// picture are drawn at a step, and a step as the link names it.

#include "program/layout.h"
#include "program/letter_size.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace
{

klankflits::Fit fit_and_centre(int width, int height, double client_width, double client_height)
{
    return klankflits::fit_and_centre({width, height}, client_width, client_height);
}

klankflits::GrownControl grown_control(const std::string& control, int content_width,
                                       int content_height, int step)
{
    return klankflits::grown_control(control, {content_width, content_height}, step);
}

// The step, or null for anything but "1" to "4".
emscripten::val letter_size_named(const std::string& text)
{
    const auto step = klankflits::letter_size_named(text);
    return step ? emscripten::val(*step) : emscripten::val::null();
}

// The step a link's letter size asks for (null for none) and what the console
// is told about a value that is not a step as it stands.
emscripten::val letter_size_from_link(const std::string& value)
{
    const klankflits::LinkLetterSize read = klankflits::letter_size_from_link(value);
    emscripten::val result = emscripten::val::object();
    result.set("step", read.step ? emscripten::val(*read.step) : emscripten::val::null());
    result.set("note", read.note);
    return result;
}

} // namespace

EMSCRIPTEN_BINDINGS(klankflits_layout)
{
    emscripten::value_object<klankflits::Fit>("Fit")
        .field("factor", &klankflits::Fit::factor)
        .field("left", &klankflits::Fit::left)
        .field("top", &klankflits::Fit::top);
    emscripten::function("fitAndCentre", &fit_and_centre);

    emscripten::value_object<klankflits::TwipsBox>("TwipsBox")
        .field("left", &klankflits::TwipsBox::left)
        .field("top", &klankflits::TwipsBox::top)
        .field("width", &klankflits::TwipsBox::width)
        .field("height", &klankflits::TwipsBox::height);
    emscripten::value_object<klankflits::GrownControl>("GrownControl")
        .field("step", &klankflits::GrownControl::step)
        .field("factor", &klankflits::GrownControl::factor)
        .field("box", &klankflits::GrownControl::box);
    emscripten::function("grownControl", &grown_control);
    emscripten::function("letterSizeNamed", &letter_size_named);
    emscripten::function("letterSizeFromLink", &letter_size_from_link);
}
