#include "gui/scaled_layout.h"

#include "gui/twips.h"
#include "program/layout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace klankflits
{

QFont scaled_font(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * factor)));
    return font;
}

ScaledLayout::ScaledLayout(QWidget* window, TwipsSize layout)
    : window_(window), layout_(layout), size_(pixel_size(layout))
{
    font_ = window->font();
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        Control c{control, QRectF(control->geometry()), std::nullopt};
        if (control->testAttribute(Qt::WA_SetFont))
            c.font = control->font();
        controls_.append(c);
    }
}

double ScaledLayout::factor_for(QSize client) const
{
    return fit_and_centre(layout_, client.width(), client.height()).factor;
}

// Edges are scaled, not sizes, so that controls that touch still touch.
QRect ScaledLayout::place(const QRectF& laid_out) const
{
    const auto at = [this](double v) { return static_cast<int>(std::lround(v * factor_)); };
    const QPoint top_left(at(laid_out.left()), at(laid_out.top()));
    const QPoint past_end(at(laid_out.left() + laid_out.width()),
                          at(laid_out.top() + laid_out.height()));
    return QRect(top_left + offset_, past_end + offset_ - QPoint(1, 1));
}

void ScaledLayout::grow(QWidget* control, const QRectF& box, double by)
{
    for (Control& c : controls_) {
        if (c.widget == control) {
            c.box = box;
            c.grown_by = by;
        }
    }
}

void ScaledLayout::set_font(QWidget* control, const QFont& font)
{
    for (Control& c : controls_) {
        if (c.widget == control) {
            c.font = font;
            c.drawn_scale = 0; // drawn anew
        }
    }
}

void ScaledLayout::apply()
{
    const Fit fit = fit_and_centre(layout_, window_->width(), window_->height());
    factor_ = fit.factor;
    offset_ =
        QPoint(static_cast<int>(std::lround(fit.left)), static_cast<int>(std::lround(fit.top)));
    if (factor_ != window_font_factor_) {
        window_font_factor_ = factor_;
        window_->setFont(factor_ == 1.0 ? font_ : scaled_font(font_, factor_));
    }
    for (Control& c : controls_) {
        c.widget->setGeometry(place(c.box));
        const double scale = factor_ * c.grown_by;
        if (scale == c.drawn_scale)
            continue;
        c.drawn_scale = scale;
        if (c.font)
            c.widget->setFont(scale == 1.0 ? *c.font : scaled_font(*c.font, scale));
    }
}

} // namespace klankflits
