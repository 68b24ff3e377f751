#pragma once

// The two read-outs of frm_werk, Label1 (the interval, beside "tijd") and
// Label3 (the series, beside "reeks"). A figure wider than its label keeps the
// label's right edge and grows it to the left, no further than just right of
// its word; a figure wider still is drawn smaller, a tenth at a time, down to
// half the window's letter.

#include "program/windows.h"

#include <functional>
#include <string_view>

namespace klankflits
{

struct ReadOutFit {
    TwipsRect place;
    double letter_scale = 1.0; // of the window's letter
};

// `width_at(scale)`: how many twips the figure takes in the window's letter
// times `scale`, as the shell measures it. `label` is "Label1" or "Label3".
ReadOutFit fit_read_out(std::string_view label, const std::function<double(double)>& width_at);

} // namespace klankflits
