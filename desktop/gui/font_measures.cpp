#include "gui/font_measures.h"

#include "gui/scaled_layout.h"
#include "program/layout.h"
#include "program/letter_size.h"

#include <QFontMetricsF>

namespace klankflits
{

TwipsSize widest_syllable_in(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return widest_syllable(
        [&metrics](std::string_view syllable) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(syllable.data(), static_cast<qsizetype>(syllable.size())));
        },
        metrics.height());
}

std::function<double(double)> twips_wide_in(const QFont& letter, const QString& text, double factor)
{
    return [letter, text, factor](double scale) {
        return QFontMetricsF(scaled_font(letter, scale)).horizontalAdvance(text) / factor *
               twips_per_pixel;
    };
}

} // namespace klankflits
