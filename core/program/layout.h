#pragma once

#include "program/windows.h"

namespace klankflits
{

// 15 twips make one device-independent pixel (a CSS pixel in the page): 1440
// twips to the logical inch at 96 of them. A shell with whole-pixel places
// rounds this to the nearest pixel.
inline constexpr double twips_per_pixel = 15.0;

constexpr double pixels(double twips)
{
    return twips / twips_per_pixel;
}

// A window's fixed layout drawn at any client size as one picture: scaled by
// the largest factor at which the whole layout fits, and centred. At the
// layout's own size the factor is 1 and nothing moves.
struct Fit {
    double factor = 1.0;
    double left = 0.0; // where the layout's corner lies in the client, in pixels
    double top = 0.0;
};

Fit fit_and_centre(TwipsSize layout, double client_width, double client_height);

} // namespace klankflits
