#pragma once

#include "program/windows.h"

#include <QFont>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <optional>

class QLabel;
class QWidget;

namespace klankflits
{

// `font` drawn `factor` times as large (in points, or pixels where it has no
// point size).
QFont scaled_font(QFont font, double factor);

// A window's fixed layout, drawn at any size as one picture: every control's
// geometry and font scale by one factor, the largest at which the whole
// layout fits the window, and the layout is centred in it (the core's
// fit_and_centre, to whole pixels). At the layout's own size everything is
// exactly as laid out. Text is drawn at the new size; a picture draws itself
// to its box.
class ScaledLayout
{
public:
    // Takes the window's controls' places and fonts as they are now: the
    // layout at factor 1, of the client size given.
    ScaledLayout(QWidget* window, TwipsSize layout);

    QSize size() const { return size_; }
    // The factor the layout is drawn at now.
    double factor() const { return factor_; }

    // The factor at which the layout fits `client`.
    double factor_for(QSize client) const;

    // Lays the window out again for its current size.
    void apply();

    // Draws `control` in `box` (pixels of the layout at factor 1) instead of
    // its own place, with its font `by` times as large: the letter size. Its
    // own place and 1 draw it as laid out again. Takes effect with the next
    // apply().
    void grow(QWidget* control, const QRectF& box, double by);

    // A control with a font of its own gets another one, at factor 1; takes
    // effect with the next apply().
    void set_font(QWidget* control, const QFont& font);

    // Where a place of the layout at factor 1 lies now.
    QRect place(const QRectF& laid_out) const;

private:
    struct Control {
        QWidget* widget;
        QRectF box;                // at factor 1: as laid out, or grown
        std::optional<QFont> font; // where the control has a font of its own
        double grown_by = 1.0;
        double drawn_scale = 1.0; // of the font now
    };

    QWidget* window_;
    TwipsSize layout_;
    QSize size_;
    QFont font_;
    QList<Control> controls_;
    double factor_ = 1.0;
    double window_font_factor_ = 1.0;
    QPoint offset_;
};

} // namespace klankflits
