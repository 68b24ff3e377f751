#include "gui/exercise_window.h"

#include "engine/exercise_state.h"
#include "gui/caption_fit.h"
#include "gui/controls.h"
#include "gui/twips.h"
#include "gui/two_line_button.h"
#include "events/fault_report.h"
#include "events/paced_timers.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace klankflits
{

namespace
{

QFont syllable_font()
{
    // The classic face where it can be drawn large and bold, else a scalable
    // sans-serif of the same size. Windows still has "MS Sans Serif", but as a
    // bitmap face in a few small sizes without bold, so there it is passed
    // over for its scalable successor, "Microsoft Sans Serif".
    QStringList families;
    for (const QString& family :
         {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
          QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}) {
        if (QFontDatabase::isSmoothlyScalable(family))
            families.append(family);
    }
    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Bold);
    font.setPointSize(24);
    return font;
}

// The read-outs' places; a long figure may grow its read-out to the left, up
// to just right of the words "reeks" and "tijd".
constexpr QRect label1_place = twips_rect(14280, 9840, 735, 255);
constexpr QRect label3_place = twips_rect(14280, 9240, 735, 255);
constexpr int read_outs_leftmost = twips_to_pixels(13935 + 45);

// Smaller than this the layout is no use to anybody.
constexpr double smallest_factor = 0.3;

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

ExerciseWindow::ExerciseWindow(Module1& module, EndProgram end_program, QWidget* parent,
                               TickSource* tick_source)
    : ProgramWindow(std::move(end_program), parent), module_(module),
      tick_source_(adopt(tick_source, this)), sequencer_(module, *this, tick_source_->timers())
{
    create_controls();
    load();
}

ExerciseWindow::~ExerciseWindow() = default;

void ExerciseWindow::create_controls()
{
    setObjectName(QStringLiteral("frm_werk"));
    setWindowTitle(QStringLiteral("ZVK van CCV-structuren"));
    resize(twips_size(15240, 11010));
    setMinimumSize(size() * smallest_factor);
    // The layout grows with the window.
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    cmd_exit_ = make_button<QPushButton>(this, "cmd_exit", QStringLiteral("&Einde"),
                                         twips_rect(11400, 9120, 1695, 495));

    txt_string_ = make_label(this, "txt_string", QString(), twips_rect(5280, 4320, 3375, 1455));
    txt_string_->setFont(syllable_font());
    txt_string_->setAlignment(Qt::AlignCenter);
    txt_string_->setTextFormat(Qt::PlainText);
    txt_string_->hide();

    label1_ = make_label(this, "Label1", QString(), label1_place);
    label3_ = make_label(this, "Label3", QString(), label3_place);

    picture1_ = make_label(this, "Picture1", QString(), twips_rect(5760, 4200, 2295, 1695));
    picture1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture1_->setPixmap(QPixmap(QStringLiteral(":/pause.jpg")));
    picture1_->hide();

    make_label(this, "Label4", QStringLiteral("reeks"), twips_rect(13440, 9240, 495, 255));
    make_label(this, "Label5", QStringLiteral("tijd"), twips_rect(13560, 9840, 375, 255));

    command1_ =
        make_button<TwoLineButton>(this, "Command1", QStringLiteral("versnel        100 msec"),
                                   twips_rect(13560, 8280, 1215, 495));
    command2_ =
        make_button<TwoLineButton>(this, "Command2", QStringLiteral("vertraag      100 msec"),
                                   twips_rect(13560, 7560, 1215, 495));
    setTabOrder(cmd_exit_, command1_);
    setTabOrder(command1_, command2_);

    fit_font_to_captions(this);
    layout_.emplace(this);
    // F11 everywhere, and the platform's own key for it where it has one.
    auto* full_screen = new QShortcut(this);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::FullScreen);
    keys.removeAll(QKeySequence(Qt::Key_F11));
    keys.prepend(QKeySequence(Qt::Key_F11));
    full_screen->setKeys(keys);
    connect(full_screen, &QShortcut::activated, this, &ExerciseWindow::toggle_full_screen);

    // A click changes when the next step is due, so it takes its place among
    // the ticks; a fault of the engine is reported from here.
    const auto speed_click = [this](void (FlashSequencer::*click)()) {
        return [this, click] {
            run_guarded([this, click] {
                tick_source_->between_ticks([this, click] { (sequencer_.*click)(); });
            });
        };
    };
    connect(command1_, &QPushButton::clicked, this, speed_click(&FlashSequencer::command1_click));
    connect(command2_, &QPushButton::clicked, this, speed_click(&FlashSequencer::command2_click));
    connect(cmd_exit_, &QPushButton::clicked, this, [this] { end_program(); });
}

void ExerciseWindow::load()
{
    pick_syllable(module_, *this);
    tick_source_->start(sequencer_);
    cmd_exit_->setFocus();
}

void ExerciseWindow::set_txt_string_caption(const std::string& syllable)
{
    txt_string_->setText(QString::fromStdString(syllable));
}

bool ExerciseWindow::txt_string_visible() const
{
    return !txt_string_->isHidden();
}
void ExerciseWindow::show_txt_string()
{
    txt_string_->show();
}
void ExerciseWindow::hide_txt_string()
{
    txt_string_->hide();
}
void ExerciseWindow::show_picture1()
{
    picture1_->show();
}
void ExerciseWindow::hide_picture1()
{
    picture1_->hide();
}

void ExerciseWindow::set_label1_caption(const std::string& text)
{
    label1_->setText(QString::fromStdString(text));
    fit_read_out(label1_, label1_place);
}

void ExerciseWindow::set_label3_caption(const std::string& text)
{
    label3_->setText(QString::fromStdString(text));
    fit_read_out(label3_, label3_place);
}

void ExerciseWindow::fit_read_out(QLabel* read_out, const QRect& laid_out)
{
    klankflits::fit_read_out(read_out, layout_->place(laid_out), layout_->x(read_outs_leftmost));
}

int ExerciseWindow::exec_on(QScreen* screen, Opening opening)
{
    const QRect available = screen->availableGeometry();
    const QSize room = available.size().shrunkBy(frame_allowance);
    const QSize laid_out = layout_->size();
    QSize client = laid_out;
    if (room.width() < laid_out.width() || room.height() < laid_out.height()) {
        const double factor = std::max(layout_->factor_for(room), smallest_factor);
        client = QSize(static_cast<int>(laid_out.width() * factor),
                       static_cast<int>(laid_out.height() * factor));
    }
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

void ExerciseWindow::keyPressEvent(QKeyEvent* event)
{
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
    if (!layout_)
        return; // still being built
    layout_->apply();
    fit_read_out(label1_, label1_place);
    fit_read_out(label3_, label3_place);
}

} // namespace klankflits
