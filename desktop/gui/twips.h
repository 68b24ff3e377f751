#pragma once

#include "program/layout.h"
#include "program/windows.h"

#include <QRect>
#include <QSize>

#include <cmath>

namespace klankflits
{

// The layouts' twips as whole device-independent pixels (Qt's high-DPI scaling
// does the rest): the core's rule, rounded to the nearest pixel.
inline int whole_pixels(double twips)
{
    return static_cast<int>(std::lround(pixels(twips)));
}

inline QRect pixel_rect(const TwipsRect& place)
{
    return {whole_pixels(place.left), whole_pixels(place.top), whole_pixels(place.width),
            whole_pixels(place.height)};
}

inline QSize pixel_size(const TwipsSize& size)
{
    return {whole_pixels(size.width), whole_pixels(size.height)};
}

} // namespace klankflits
