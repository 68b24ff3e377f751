#pragma once

#include "gui/program_end.h"

#include <QDialog>

namespace klankflits
{

// What the program's two windows share: no button is the cancel button, so
// Esc does nothing, and closing the window by its frame ends the program like
// its end button.
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

private:
    EndProgram end_program_;
};

} // namespace klankflits
