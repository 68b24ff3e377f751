#pragma once

// What the core's rules of frm_werk need measured in Qt's fonts.

#include "program/windows.h"

#include <QFont>
#include <QString>

#include <functional>

namespace klankflits
{

// The room the widest of all syllables takes in `font` (the syllable's, at
// step 1), in twips.
TwipsSize widest_syllable_in(const QFont& font);

// The read-outs' measure: how many twips of the layout at factor 1 `text`
// takes in `letter` times a scale, where `letter` is drawn at the layout's
// factor `factor` now.
std::function<double(double)> twips_wide_in(const QFont& letter, const QString& text,
                                            double factor);

} // namespace klankflits
