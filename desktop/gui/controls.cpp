#include "gui/controls.h"

#include "gui/pause_picture.h"
#include "gui/twips.h"
#include "gui/two_line_button.h"

#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace klankflits
{

namespace
{

QString text_of(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* make_control(QWidget* window, const ControlDescription& control)
{
    const QString caption = text_of(control.caption);
    switch (control.kind) {
    case ControlKind::label:
        return new QLabel(caption, window);
    // The windows' one picture box shows the pause picture.
    case ControlKind::picture_box:
        return new PausePicture(window);
    case ControlKind::text_box:
        return new QLineEdit(caption, window);
    case ControlKind::combo_box:
        return new QComboBox(window);
    case ControlKind::text_area: {
        auto* area = new QPlainTextEdit(caption, window);
        area->setTabChangesFocus(true);
        return area;
    }
    case ControlKind::push_button: {
        QPushButton* button = nullptr;
        if (control.two_lines) {
            const CaptionLines lines = caption_lines(control.caption);
            button =
                new TwoLineButton(caption, text_of(lines.first), text_of(lines.second), window);
        } else {
            button = new QPushButton(caption, window);
        }
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    }
    return nullptr;
}

} // namespace

QFont syllable_qfont(Letters letters)
{
    // Windows still has "MS Sans Serif", but as a bitmap face in a few small
    // sizes without bold, so there it is passed over for its successor.
    const FontDescription& described = syllable_font(letters);
    QStringList families;
    for (std::string_view family : described.families) {
        if (QFontDatabase::isSmoothlyScalable(text_of(family)))
            families.append(text_of(family));
    }
    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(described.bold ? QFont::Bold : QFont::Normal);
    font.setPointSize(described.points);
    return font;
}

QHash<QString, QWidget*> create_controls(QWidget* window, const WindowDescription& description)
{
    window->setObjectName(text_of(description.name));
    window->setWindowTitle(text_of(description.caption));
    QHash<QString, QWidget*> controls;
    QWidget* previous_in_tab_order = nullptr;
    for (const ControlDescription& control : description.controls) {
        if (!on_shell(control, Shells::desktop))
            continue;
        QWidget* widget = make_control(window, control);
        widget->setObjectName(text_of(control.name));
        widget->setGeometry(pixel_rect(control.place));
        if (control.font == FontRole::syllable)
            widget->setFont(syllable_qfont());
        if (!control.shown_at_load)
            widget->hide();
        if (takes_focus(control.kind)) {
            if (previous_in_tab_order)
                QWidget::setTabOrder(previous_in_tab_order, widget);
            previous_in_tab_order = widget;
        }
        controls.insert(widget->objectName(), widget);
    }
    // A label's access key takes the focus to the control after it.
    for (const ControlDescription& control : description.controls) {
        const char key = access_key(control.caption);
        if (control.kind != ControlKind::label || key == 0)
            continue;
        const std::string_view target = access_key_target(description, key, Shells::desktop);
        if (auto* label = qobject_cast<QLabel*>(controls.value(text_of(control.name))))
            label->setBuddy(controls.value(text_of(target)));
    }
    return controls;
}

} // namespace klankflits
