#pragma once

#include "program/windows.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QLabel;
class QWidget;

namespace klankflits
{

// A window's fixed layout, drawn at any size as one picture: every control's
// geometry and font scale by one factor, the largest at which the whole
// layout fits the window, and the layout is centred in it (the core's
// fit_and_centre, to whole pixels). At the layout's own size everything is
// exactly as laid out. Text is drawn at the new size; a picture is scaled
// smoothly.
class ScaledLayout
{
public:
    // Takes the window's controls' places and fonts and the pictures as they
    // are now: the layout at factor 1, of the client size given.
    ScaledLayout(QWidget* window, TwipsSize layout);

    QSize size() const { return size_; }

    // The factor at which the layout fits `client`.
    double factor_for(QSize client) const;

    // Lays the window out again for its current size.
    void apply();

    // Where a place of the layout at factor 1 lies now.
    QRect place(const QRect& laid_out) const;
    int x(int laid_out) const;

private:
    struct Control {
        QWidget* widget;
        QRect geometry;
        std::optional<QFont> font; // where the control has a font of its own
        QPixmap pixmap;            // for a picture
    };

    QWidget* window_;
    TwipsSize layout_;
    QSize size_;
    QFont font_;
    QList<Control> controls_;
    double factor_ = 1.0;
    QPoint offset_;
};

} // namespace klankflits
