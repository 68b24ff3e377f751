#pragma once

// The pause picture in Picture1 between series, written once as shapes so that
// each shell draws it sharp at the size it shows it: a yellow smiling face on a
// grey ground that darkens towards the edges. The face alone is the program's
// icon.
//
// The picture's own lengths are pixels of the picture at the window's own size
// (pause_picture_size). The face's are face units: centre (0, 0), 1 the
// radius of the middle of its outline, y pointing down.

#include "program/windows.h"

#include <array>
#include <cstdint>
#include <string>

namespace klankflits
{

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

struct GradientStop {
    double offset; // 0 at the gradient's centre, 1 at its radius
    Rgb colour;
};

struct FacePoint {
    double x;
    double y;
};

struct FaceEllipse {
    FacePoint centre;
    double rx;
    double ry;
};

struct PausePictureDescription {
    PixelSize size;
    // The ground: a radial gradient from the picture's centre to its corners.
    std::array<GradientStop, 3> ground;
    // The face, centred in the picture, its outline's outer edge this far
    // from its centre.
    double face_radius;
    // The face's fill: a radial gradient from a highlight up and to the left.
    FacePoint highlight;
    double highlight_radius;
    std::array<GradientStop, 3> fill;
    // The outline, the eyes and the smile.
    Rgb ink;
    std::array<FaceEllipse, 2> eyes;
    // The smile: a quadratic curve from one corner of the mouth to the other.
    FacePoint mouth_from;
    FacePoint mouth_bend;
    FacePoint mouth_to;
    // Line widths as parts of the outline's outer radius, no thinner than the
    // floor in pixels: a small icon keeps a visible outline and smile.
    double outline_width;
    double outline_floor;
    double mouth_width;
    double mouth_floor;
};

const PausePictureDescription& pause_picture_description();

// The face drawn with its outline's outer edge `outer_radius` pixels from its
// centre: the pixels of a face unit and of each line's width.
struct FaceScale {
    double unit;
    double outline;
    double mouth;
};
FaceScale face_scale(double outer_radius);

// The picture as an SVG document of `width` x `height` pixels, filled by it.
std::string pause_picture_svg(int width, int height);

// The face alone on a clear square of `size` pixels, its outline's outer edge
// `margin` pixels inside the square's edge: the program's scalable icon.
std::string face_svg(int size, double margin);

} // namespace klankflits
