// The core's fit rule for the page: a window's layout drawn at the viewport's
// size as one picture, scaled and centred as on the desktop's full screen.

#include "program/layout.h"

#include <emscripten/bind.h>

namespace
{

klankflits::Fit fit_and_centre(int width, int height, double client_width, double client_height)
{
    return klankflits::fit_and_centre({width, height}, client_width, client_height);
}

} // namespace

EMSCRIPTEN_BINDINGS(klankflits_layout)
{
    emscripten::value_object<klankflits::Fit>("Fit")
        .field("factor", &klankflits::Fit::factor)
        .field("left", &klankflits::Fit::left)
        .field("top", &klankflits::Fit::top);
    emscripten::function("fitAndCentre", &fit_and_centre);
}
