#include "program/pause_picture.h"

#include "program/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace klankflits
{

namespace
{

constexpr PausePictureDescription picture{
    pause_picture_size,
    {{{0.0, 0xeeeeee}, {0.3, 0xeeeeee}, {1.0, 0x9c9c9c}}},
    41.0,
    {-0.35, -0.40},
    1.45,
    {{{0.0, 0xfff6a0}, {0.45, 0xffd829}, {1.0, 0xf2b705}}},
    0x3b2a06,
    {{{{-0.34, -0.28}, 0.115, 0.185}, {{0.34, -0.28}, 0.115, 0.185}}},
    {-0.56, 0.16},
    {0.0, 0.80},
    {0.56, 0.16},
    0.07,
    1.0,
    0.10,
    1.25,
};

// A length in hundredths, written the same in every locale.
std::string number(double value)
{
    const long hundredths = std::lround(value * 100);
    const long whole = std::labs(hundredths);
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(whole / 100);
    if (const long part = whole % 100; part != 0) {
        text += '.';
        text += static_cast<char>('0' + part / 10);
        if (part % 10 != 0)
            text += static_cast<char>('0' + part % 10);
    }
    return text;
}

std::string colour(Rgb rgb)
{
    constexpr char digits[] = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += digits[(rgb >> shift) & 0xf];
    return text;
}

std::string attribute(const char* name, const std::string& value)
{
    return std::string(" ") + name + "=\"" + value + "\"";
}

std::string radial_gradient(const char* id, double cx, double cy, double r,
                            const std::array<GradientStop, 3>& stops)
{
    std::string out = std::string("    <radialGradient") + attribute("id", id) +
                      attribute("gradientUnits", "userSpaceOnUse") + attribute("cx", number(cx)) +
                      attribute("cy", number(cy)) + attribute("r", number(r)) + ">\n";
    for (const GradientStop& stop : stops)
        out += "      <stop" + attribute("offset", number(stop.offset)) +
               attribute("stop-color", colour(stop.colour)) + "/>\n";
    return out + "    </radialGradient>\n";
}

std::string document_start(int width, int height, const std::string& view_box)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg" +
           attribute("xmlns", "http://www.w3.org/2000/svg") +
           attribute("width", std::to_string(width)) + attribute("height", std::to_string(height)) +
           attribute("viewBox", view_box) + attribute("preserveAspectRatio", "none") +
           ">\n  <title>" + std::string(program_name) + "</title>\n";
}

// The face centred on (cx, cy), its outline's outer edge at `outer_radius`:
// its fill's gradient (for <defs>) and its shapes.
struct FaceElements {
    std::string gradient;
    std::string shapes;
};

FaceElements face(double cx, double cy, double outer_radius)
{
    const FaceScale scale = face_scale(outer_radius);
    const auto x = [&](double u) { return number(cx + u * scale.unit); };
    const auto y = [&](double u) { return number(cy + u * scale.unit); };
    const auto length = [&](double u) { return number(u * scale.unit); };
    const std::string ink = colour(picture.ink);

    FaceElements out;
    out.gradient = radial_gradient("face", cx + picture.highlight.x * scale.unit,
                                   cy + picture.highlight.y * scale.unit,
                                   picture.highlight_radius * scale.unit, picture.fill);
    out.shapes = "  <circle" + attribute("cx", x(0)) + attribute("cy", y(0)) +
                 attribute("r", length(1)) + attribute("fill", "url(#face)") +
                 attribute("stroke", ink) + attribute("stroke-width", number(scale.outline)) +
                 "/>\n";
    for (const FaceEllipse& eye : picture.eyes)
        out.shapes += "  <ellipse" + attribute("cx", x(eye.centre.x)) +
                      attribute("cy", y(eye.centre.y)) + attribute("rx", length(eye.rx)) +
                      attribute("ry", length(eye.ry)) + attribute("fill", ink) + "/>\n";
    const std::string smile = "M " + x(picture.mouth_from.x) + ' ' + y(picture.mouth_from.y) +
                              " Q " + x(picture.mouth_bend.x) + ' ' + y(picture.mouth_bend.y) +
                              ' ' + x(picture.mouth_to.x) + ' ' + y(picture.mouth_to.y);
    out.shapes += "  <path" + attribute("d", smile) + attribute("fill", "none") +
                  attribute("stroke", ink) + attribute("stroke-width", number(scale.mouth)) +
                  attribute("stroke-linecap", "round") + "/>\n";
    return out;
}

} // namespace

const PausePictureDescription& pause_picture_description()
{
    return picture;
}

FaceScale face_scale(double outer_radius)
{
    const double outline = std::max(picture.outline_width * outer_radius, picture.outline_floor);
    const double mouth = std::max(picture.mouth_width * outer_radius, picture.mouth_floor);
    // The outline is drawn on the face's edge: half of it lies outside.
    return {outer_radius - outline / 2, outline, mouth};
}

std::string pause_picture_svg(int width, int height)
{
    const double w = picture.size.width;
    const double h = picture.size.height;
    const FaceElements smiley = face(w / 2, h / 2, picture.face_radius);
    return document_start(width, height, "0 0 " + number(w) + ' ' + number(h)) + "  <defs>\n" +
           radial_gradient("ground", w / 2, h / 2, std::hypot(w / 2, h / 2), picture.ground) +
           smiley.gradient + "  </defs>\n  <rect" + attribute("width", number(w)) +
           attribute("height", number(h)) + attribute("fill", "url(#ground)") + "/>\n" +
           smiley.shapes + "</svg>\n";
}

std::string face_svg(int size, double margin)
{
    const double centre = size / 2.0;
    const FaceElements smiley = face(centre, centre, centre - margin);
    const std::string side = std::to_string(size);
    return document_start(size, size, "0 0 " + side + ' ' + side) + "  <defs>\n" + smiley.gradient +
           "  </defs>\n" + smiley.shapes + "</svg>\n";
}

} // namespace klankflits
