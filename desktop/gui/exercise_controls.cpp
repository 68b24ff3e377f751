#include "gui/exercise_controls.h"

#include "gui/controls.h"
#include "gui/pause_picture.h"
#include "program/windows.h"

#include <QLabel>
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
    return found;
}

} // namespace klankflits
