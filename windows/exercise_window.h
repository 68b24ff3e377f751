#pragma once

#include "exercise_view.h"
#include "flash_sequencer.h"
#include "program_window.h"

#include <memory>

class QLabel;
class QPushButton;

namespace klankflits
{

struct Module1;
class ExerciseTimers;
class PacedTimers;

// What delivers the ticks of Timer1 and Timer2: the paced scheduler, which
// keeps the pace exact and wakes only for a step or a pause end, or two plain
// QTimers, kept so the two can be compared side by side.
enum class TickSource { paced, plain_qtimer };

// frm_werk: the window in which the exercise runs. It shows one syllable at a
// time in its middle, the pause picture between series, the series and
// interval read-outs at the lower right, two speed buttons and an end button.
// It carries out the engine's operations on its own controls; the flash
// sequencer decides what happens when.
class ExerciseWindow : public ProgramWindow, public ExerciseView
{
    Q_OBJECT

public:
    // Constructing the window loads it: the first syllable is drawn into the
    // still hidden syllable label and the tick timer starts.
    ExerciseWindow(Module1& module, EndProgram end_program, QWidget* parent = nullptr,
                   TickSource source = TickSource::paced);
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
    std::int32_t timer1_interval() const override;
    void enable_timer1() override;
    void disable_timer1() override;
    void set_timer2_interval(std::int32_t ms) override;
    void enable_timer2() override;
    void disable_timer2() override;

    // The state of the two timers, for tests and diagnostics.
    bool timer1_enabled() const;
    bool timer2_enabled() const;
    int timer2_interval() const;
    // The paced tick source, or nullptr with plain QTimers.
    const PacedTimers* paced_timers() const;

private:
    void create_controls();
    void load();

    Module1& module_;
    FlashSequencer sequencer_;

    QPushButton* cmd_exit_ = nullptr;
    QLabel* txt_string_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* picture1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    std::unique_ptr<ExerciseTimers> timers_; // Timer1 and Timer2
};

} // namespace klankflits
