#include "gui/program_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

namespace klankflits
{

ProgramWindow::ProgramWindow(EndProgram end_program, QWidget* parent)
    : QDialog(parent), end_program_(std::move(end_program))
{
    // A window, not a dialog: a desktop may leave dialogs out of its taskbar
    // and its window switcher. A fixed layout offers no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void ProgramWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProgramWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Showing a window forgets how its focus came; the styles draw a focus
    // frame only after a focus change by keyboard.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void ProgramWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    end_program_();
}

} // namespace klankflits
