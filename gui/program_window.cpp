#include "gui/program_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace klankflits
{

ProgramWindow::ProgramWindow(EndProgram end_program, QWidget* parent)
    : QDialog(parent), end_program_(std::move(end_program))
{
}

void ProgramWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProgramWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    end_program_();
}

} // namespace klankflits
