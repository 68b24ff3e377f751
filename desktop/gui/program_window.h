#pragma once

#include "gui/program_end.h"

#include <QDialog>

namespace klankflits
{

// What the program's two windows share. Each is an ordinary top-level window
// of the program (in the taskbar and Alt+Tab, with a minimise box), shown
// modally. No button is the cancel button, so Esc does nothing, and closing
// the window by its frame ends the program like its end button. The control
// that has the focus shows it from the start, as after a Tab.
class ProgramWindow : public QDialog
{
    Q_OBJECT

public:
    ProgramWindow(EndProgram end_program, QWidget* parent);

protected:
    void end_program() { end_program_(); }
    const EndProgram& end_program_callback() const { return end_program_; }

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    EndProgram end_program_;
};

} // namespace klankflits
