#include "gui/caption_fit.h"

#include "gui/two_line_button.h"
#include "program/windows.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

namespace klankflits
{

namespace
{

constexpr qreal smallest_point_size = 6.5;

// Text drawn on a control, without the access-key marker.
QString drawn_text(const QWidget* control)
{
    if (const auto* button = qobject_cast<const TwoLineButton*>(control))
        return button->displayed_lines();
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return QString::fromStdString(drawn_caption(button->text().toStdString()));
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return {};
}

bool captions_fit(const QWidget* window, const QFont& font)
{
    const QFontMetrics metrics(font);
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        // Controls with a font of their own (the syllable) keep it.
        if (control->testAttribute(Qt::WA_SetFont))
            continue;
        const QString text = drawn_text(control);
        if (text.isEmpty())
            continue;
        const int margin = qobject_cast<const QPushButton*>(control) ? 6 : 0;
        const QSize needed = metrics.size(0, text);
        if (needed.width() + margin > control->width() || needed.height() > control->height())
            return false;
    }
    return true;
}

} // namespace

void fit_font_to_captions(QWidget* window)
{
    QFont font = window->font();
    if (font.pointSizeF() <= 0)
        return;
    while (!captions_fit(window, font) && font.pointSizeF() - 0.5 >= smallest_point_size)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (font != window->font())
        window->setFont(font);
}

} // namespace klankflits
