#include "gui/two_line_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace klankflits
{

QString TwoLineButton::displayed_lines() const
{
    const QString caption = text().trimmed();
    const qsizetype blank = caption.indexOf(u' ');
    if (blank < 0)
        return caption;
    return caption.left(blank) + u'\n' + caption.mid(blank).trimmed();
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
