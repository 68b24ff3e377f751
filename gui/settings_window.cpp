#include "gui/settings_window.h"

#include "engine/exercise_state.h"
#include "gui/application.h"
#include "gui/caption_fit.h"
#include "gui/controls.h"
#include "gui/exercise_window.h"
#include "gui/number_reading.h"
#include "gui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace klankflits
{

namespace
{

// What was typed, as typed; a long paste by its first few dozen characters.
QString quoted(const QString& typed)
{
    constexpr qsizetype longest = 40;
    if (typed.size() <= longest)
        return u'"' + typed + u'"';
    return u'"' + typed.left(longest) + QStringLiteral("\u2026\"");
}

QString problem_text(const NumberReading& reading, const QString& prompt, const QString& typed)
{
    using Problem = NumberReading::Problem;
    const QLocale locale;
    QString problem;
    switch (reading.problem) {
    case Problem::Empty:
        problem = QStringLiteral("Bij \"%1\" staat nog niets.").arg(prompt);
        break;
    case Problem::OutOfRange:
        problem = QStringLiteral("Bij \"%1\" staat %2. Dat getal is te %3: het kleinste getal is "
                                 "%4, het grootste %5.")
                      .arg(prompt, quoted(typed),
                           reading.negative ? QStringLiteral("klein") : QStringLiteral("groot"),
                           QString::number(std::numeric_limits<std::int32_t>::min()),
                           QString::number(std::numeric_limits<std::int32_t>::max()));
        break;
    case Problem::NotANumber:
    case Problem::None:
        problem =
            QStringLiteral("Bij \"%1\" staat %2. Dat is geen getal.").arg(prompt, quoted(typed));
        break;
    }
    return problem +
           QStringLiteral("\n\nVul een getal in, in milliseconden, bijvoorbeeld 2000. Een getal "
                          "als %1 wordt afgerond op een heel getal.")
               .arg(locale.toString(2.5));
}

} // namespace

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

    // Created in tab order; labels take no focus.
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

    connect(cmd_start_, &QPushButton::clicked, this, &SettingsWindow::start_clicked);
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
    const NumberReading reading = read_whole_number(box->text());
    if (reading.ok()) {
        value = reading.value;
        return true;
    }
    // Plain text: what was typed is shown as typed, never as markup.
    QMessageBox message(QMessageBox::Warning, Application::program_name(),
                        problem_text(reading, prompt, box->text()), QMessageBox::Ok, this);
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

void start_up(Module1& module, EndProgram end_program, SettingsWindow::Opening opening)
{
    init_state(module);
    SettingsWindow settings(module, std::move(end_program), nullptr, opening);
    settings.exec();
}

} // namespace klankflits
