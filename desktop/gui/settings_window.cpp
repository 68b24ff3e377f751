#include "gui/settings_window.h"

#include "events/fault_report.h"
#include "gui/application.h"
#include "gui/caption_fit.h"
#include "gui/controls.h"
#include "gui/exercise_window.h"
#include "gui/locale_symbols.h"
#include "gui/twips.h"
#include "program/session.h"
#include "program/windows.h"

#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace klankflits
{

SettingsWindow::SettingsWindow(Session& session, EndProgram end_program, QWidget* parent,
                               const ExerciseOpening& opening)
    : ProgramWindow(std::move(end_program), parent), session_(session), opening_(opening)
{
    const QHash<QString, QWidget*> controls = create_controls(this, settings_window());
    setFixedSize(pixel_size(settings_window().client));
    txt_start_ = static_cast<QLineEdit*>(controls.value(QStringLiteral("txt_start")));
    txt_speed_ = static_cast<QLineEdit*>(controls.value(QStringLiteral("txt_speed")));
    fit_font_to_captions(this);

    // Start loads the exercise window: a fault of the engine is reported from here.
    connect(static_cast<QPushButton*>(controls.value(QStringLiteral("cmd_start"))),
            &QPushButton::clicked, this, [this] { run_guarded([this] { start_clicked(); }); });
    connect(static_cast<QPushButton*>(controls.value(QStringLiteral("cmd_exit"))),
            &QPushButton::clicked, this, [this] { this->end_program(); });

    // The load: the two numbers as they stand.
    txt_speed_->setText(QString::fromStdString(session_.txt_speed_text()));
    txt_start_->setText(QString::fromStdString(session_.txt_start_text()));
    txt_start_->setFocus();
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::tell(QLineEdit* box, const std::string& message)
{
    // Plain text: what was typed is shown as typed, never as markup.
    QMessageBox box_message(QMessageBox::Warning, Application::program_name(),
                            QString::fromStdString(message), QMessageBox::Ok, this);
    box_message.setTextFormat(Qt::PlainText);
    box_message.exec();
    activateWindow();
    box->setFocus();
    box->selectAll();
}

void SettingsWindow::start_clicked()
{
    if (const auto problem =
            session_.start(txt_start_->text().toStdString(), txt_speed_->text().toStdString(),
                           number_symbols(QLocale()))) {
        tell(problem->box == "txt_start" ? txt_start_ : txt_speed_, problem->message);
        return;
    }
    hide();
    if (!exercise_window_) {
        exercise_window_ = std::make_unique<ExerciseWindow>(session_, end_program_callback());
        exercise_window_->set_letters(opening_.letters);
        exercise_window_->set_letter_size(opening_.letter_size);
    }
    exercise_window_->exec_on(screen(), opening_.opening);
}

void start_up(Module1& module, EndProgram end_program, const ExerciseOpening& opening)
{
    Session session(module);
    session.start_up();
    SettingsWindow settings(session, std::move(end_program), nullptr, opening);
    settings.exec();
}

} // namespace klankflits
