#include "gui/exercise_controls.h"

#include "gui/controls.h"
#include "gui/pause_picture.h"
#include "program/texts.h"
#include "program/windows.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace klankflits
{

ExerciseControls create_exercise_controls(QWidget* window)
{
    const QHash<QString, QWidget*> controls = create_controls(window, exercise_window());
    const auto find = [&controls]<typename Widget>(const char* name, Widget*& into) {
        into = static_cast<Widget*>(controls.value(QString::fromLatin1(name)));
    };
    ExerciseControls found;
    find("cmd_exit", found.cmd_exit);
    find("txt_string", found.txt_string);
    find("Label1", found.label1);
    find("Label3", found.label3);
    find("Picture1", found.picture1);
    find("Command1", found.command1);
    find("Command2", found.command2);

    found.txt_string->setAlignment(Qt::AlignCenter);
    found.txt_string->setTextFormat(Qt::PlainText);

    // Calm: grey, in the syllable's place and letter, hidden until paused.
    found.pause_sign = new QLabel(window);
    found.pause_sign->setObjectName(QStringLiteral("pause_sign"));
    found.pause_sign->setGeometry(found.txt_string->geometry());
    found.pause_sign->setFont(found.txt_string->font());
    found.pause_sign->setAlignment(Qt::AlignCenter);
    found.pause_sign->setText(
        QString::fromUtf8(paused_sign.data(), static_cast<qsizetype>(paused_sign.size())));
    QPalette grey = found.pause_sign->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    found.pause_sign->setPalette(grey);
    found.pause_sign->hide();
    return found;
}

} // namespace klankflits
