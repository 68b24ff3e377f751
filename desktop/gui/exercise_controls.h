#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace klankflits
{

class PausePicture;

// frm_werk's controls by the names the program knows them by, created in
// `window` from its description.
struct ExerciseControls {
    QPushButton* cmd_exit = nullptr;
    QLabel* txt_string = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label3 = nullptr;
    PausePicture* picture1 = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    // Not one of the window's own: the word shown in the middle while the
    // teacher has paused the exercise.
    QLabel* pause_sign = nullptr;
};

ExerciseControls create_exercise_controls(QWidget* window);

} // namespace klankflits
