#include "gui/scaled_layout.h"

#include "gui/twips.h"
#include "program/layout.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace klankflits
{

namespace
{

QFont scaled(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * factor)));
    return font;
}

} // namespace

ScaledLayout::ScaledLayout(QWidget* window, TwipsSize layout)
    : window_(window), layout_(layout), size_(pixel_size(layout))
{
    font_ = window->font();
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        Control c{control, control->geometry(), std::nullopt, {}};
        if (control->testAttribute(Qt::WA_SetFont))
            c.font = control->font();
        if (const auto* label = qobject_cast<QLabel*>(control))
            c.pixmap = label->pixmap();
        controls_.append(c);
    }
}

double ScaledLayout::factor_for(QSize client) const
{
    return fit_and_centre(layout_, client.width(), client.height()).factor;
}

int ScaledLayout::x(int laid_out) const
{
    return offset_.x() + static_cast<int>(std::lround(laid_out * factor_));
}

// Edges are scaled, not sizes, so that controls that touch still touch.
QRect ScaledLayout::place(const QRect& laid_out) const
{
    const auto at = [this](int v) { return static_cast<int>(std::lround(v * factor_)); };
    const QPoint top_left(at(laid_out.left()), at(laid_out.top()));
    const QPoint past_end(at(laid_out.left() + laid_out.width()),
                          at(laid_out.top() + laid_out.height()));
    return QRect(top_left + offset_, past_end + offset_ - QPoint(1, 1));
}

void ScaledLayout::apply()
{
    const Fit fit = fit_and_centre(layout_, window_->width(), window_->height());
    const double factor = fit.factor;
    const bool rescale = factor != factor_;
    factor_ = factor;
    offset_ =
        QPoint(static_cast<int>(std::lround(fit.left)), static_cast<int>(std::lround(fit.top)));
    if (rescale)
        window_->setFont(factor == 1.0 ? font_ : scaled(font_, factor));
    for (const Control& c : std::as_const(controls_)) {
        c.widget->setGeometry(place(c.geometry));
        if (!rescale)
            continue;
        if (c.font)
            c.widget->setFont(factor == 1.0 ? *c.font : scaled(*c.font, factor));
        if (!c.pixmap.isNull())
            static_cast<QLabel*>(c.widget)->setPixmap(
                factor == 1.0 ? c.pixmap
                              : c.pixmap.scaled(c.pixmap.size() * factor, Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation));
    }
}

} // namespace klankflits
