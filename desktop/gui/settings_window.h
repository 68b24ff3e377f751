#pragma once

#include "gui/opening.h"
#include "gui/program_end.h"
#include "gui/program_window.h"

#include <QString>

#include <cstdint>
#include <memory>

class QLineEdit;
class QPushButton;

namespace klankflits
{

class ExerciseWindow;
struct Module1;

// frm_hoofd: asks for the start interval and the speed step, in milliseconds.
// "Start" takes both into the shared state, hides this window for good and
// runs the exercise window modally; "Einde" ends the program.
class SettingsWindow : public ProgramWindow
{
    Q_OBJECT

public:
    // Constructing the window loads it: the boxes get the current values.
    // Start opens the exercise window as `opening` says.
    SettingsWindow(Module1& module, EndProgram end_program, QWidget* parent = nullptr,
                   Opening opening = Opening::at_its_size);
    ~SettingsWindow() override;

    // The exercise window, once Start has created it.
    ExerciseWindow* exercise_window() const { return exercise_window_.get(); }

private:
    void create_controls();
    void load();
    void start_clicked();
    // Reads one box; on bad input tells the user, selects the box and returns false.
    bool read_box(QLineEdit* box, const QString& prompt, std::int32_t& value);

    Module1& module_;
    Opening opening_;
    std::unique_ptr<ExerciseWindow> exercise_window_;

    QLineEdit* txt_start_ = nullptr;
    QLineEdit* txt_speed_ = nullptr;
    QPushButton* cmd_start_ = nullptr;
    QPushButton* cmd_exit_ = nullptr;
};

// The program's start: initialise the shared state, then show the settings
// window modally. Everything the exercise does happens inside that show.
void start_up(Module1& module, EndProgram end_program = end_program_at_once(),
              Opening opening = Opening::at_its_size);

} // namespace klankflits
