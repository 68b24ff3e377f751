#include "gui/two_line_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace klankflits
{

TwoLineButton::TwoLineButton(const QString& caption, const QString& first_line,
                             const QString& second_line, QWidget* parent)
    : QPushButton(caption, parent),
      lines_(second_line.isEmpty() ? first_line : first_line + u'\n' + second_line)
{
}

void TwoLineButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked())
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.drawItemText(area, Qt::AlignCenter, palette(), isEnabled(), displayed_lines(),
                         QPalette::ButtonText);
}

} // namespace klankflits
