#include "program/letter_size.h"

#include "engine/material.h"
#include "engine/quoted_text.h"
#include "engine/syllables.h"
#include "program/layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace klankflits
{

namespace
{

TwipsRect centred(const TwipsRect& place, double width, double height)
{
    const double x = place.left + place.width / 2.0;
    const double y = place.top + place.height / 2.0;
    return {x - width / 2, y - height / 2, width, height};
}

bool overlaps(const TwipsRect& box, const TwipsRect& other)
{
    return box.left < other.left + other.width && other.left < box.left + box.width &&
           box.top < other.top + other.height && other.top < box.top + box.height;
}

// Inside the window and clear of every control that shows something. The
// syllable and the picture share the middle and never show together.
bool fits(const TwipsRect& box)
{
    const WindowDescription& window = exercise_window();
    if (box.left < 0 || box.top < 0 || box.left + box.width > window.client.width ||
        box.top + box.height > window.client.height)
        return false;
    return std::none_of(window.controls.begin(), window.controls.end(),
                        [&](const ControlDescription& other) {
                            return other.name != "txt_string" && other.name != "Picture1" &&
                                   overlaps(box, other.place);
                        });
}

// The largest factor up to 1 at which `content`, centred on `place`, fits:
// the fitting boxes grow with the factor, so halving the gap between one that
// fits and one that does not narrows it down to well below a twip.
GrownControl shrunk_to_fit(const TwipsRect& place, TwipsSize content)
{
    const auto box = [&](double factor) {
        return centred(place, content.width * factor, content.height * factor);
    };
    if (fits(box(1.0)))
        return {smallest_letter_size, 1.0, box(1.0)};
    double fitting = 0.0;
    double too_large = 1.0;
    for (int i = 0; i < 40; ++i) {
        const double middle = (fitting + too_large) / 2;
        (fits(box(middle)) ? fitting : too_large) = middle;
    }
    return {smallest_letter_size, fitting, box(fitting)};
}

} // namespace

double letter_size_factor(int step)
{
    const int clamped = std::clamp(step, smallest_letter_size, largest_letter_size);
    return std::pow(4.0, (clamped - 1) / 3.0);
}

std::optional<int> letter_size_named(std::string_view text)
{
    int step = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), step);
    if (error != std::errc() || end != text.data() + text.size() || step < smallest_letter_size ||
        step > largest_letter_size)
        return std::nullopt;
    return step;
}

LinkLetterSize letter_size_from_link(std::string_view value)
{
    const bool negative = value.starts_with('-');
    const std::string_view digits = value.substr(negative || value.starts_with('+') ? 1 : 0);
    const bool whole = !digits.empty() && std::all_of(digits.begin(), digits.end(),
                                                      [](char c) { return c >= '0' && c <= '9'; });
    const std::string named = "De lettergrootte " + quoted_text_visibly(value) + " in de link ";
    if (!whole)
        return {std::nullopt, named + "is geen heel getal van " +
                                  std::to_string(smallest_letter_size) + " tot " +
                                  std::to_string(largest_letter_size) + " en telt niet mee."};
    // Past the steps, however many digits it has: only its first few count.
    const std::string_view significant =
        digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    int number = 0;
    for (char digit : significant.substr(0, 4))
        number = number * 10 + (digit - '0');
    if (negative)
        number = -number;
    const int step = std::clamp(number, smallest_letter_size, largest_letter_size);
    if (step == number)
        return {step, {}};
    return {step, named + "is " + (number < step ? "kleiner" : "groter") + " dan " +
                      std::to_string(step) + ", dus wordt het " + std::to_string(step) + "."};
}

GrownControl grown_control(std::string_view control, TwipsSize content, int step)
{
    const TwipsRect& place = exercise_window().control(control).place;
    for (int s = std::clamp(step, smallest_letter_size, largest_letter_size);
         s > smallest_letter_size; --s) {
        const double factor = letter_size_factor(s);
        const TwipsRect box = centred(place, content.width * factor, content.height * factor);
        if (fits(box))
            return {s, factor, box};
    }
    if (content.width <= place.width && content.height <= place.height)
        return {smallest_letter_size, 1.0, place};
    return shrunk_to_fit(place, content);
}

int letter_size_stepped(int step, int by)
{
    return std::clamp(step + by, smallest_letter_size, largest_letter_size);
}

TwipsSize widest_item(std::span<const std::string> items,
                      const std::function<double(std::string_view)>& width_px,
                      double line_height_px)
{
    double widest = 0;
    for (const std::string& item : items)
        widest = std::max(widest, width_px(item));
    return {static_cast<int>(std::ceil(widest * twips_per_pixel)),
            static_cast<int>(std::ceil(line_height_px * twips_per_pixel))};
}

TwipsSize widest_syllable(const std::function<double(std::string_view)>& width_px,
                          double line_height_px)
{
    return widest_item(ccv_material()->items, width_px, line_height_px);
}

GrownControl grown_syllable(TwipsSize widest, int step)
{
    return grown_control("txt_string", widest, step);
}

GrownControl grown_pause_picture(int step)
{
    const TwipsRect& place = exercise_window().control("Picture1").place;
    return grown_control("Picture1",
                         {static_cast<int>(place.width), static_cast<int>(place.height)}, step);
}

} // namespace klankflits
