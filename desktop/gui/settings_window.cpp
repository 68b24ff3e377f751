#include "gui/settings_window.h"

#include "engine/exercise_state.h"
#include "engine/input_message.h"
#include "engine/number_reading.h"
#include "gui/application.h"
#include "gui/caption_fit.h"
#include "gui/controls.h"
#include "gui/exercise_window.h"
#include "gui/locale_symbols.h"
#include "gui/twips.h"
#include "events/fault_report.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace klankflits
{

SettingsWindow::SettingsWindow(Module1& module, EndProgram end_program, QWidget* parent,
                               Opening opening)
    : ProgramWindow(std::move(end_program), parent), module_(module), opening_(opening)
{
    create_controls();
    load();
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::create_controls()
{
    setObjectName(QStringLiteral("frm_hoofd"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twips_size(5535, 2880));

    make_label(this, "Label1", QStringLiteral("Geef start interval"),
               twips_rect(240, 360, 1600, 255));
    txt_start_ = place(new QLineEdit(this), "txt_start", twips_rect(2040, 360, 1575, 285));
    make_label(this, "Label2", QStringLiteral("Geef versnelling"), twips_rect(240, 960, 1600, 255));
    txt_speed_ = place(new QLineEdit(this), "txt_speed", twips_rect(2040, 960, 1575, 285));
    make_label(this, "Label3", QStringLiteral("Mili seconden"), twips_rect(3840, 360, 1215, 255));
    make_label(this, "Label4", QStringLiteral("Mili seconden"), twips_rect(3840, 960, 1215, 255));
    cmd_start_ =
        make_button(this, "cmd_start", QStringLiteral("&Start"), twips_rect(240, 2160, 1695, 495));
    cmd_exit_ =
        make_button(this, "cmd_exit", QStringLiteral("&Einde"), twips_rect(3600, 2160, 1695, 495));
    setTabOrder(txt_start_, txt_speed_);
    setTabOrder(txt_speed_, cmd_start_);
    setTabOrder(cmd_start_, cmd_exit_);

    fit_font_to_captions(this);

    // Start loads the exercise window: a fault of the engine is reported from here.
    connect(cmd_start_, &QPushButton::clicked, this,
            [this] { run_guarded([this] { start_clicked(); }); });
    connect(cmd_exit_, &QPushButton::clicked, this, [this] { end_program(); });
}

void SettingsWindow::load()
{
    txt_speed_->setText(QString::number(module_.state.speed_step_ms));
    txt_start_->setText(QString::number(module_.state.interval_ms));
    txt_start_->setFocus();
}

bool SettingsWindow::read_box(QLineEdit* box, const QString& prompt, std::int32_t& value)
{
    const NumberSymbols symbols = number_symbols(QLocale());
    const std::string typed = box->text().toStdString();
    const NumberReading reading = read_whole_number(typed, symbols);
    if (reading.ok()) {
        value = reading.value;
        return true;
    }
    // Plain text: what was typed is shown as typed, never as markup.
    const std::string text = reading_problem_message(reading, prompt.toStdString(), typed, symbols);
    QMessageBox message(QMessageBox::Warning, Application::program_name(),
                        QString::fromStdString(text), QMessageBox::Ok, this);
    message.setTextFormat(Qt::PlainText);
    message.exec();
    activateWindow();
    box->setFocus();
    box->selectAll();
    return false;
}

void SettingsWindow::start_clicked()
{
    std::int32_t interval_ms = 0;
    std::int32_t speed_step_ms = 0;
    if (!read_box(txt_start_, QStringLiteral("Geef start interval"), interval_ms) ||
        !read_box(txt_speed_, QStringLiteral("Geef versnelling"), speed_step_ms))
        return;
    module_.state.interval_ms = interval_ms;
    module_.state.speed_step_ms = speed_step_ms;

    hide();
    if (!exercise_window_)
        exercise_window_ = std::make_unique<ExerciseWindow>(module_, end_program_callback());
    exercise_window_->exec_on(screen(), opening_);
}

void start_up(Module1& module, EndProgram end_program, Opening opening)
{
    init_state(module);
    SettingsWindow settings(module, std::move(end_program), nullptr, opening);
    settings.exec();
}

} // namespace klankflits
