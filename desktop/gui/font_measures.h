#pragma once

// What the core's rules of frm_werk need measured in Qt's fonts.

#include "program/windows.h"

#include <QFont>
#include <QSizeF>
#include <QString>

#include <functional>
#include <span>
#include <string>

namespace klankflits
{

// The room the widest of `items` (the material's) takes in `font` (the
// syllable's, at step 1), in twips.
TwipsSize widest_item_in(const QFont& font, std::span<const std::string> items);

// Whether each of `items`, drawn in `font` centred in a box of `room` pixels,
// keeps its ink a pixel clear of the box's edges.
bool items_whole_in(const QFont& font, std::span<const std::string> items, QSizeF room);

// The read-outs' measure: how many twips of the layout at factor 1 `text`
// takes in `letter` times a scale, where `letter` is drawn at the layout's
// factor `factor` now.
std::function<double(double)> twips_wide_in(const QFont& letter, const QString& text,
                                            double factor);

} // namespace klankflits
