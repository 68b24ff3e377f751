#pragma once

class QLabel;
class QRect;
class QWidget;

namespace klankflits
{

// The windows place their controls at fixed sizes. Where the platform's dialog
// font is wider than the face those sizes were made for, the window's font is
// made smaller, a half point at a time, until every label and button caption
// fits its control.
void fit_font_to_captions(QWidget* window);

// A read-out whose text changes keeps its place while the text fits. A longer
// text grows it to the left, no further than `leftmost`; what still does not
// fit there is drawn in a smaller font. A figure is never cut off.
void fit_read_out(QLabel* read_out, const QRect& place, int leftmost);

} // namespace klankflits
