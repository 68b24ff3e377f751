#pragma once

#include "gui/material_preset.h"
#include "gui/opening.h"
#include "gui/program_end.h"
#include "gui/program_window.h"

#include <QHash>
#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace klankflits
{

class ExerciseWindow;
class MaterialPanel;
struct Module1;
class Session;

// frm_hoofd: asks for the start interval and the speed step, in milliseconds,
// and the lesson material with its order (MaterialPanel). "Start" takes the
// material into the session and both numbers into the shared state, hides this window for good and
// runs the exercise window modally; "Einde" ends the program.
class SettingsWindow : public ProgramWindow
{
    Q_OBJECT

public:
    // Constructing the window loads it: the boxes get the current values.
    // Start opens the exercise window as `opening` says; the material is
    // preset as `preset` says.
    SettingsWindow(Session& session, EndProgram end_program, QWidget* parent = nullptr,
                   const ExerciseOpening& opening = {}, const MaterialPreset& preset = {});
    ~SettingsWindow() override;

private:
    void start_clicked();
    // Tells the user why a box could not be read, then selects that box.
    void tell(std::string_view box, const std::string& message);

    Session& session_;
    ExerciseOpening opening_;
    std::unique_ptr<ExerciseWindow> exercise_window_;

    QLineEdit* txt_start_ = nullptr;
    QLineEdit* txt_speed_ = nullptr;
    QHash<QString, QWidget*> controls_;
    MaterialPanel* material_ = nullptr;
};

// The program's start: initialise the shared state, then show the settings
// window modally. Everything the exercise does happens inside that show.
void start_up(Module1& module, EndProgram end_program = end_program_at_once(),
              const ExerciseOpening& opening = {}, const MaterialPreset& preset = {});

} // namespace klankflits
