#include "gui/font_measures.h"

#include "gui/scaled_layout.h"
#include "program/layout.h"
#include "program/letter_size.h"

#include <QFontMetricsF>

#include <algorithm>

namespace klankflits
{

TwipsSize widest_item_in(const QFont& font, std::span<const std::string> items)
{
    // An item's advance, or its ink where that reaches past it (an italic
    // end, a w without a bearing), and a pixel's room on either side.
    const QFontMetricsF metrics(font);
    return widest_item(
        items,
        [&metrics](std::string_view item) {
            const QString text =
                QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
            const QRectF ink = metrics.tightBoundingRect(text);
            const double advance = metrics.horizontalAdvance(text);
            return std::max(advance, ink.right()) - std::min(0.0, ink.left()) + 2;
        },
        metrics.height() + 2);
}

bool items_whole_in(const QFont& font, std::span<const std::string> items, QSizeF room)
{
    const QFontMetricsF metrics(font);
    // The line, centred as the label centres it; the ink about its baseline.
    const double baseline = (room.height() - metrics.height()) / 2 + metrics.ascent();
    for (const std::string& item : items) {
        const QString text = QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
        const double start = (room.width() - metrics.horizontalAdvance(text)) / 2;
        const QRectF ink = metrics.tightBoundingRect(text).translated(start, baseline);
        if (ink.left() < 1 || ink.top() < 1 || ink.right() > room.width() - 1 ||
            ink.bottom() > room.height() - 1)
            return false;
    }
    return true;
}

std::function<double(double)> twips_wide_in(const QFont& letter, const QString& text, double factor)
{
    return [letter, text, factor](double scale) {
        return QFontMetricsF(scaled_font(letter, scale)).horizontalAdvance(text) / factor *
               twips_per_pixel;
    };
}

} // namespace klankflits
