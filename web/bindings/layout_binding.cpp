// The core's layout rules for the page (declared in layout_binding.d.ts): a
// window's layout drawn at the viewport's size as one picture, scaled and
// centred as on the desktop's full screen; the letter size (the widest
// item from the page's measure, where and how large the syllable and the
// pause picture are drawn at a step, a step as the link names it, the keys
// that step it); and the read-outs' fit of a figure the page measured.

#include "program/exercise_keys.h"
#include "program/layout.h"
#include "program/letter_size.h"
#include "program/letters.h"
#include "program/read_outs.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace
{

klankflits::Fit fit_and_centre(int width, int height, double client_width, double client_height)
{
    return klankflits::fit_and_centre({width, height}, client_width, client_height);
}

// The widest of `items` (the chosen material's), measured by the page:
// `width_px(item)` in CSS px of the layout at its own size.
klankflits::TwipsSize widest_item(const emscripten::val& items, emscripten::val width_px,
                                  double line_height_px)
{
    return klankflits::widest_item(
        emscripten::vecFromJSArray<std::string>(items),
        [&width_px](std::string_view item) { return width_px(std::string(item)).as<double>(); },
        line_height_px);
}

klankflits::GrownControl grown_syllable(int widest_width, int widest_height, int step)
{
    return klankflits::grown_syllable({widest_width, widest_height}, step);
}

// What a key does in the exercise: "larger", "smaller", "letters", "pause" or "".
std::string exercise_key(const std::string& typed, bool alt_or_meta)
{
    switch (klankflits::exercise_key(typed, alt_or_meta)) {
    case klankflits::ExerciseKey::letter_size_larger:
        return "larger";
    case klankflits::ExerciseKey::letter_size_smaller:
        return "smaller";
    case klankflits::ExerciseKey::letters:
        return "letters";
    case klankflits::ExerciseKey::pause:
        return "pause";
    case klankflits::ExerciseKey::none:
        break;
    }
    return "";
}

// The syllable's letters as a link names them: "school", "window" (the link's
// "gewoon"), or "" for anything else.
std::string letters_named(const std::string& text)
{
    const auto letters = klankflits::letters_named(text);
    if (!letters)
        return "";
    return *letters == klankflits::Letters::school ? "school" : "window";
}

// A read-out's place and letter: `width_at(scale)` in twips, measured by the page.
klankflits::ReadOutFit fit_read_out(const std::string& label, emscripten::val width_at)
{
    return klankflits::fit_read_out(
        label, [&width_at](double scale) { return width_at(scale).as<double>(); });
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

    emscripten::value_object<klankflits::TwipsRect>("TwipsRect")
        .field("left", &klankflits::TwipsRect::left)
        .field("top", &klankflits::TwipsRect::top)
        .field("width", &klankflits::TwipsRect::width)
        .field("height", &klankflits::TwipsRect::height);
    emscripten::value_object<klankflits::TwipsSize>("TwipsSize")
        .field("width", &klankflits::TwipsSize::width)
        .field("height", &klankflits::TwipsSize::height);
    emscripten::value_object<klankflits::GrownControl>("GrownControl")
        .field("step", &klankflits::GrownControl::step)
        .field("factor", &klankflits::GrownControl::factor)
        .field("box", &klankflits::GrownControl::box);
    emscripten::function("widestItem", &widest_item);
    emscripten::function("grownSyllable", &grown_syllable);
    emscripten::function("grownPausePicture", &klankflits::grown_pause_picture);
    emscripten::function("letterSizeStepped", &klankflits::letter_size_stepped);
    emscripten::function("exerciseKey", &exercise_key);
    emscripten::function("lettersNamed", &letters_named);
    emscripten::value_object<klankflits::ReadOutFit>("ReadOutFit")
        .field("place", &klankflits::ReadOutFit::place)
        .field("letterScale", &klankflits::ReadOutFit::letter_scale);
    emscripten::function("fitReadOut", &fit_read_out);
    emscripten::function("letterSizeFromLink", &letter_size_from_link);
}
