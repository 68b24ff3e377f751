#include "program/read_outs.h"

#include <algorithm>

namespace klankflits
{

namespace
{

// Room kept between a read-out and its word: 3 pixels.
constexpr double gap_twips = 45;
constexpr double smallest_scale = 0.5;
constexpr double scale_step = 0.9;

std::string_view word_of(std::string_view label)
{
    return label == "Label1" ? "Label5" : "Label4";
}

} // namespace

ReadOutFit fit_read_out(std::string_view label, const std::function<double(double)>& width_at)
{
    const TwipsRect& place = exercise_window().control(label).place;
    const TwipsRect& word = exercise_window().control(word_of(label)).place;
    ReadOutFit fit{place, 1.0};
    const double width = width_at(1.0);
    if (width <= place.width)
        return fit;
    const double right = place.left + place.width;
    fit.place.left = std::max(word.left + word.width + gap_twips, right - width);
    fit.place.width = right - fit.place.left;
    while (width_at(fit.letter_scale) > fit.place.width &&
           fit.letter_scale * scale_step >= smallest_scale)
        fit.letter_scale *= scale_step;
    return fit;
}

} // namespace klankflits
