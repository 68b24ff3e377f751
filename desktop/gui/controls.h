#pragma once

#include "program/letters.h"
#include "program/windows.h"

#include <QHash>
#include <QString>

class QFont;
class QWidget;

namespace klankflits
{

// A window's controls as its description has them: each under its name, at
// its place, with its caption, font, state at load and tab order. The window
// gets its own name and caption too; its size is the window's to set. Buttons
// are never default buttons: Enter must never press one.
QHash<QString, QWidget*> create_controls(QWidget* window, const WindowDescription& description);

// The syllable's font: the first of its faces that can be drawn large and bold
// here, else the system's sans-serif of the same size.
QFont syllable_qfont(Letters letters = Letters::window);

} // namespace klankflits
