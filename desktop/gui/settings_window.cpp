#include "gui/settings_window.h"

#include "events/fault_report.h"
#include "gui/application.h"
#include "gui/caption_fit.h"
#include "gui/controls.h"
#include "gui/exercise_window.h"
#include "gui/locale_symbols.h"
#include "gui/material_panel.h"
#include "gui/twips.h"
#include "material/own_list.h"
#include "program/session.h"
#include "program/windows.h"

#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace klankflits
{

SettingsWindow::SettingsWindow(Session& session, EndProgram end_program, QWidget* parent,
                               const ExerciseOpening& opening, const MaterialPreset& preset)
    : ProgramWindow(std::move(end_program), parent), session_(session), opening_(opening)
{
    controls_ = create_controls(this, settings_window());
    const auto& controls = controls_;
    setFixedSize(pixel_size(settings_window().client));
    txt_start_ = static_cast<QLineEdit*>(controls.value(QStringLiteral("txt_start")));
    txt_speed_ = static_cast<QLineEdit*>(controls.value(QStringLiteral("txt_speed")));
    fit_font_to_captions(this);
    material_ = new MaterialPanel(this, controls, preset);

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

void SettingsWindow::tell(std::string_view box, const std::string& message)
{
    // Plain text: what was typed is shown as typed, never as markup.
    QMessageBox box_message(QMessageBox::Warning, Application::program_name(),
                            QString::fromStdString(message), QMessageBox::Ok, this);
    box_message.setTextFormat(Qt::PlainText);
    box_message.exec();
    activateWindow();
    QWidget* control = controls_.value(QString::fromUtf8(box.data(), qsizetype(box.size())));
    if (!control)
        return;
    control->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->selectAll();
    } else if (auto* list = qobject_cast<QPlainTextEdit*>(control)) {
        // The cursor at the start of the line the message names; the text as typed.
        const OwnList read = read_own_list(list->toPlainText().toStdString());
        const QTextBlock block =
            list->document()->findBlockByNumber(read.line > 0 ? int(read.line) - 1 : 0);
        QTextCursor cursor(block.isValid() ? block : list->document()->firstBlock());
        list->setTextCursor(cursor);
        list->ensureCursorVisible();
    }
}

void SettingsWindow::start_clicked()
{
    if (const auto problem = session_.choose(material_->material_key(), material_->order_key(),
                                             material_->list_text())) {
        tell(problem->box, problem->message);
        return;
    }
    if (const auto problem =
            session_.start(txt_start_->text().toStdString(), txt_speed_->text().toStdString(),
                           number_symbols(QLocale()))) {
        tell(problem->box, problem->message);
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

void start_up(Module1& module, EndProgram end_program, const ExerciseOpening& opening,
              const MaterialPreset& preset)
{
    Session session(module);
    session.start_up();
    SettingsWindow settings(session, std::move(end_program), nullptr, opening, preset);
    settings.exec();
}

} // namespace klankflits
