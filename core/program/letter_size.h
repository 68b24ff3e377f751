#pragma once

// The letter size: how large the exercise window draws the syllable and the
// pause picture, so that the back row of a classroom can read it from the
// board. Step 1 is the window's own layout; each step up is the same factor
// larger, four times as large at step 4. Nothing else of the window changes.

#include "program/windows.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace klankflits
{

inline constexpr int smallest_letter_size = 1;
inline constexpr int largest_letter_size = 4;

// The captions of a touch screen's two buttons that step it down and up.
inline constexpr std::string_view letter_size_smaller = "A\u2212";
inline constexpr std::string_view letter_size_larger = "A+";

// 1, then evenly (each step the same factor) up to 4.
double letter_size_factor(int step);

// `step` moved `by` steps, no further than the smallest or the largest.
int letter_size_stepped(int step, int by);

// A step as given on the command line or in a link: "1" to "4"; nullopt for
// anything else.
std::optional<int> letter_size_named(std::string_view text);

// A step as a link asks for it (the page's "lettergrootte=" value): a whole
// number, "+" or "-" allowed before its digits, above the largest step is the
// largest and below the smallest the smallest. Anything else ("2.5", "twee",
// an empty value) asks for no step. `note` says, in Dutch for the console,
// what was made of a value that is not a step as it stands; empty for "1" to "4".
struct LinkLetterSize {
    std::optional<int> step;
    std::string note;
};

LinkLetterSize letter_size_from_link(std::string_view value);

// How a control of frm_werk that shows content of `content` twips at step 1
// (the widest item in the syllable's font, the pause picture's box) is drawn
// at `step`: centred where the control stands, `factor` times as large. A
// step at which the content would leave the window or reach a control that
// shows something (the read-outs, their words, the buttons) gives way to the
// largest step below it that fits. At step 1 a content that fits the control
// takes the control's own place, exactly; a wider or taller one is drawn at
// its own size where that fits, else as large as fits (a factor below 1), so
// that it is always whole.
struct GrownControl {
    int step = smallest_letter_size;
    double factor = 1.0;
    TwipsRect box;
};

GrownControl grown_control(std::string_view control, TwipsSize content, int step);

// The room the widest of `items` takes in the syllable's font at step 1, in
// twips: `width_px` measures one item in the shell's font, in pixels of the
// window's own layout; `line_height_px` is that font's line height.
TwipsSize widest_item(std::span<const std::string> items,
                      const std::function<double(std::string_view)>& width_px,
                      double line_height_px);
// The same over the CCV syllables.
TwipsSize widest_syllable(const std::function<double(std::string_view)>& width_px,
                          double line_height_px);

// txt_string grown around the widest item (widest_item()).
GrownControl grown_syllable(TwipsSize widest, int step);
// Picture1 grown: the picture box, as it stands, is its content.
GrownControl grown_pause_picture(int step);

} // namespace klankflits
