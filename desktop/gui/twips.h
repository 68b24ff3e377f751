#pragma once

#include <QRect>
#include <QSize>

namespace klankflits
{

// The windows' layouts are given in twips, 1/1440 of a logical inch: 15 twips
// make one device-independent pixel. Qt's high-DPI scaling does the rest.
constexpr int twips_per_pixel = 15;

constexpr int twips_to_pixels(int twips)
{
    return (twips + twips_per_pixel / 2) / twips_per_pixel;
}

constexpr QRect twips_rect(int left, int top, int width, int height)
{
    return {twips_to_pixels(left), twips_to_pixels(top), twips_to_pixels(width),
            twips_to_pixels(height)};
}

constexpr QSize twips_size(int width, int height)
{
    return {twips_to_pixels(width), twips_to_pixels(height)};
}

} // namespace klankflits
