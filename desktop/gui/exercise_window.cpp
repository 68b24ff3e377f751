#include "gui/exercise_window.h"

#include "events/fault_report.h"
#include "events/paced_timers.h"
#include "gui/caption_fit.h"
#include "gui/exercise_layout.h"
#include "gui/key_presses.h"
#include "gui/pause_picture.h"
#include "program/letter_size.h"
#include "program/session.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

namespace klankflits
{

namespace
{

// Room for a window frame that the desktop has not yet put around the window.
constexpr QMargins frame_allowance(8, 40, 8, 8);

TickSource* adopt(TickSource* tick_source, QObject* window)
{
    if (!tick_source)
        return new PacedTimers(window);
    tick_source->setParent(window);
    return tick_source;
}

} // namespace

ExerciseWindow::ExerciseWindow(Session& session, EndProgram end_program, QWidget* parent,
                               TickSource* tick_source)
    : ProgramWindow(std::move(end_program), parent), session_(session),
      tick_source_(adopt(tick_source, this)), controls_(create_exercise_controls(this))
{
    setWindowTitle(QString::fromStdString(session_.exercise_title()));
    fit_font_to_captions(this);
    layout_ = std::make_unique<ExerciseLayout>(this, controls_, session_.material().items);
    resize(layout_->size());
    setMinimumSize(layout_->size() * ExerciseLayout::smallest_factor);
    // The layout grows with the window.
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    add_full_screen_keys(this, [this] { toggle_full_screen(); });
    connect_buttons();

    tick_source_->start(session_.load_exercise(*this, tick_source_->timers()));
    controls_.cmd_exit->setFocus();
}

ExerciseWindow::~ExerciseWindow() = default;

// A click changes when the next step is due, so it takes its place among the
// ticks; a fault of the engine is reported from here.
void ExerciseWindow::connect_buttons()
{
    const auto speed_click = [this](SpeedButton button) {
        return [this, button] {
            run_guarded(
                [this, button] { tick_source_->between_ticks([&] { session_.click(button); }); });
        };
    };
    connect(controls_.command1, &QPushButton::clicked, this, speed_click(SpeedButton::command1));
    connect(controls_.command2, &QPushButton::clicked, this, speed_click(SpeedButton::command2));
    connect(controls_.cmd_exit, &QPushButton::clicked, this, [this] { end_program(); });
}

void ExerciseWindow::set_txt_string_caption(const std::string& syllable)
{
    controls_.txt_string->setText(QString::fromStdString(syllable));
}

bool ExerciseWindow::txt_string_visible() const
{
    return txt_string_shown_;
}
void ExerciseWindow::show_txt_string()
{
    txt_string_shown_ = true;
    show_middle();
}
void ExerciseWindow::hide_txt_string()
{
    txt_string_shown_ = false;
    show_middle();
}
void ExerciseWindow::show_picture1()
{
    picture1_shown_ = true;
    show_middle();
}
void ExerciseWindow::hide_picture1()
{
    picture1_shown_ = false;
    show_middle();
}

void ExerciseWindow::show_middle()
{
    controls_.txt_string->setVisible(txt_string_shown_ && !paused_);
    controls_.picture1->setVisible(picture1_shown_ && !paused_);
    controls_.pause_sign->setVisible(paused_);
}

void ExerciseWindow::toggle_pause()
{
    paused_ = !paused_;
    // Shown first, so that the sign is up before anything of the exercise
    // stops or goes on.
    show_middle();
    run_guarded([this] { tick_source_->set_paused(paused_); });
    if (paused_)
        screen_on_.release();
    else
        screen_on_.hold();
}

void ExerciseWindow::set_label1_caption(const std::string& text)
{
    controls_.label1->setText(QString::fromStdString(text));
    layout_->fit_read_out("Label1");
}

void ExerciseWindow::set_label3_caption(const std::string& text)
{
    controls_.label3->setText(QString::fromStdString(text));
    layout_->fit_read_out("Label3");
}

int ExerciseWindow::exec_on(QScreen* screen, Opening opening)
{
    const QRect available = screen->availableGeometry();
    const QSize client = layout_->client_for(available.size().shrunkBy(frame_allowance));
    resize(client);
    const QSize framed = client.grownBy(frame_allowance);
    move(available.topLeft() + QPoint((available.width() - framed.width()) / 2,
                                      (available.height() - framed.height()) / 2));
    if (opening == Opening::full_screen)
        setWindowState(windowState() | Qt::WindowFullScreen);
    return exec();
}

void ExerciseWindow::toggle_full_screen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void ExerciseWindow::set_letter_size(int step)
{
    layout_->set_letter_size(step);
}

void ExerciseWindow::set_letters(Letters letters)
{
    layout_->set_letters(letters);
}

void ExerciseWindow::keyPressEvent(QKeyEvent* event)
{
    switch (exercise_key_of(*event)) {
    case ExerciseKey::letters:
        set_letters(other_letters(layout_->letters()));
        event->accept();
        return;
    case ExerciseKey::pause:
        toggle_pause();
        event->accept();
        return;
    case ExerciseKey::letter_size_larger:
        set_letter_size(letter_size_stepped(layout_->letter_size(), 1));
        event->accept();
        return;
    case ExerciseKey::letter_size_smaller:
        set_letter_size(letter_size_stepped(layout_->letter_size(), -1));
        event->accept();
        return;
    case ExerciseKey::none:
        break;
    }
    // Esc leaves full screen and does nothing else.
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        toggle_full_screen();
        event->accept();
        return;
    }
    ProgramWindow::keyPressEvent(event);
}

void ExerciseWindow::showEvent(QShowEvent* event)
{
    ProgramWindow::showEvent(event);
    screen_on_.hold();
}

void ExerciseWindow::resizeEvent(QResizeEvent* event)
{
    ProgramWindow::resizeEvent(event);
    if (layout_) // not while it is still being built
        layout_->apply();
}

} // namespace klankflits
