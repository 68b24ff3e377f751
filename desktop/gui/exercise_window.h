#pragma once

// frm_werk, the window in which the exercise runs. Its controls keep the names
// the rest of the program knows them by:
//
//   txt_string  the syllable label, in the middle
//   Picture1    the pause picture, in the same place, between series
//   Label1      interval read-out ("tijd"), lower right
//   Label3      series read-out ("reeks"), above it
//   Command1    "versnel": 100 ms faster
//   Command2    "vertraag": 100 ms slower
//   cmd_exit    "Einde": ends the program
//   Timer1      the 10 ms tick timer   } delivered by the window's tick
//   Timer2      the pause timer        } source, not widgets

#include "engine/exercise_view.h"
#include "gui/exercise_controls.h"
#include "gui/opening.h"
#include "gui/program_end.h"
#include "gui/program_window.h"
#include "gui/screen_on_request.h"
#include "program/letters.h"

#include <memory>
#include <string>

class QScreen;

namespace klankflits
{

class ExerciseLayout;
class Session;
class TickSource;

// Shows one syllable at a time in its middle, the pause picture between
// series, the series and interval read-outs at the lower right, two speed
// buttons and an end button. It carries out the engine's operations on its own
// controls; the flash sequencer decides what happens when, and the tick source
// delivers the ticks of Timer1 and Timer2. Its layout at any size and letter
// size is ExerciseLayout's.
//
// At any size other than its own 1016 x 734 the layout is drawn as one picture,
// scaled and centred: maximised, full screen (F11, and Esc back), or scaled
// down where the screen is too small for it.
//
// From the moment it opens until it goes (when the program ends) it keeps the
// screen on: the learner only watches it.
class ExerciseWindow : public ProgramWindow, public ExerciseView
{
    Q_OBJECT

public:
    // Constructing the window loads it: the first syllable is drawn into the
    // still hidden syllable label and the tick timer starts. The window owns
    // its tick source; without one it makes the program's own (PacedTimers).
    ExerciseWindow(Session& session, EndProgram end_program, QWidget* parent = nullptr,
                   TickSource* tick_source = nullptr);
    ~ExerciseWindow() override;

    // ExerciseView
    void set_txt_string_caption(const std::string& syllable) override;
    bool txt_string_visible() const override;
    void show_txt_string() override;
    void hide_txt_string() override;
    void show_picture1() override;
    void hide_picture1() override;
    void set_label1_caption(const std::string& text) override;
    void set_label3_caption(const std::string& text) override;

    // Shows the window modally on `screen`: at its own size where that fits,
    // else scaled down to fit, or full screen.
    int exec_on(QScreen* screen, Opening opening);

    void toggle_full_screen();

    // The letter size of the syllable and the pause picture, 1 to 4 (a step
    // outside is taken as the nearest); + and - step it while the exercise
    // runs.
    void set_letter_size(int step);

    // The syllable's letters: the window's own or the school letters (L
    // switches them while the exercise runs).
    void set_letters(Letters letters);

    // The teacher's pause (P, or the media Play/Pause key): the middle shows
    // that it is paused, the read-outs stay, nothing of the exercise runs and
    // the screen may go off; the speed buttons and Einde still work. Resumed,
    // the step under way starts again at its beginning.
    void toggle_pause();
    bool paused() const { return paused_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void connect_buttons();
    // The syllable and the picture as the engine last set them, unless paused.
    void show_middle();

    Session& session_;
    TickSource* tick_source_; // Timer1 and Timer2; a child of the window
    ExerciseControls controls_;
    std::unique_ptr<ExerciseLayout> layout_;
    ScreenOnRequest screen_on_;
    // The engine's own visible flags, which a pause does not touch.
    bool txt_string_shown_ = false;
    bool picture1_shown_ = false;
    bool paused_ = false;
};

} // namespace klankflits
