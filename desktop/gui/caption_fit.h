#pragma once

class QWidget;

namespace klankflits
{

// The windows place their controls at fixed sizes. Where the platform's dialog
// font is wider than the face those sizes were made for, the window's font is
// made smaller, a half point at a time, until every label and button caption
// fits its control.
void fit_font_to_captions(QWidget* window);

} // namespace klankflits
