#include "gui/exercise_window.h"

#include "engine/syllables.h"
#include "events/fault_report.h"
#include "events/paced_timers.h"
#include "gui/caption_fit.h"
#include "gui/controls.h"
#include "gui/twips.h"
#include "program/exercise_keys.h"
#include "program/letter_size.h"
#include "program/read_outs.h"
#include "program/session.h"
#include "program/windows.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace klankflits
{

namespace
{

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

QRectF pixel_box(const TwipsRect& box)
{
    return {pixels(box.left), pixels(box.top), pixels(box.width), pixels(box.height)};
}

TwipsSize widest_syllable_in(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return widest_syllable(
        [&metrics](std::string_view syllable) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(syllable.data(), static_cast<qsizetype>(syllable.size())));
        },
        metrics.height());
}

} // namespace

ExerciseWindow::ExerciseWindow(Session& session, EndProgram end_program, QWidget* parent,
                               TickSource* tick_source)
    : ProgramWindow(std::move(end_program), parent), session_(session),
      tick_source_(adopt(tick_source, this))
{
    create_controls();
    load();
}

ExerciseWindow::~ExerciseWindow() = default;

void ExerciseWindow::create_controls()
{
    const QHash<QString, QWidget*> controls = klankflits::create_controls(this, exercise_window());
    resize(pixel_size(exercise_window().client));
    setMinimumSize(size() * smallest_factor);
    // The layout grows with the window.
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    const auto find = [&controls](const char* name) {
        return controls.value(QString::fromLatin1(name));
    };
    cmd_exit_ = static_cast<QPushButton*>(find("cmd_exit"));
    txt_string_ = static_cast<QLabel*>(find("txt_string"));
    txt_string_->setAlignment(Qt::AlignCenter);
    txt_string_->setTextFormat(Qt::PlainText);
    label1_ = static_cast<QLabel*>(find("Label1"));
    label3_ = static_cast<QLabel*>(find("Label3"));
    picture1_ = static_cast<QLabel*>(find("Picture1"));
    picture1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture1_->setPixmap(QPixmap(QStringLiteral(":/pause.jpg")));
    command1_ = static_cast<QPushButton*>(find("Command1"));
    command2_ = static_cast<QPushButton*>(find("Command2"));

    fit_font_to_captions(this);
    widest_syllable_ = widest_syllable_in(txt_string_->font());
    layout_.emplace(this, exercise_window().client);
    // F11 everywhere, and the platform's own key for it where it has one.
    auto* full_screen = new QShortcut(this);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::FullScreen);
    keys.removeAll(QKeySequence(Qt::Key_F11));
    keys.prepend(QKeySequence(Qt::Key_F11));
    full_screen->setKeys(keys);
    connect(full_screen, &QShortcut::activated, this, &ExerciseWindow::toggle_full_screen);

    // A click changes when the next step is due, so it takes its place among
    // the ticks; a fault of the engine is reported from here.
    const auto speed_click = [this](SpeedButton button) {
        return [this, button] {
            run_guarded(
                [this, button] { tick_source_->between_ticks([&] { session_.click(button); }); });
        };
    };
    connect(command1_, &QPushButton::clicked, this, speed_click(SpeedButton::command1));
    connect(command2_, &QPushButton::clicked, this, speed_click(SpeedButton::command2));
    connect(cmd_exit_, &QPushButton::clicked, this, [this] { end_program(); });
}

void ExerciseWindow::load()
{
    tick_source_->start(session_.load_exercise(*this, tick_source_->timers()));
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
    fit_read_out(label1_, "Label1");
}

void ExerciseWindow::set_label3_caption(const std::string& text)
{
    label3_->setText(QString::fromStdString(text));
    fit_read_out(label3_, "Label3");
}

// The core's rule for a figure wider than its read-out, measured in the
// window's letter as it is drawn now (the layout's factor taken out again).
void ExerciseWindow::fit_read_out(QLabel* read_out, const char* name)
{
    const QString text = read_out->text();
    const QFont letter = font();
    const auto letter_at = [&letter](double scale) {
        QFont scaled = letter;
        if (scale != 1.0 && letter.pointSizeF() > 0)
            scaled.setPointSizeF(letter.pointSizeF() * scale);
        return scaled;
    };
    const double factor = layout_->factor();
    const ReadOutFit fit = klankflits::fit_read_out(name, [&](double scale) {
        return QFontMetricsF(letter_at(scale)).horizontalAdvance(text) / factor * twips_per_pixel;
    });
    read_out->setGeometry(layout_->place(pixel_box(fit.place)));
    // An empty font takes the window's again.
    read_out->setFont(fit.letter_scale == 1.0 ? QFont() : letter_at(fit.letter_scale));
}

void ExerciseWindow::fit_read_outs()
{
    fit_read_out(label1_, "Label1");
    fit_read_out(label3_, "Label3");
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

void ExerciseWindow::set_letter_size(int step)
{
    letter_size_ = letter_size_stepped(step, 0);
    grow_to_letter_size();
}

void ExerciseWindow::set_letters(Letters letters)
{
    if (letters == letters_)
        return;
    letters_ = letters;
    const QFont font = syllable_qfont(letters);
    txt_string_->setFont(font);
    widest_syllable_ = widest_syllable_in(font);
    layout_->set_font(txt_string_, font);
    grow_to_letter_size();
}

// The syllable and the picture each at the step, or the largest below it at
// which they stay inside the window and clear of the other controls.
void ExerciseWindow::grow_to_letter_size()
{
    const GrownControl syllable = grown_syllable(widest_syllable_, letter_size_);
    layout_->grow(txt_string_, pixel_box(syllable.box), syllable.factor);
    const GrownControl pause = grown_pause_picture(letter_size_);
    layout_->grow(picture1_, pixel_box(pause.box), pause.factor);
    layout_->apply();
    fit_read_outs();
}

void ExerciseWindow::keyPressEvent(QKeyEvent* event)
{
    const QString typed = QKeySequence(event->key()).toString(QKeySequence::PortableText);
    const bool alt_or_meta = event->modifiers() & (Qt::AltModifier | Qt::MetaModifier);
    switch (exercise_key(typed.toStdString(), alt_or_meta)) {
    case ExerciseKey::letter_size_larger:
        set_letter_size(letter_size_stepped(letter_size_, 1));
        event->accept();
        return;
    case ExerciseKey::letter_size_smaller:
        set_letter_size(letter_size_stepped(letter_size_, -1));
        event->accept();
        return;
    case ExerciseKey::letters:
        set_letters(other_letters(letters_));
        event->accept();
        return;
    case ExerciseKey::pause:
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
    if (!layout_)
        return; // still being built
    layout_->apply();
    fit_read_outs();
}

} // namespace klankflits
