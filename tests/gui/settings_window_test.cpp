#include "engine/exercise_state.h"
#include "gui/exercise_window.h"
#include "gui/settings_window.h"
#include "program/session.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace klankflits;
using klankflits::testing::EndRecorder;
using klankflits::testing::ModalWatcher;
using klankflits::testing::tab_chain;

class SettingsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window_caption_and_client_size();
    void start_up_initialises_the_state_and_shows_the_defaults();
    void controls_data();
    void controls();
    void tab_order_and_initial_focus();
    void load_copies_the_current_values();

    void start_applies_both_values_hides_and_runs_the_exercise();
    void start_rounds_halves_to_even_in_the_users_locale_data();
    void start_rounds_halves_to_even_in_the_users_locale();
    void access_keys_start_and_end();
    void bad_input_is_refused_with_a_message_data();
    void bad_input_is_refused_with_a_message();

    void enter_in_a_box_starts_nothing();
    void escape_does_nothing();
    void end_button_and_frame_close_end_the_program();

private:
    QLineEdit* box(const char* name) { return window->findChild<QLineEdit*>(name); }
    // Start made the exercise window: a top-level window of its own.
    static bool exercise_window_made()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](const QWidget* w) {
            return w->objectName() == QLatin1String("frm_werk");
        });
    }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }

    Module1 module{42};
    Session session{module};
    EndRecorder ends;
    std::unique_ptr<SettingsWindow> window;
};

void SettingsWindowTest::init()
{
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    init_state(module);
    ends = {};
    window = std::make_unique<SettingsWindow>(session, ends.callback());
}

void SettingsWindowTest::cleanup()
{
    window.reset();
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

void SettingsWindowTest::window_caption_and_client_size()
{
    QCOMPARE(window->objectName(), QStringLiteral("frm_hoofd"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window->size(), QSize(369, 192));
    // An ordinary top-level window with a minimise box; it cannot grow, so no
    // maximise box.
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
}

// As the program starts: the state is initialised before the window loads.
void SettingsWindowTest::start_up_initialises_the_state_and_shows_the_defaults()
{
    Module1 fresh(5);
    QString start;
    QString speed;
    const ModalWatcher modal_watcher([&](QWidget* modal) {
        start = modal->findChild<QLineEdit*>("txt_start")->text();
        speed = modal->findChild<QLineEdit*>("txt_speed")->text();
    });
    start_up(fresh, ends.callback());
    QCOMPARE(start, QStringLiteral("2000"));
    QCOMPARE(speed, QStringLiteral("100"));
}

void SettingsWindowTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    // Twips / 15, rounded.
    QTest::newRow("Label1") << "Label1"
                            << "Geef start interval" << QRect(16, 24, 107, 17);
    QTest::newRow("txt_start") << "txt_start"
                               << "2000" << QRect(136, 24, 105, 19);
    QTest::newRow("Label2") << "Label2"
                            << "Geef versnelling" << QRect(16, 64, 107, 17);
    QTest::newRow("txt_speed") << "txt_speed"
                               << "100" << QRect(136, 64, 105, 19);
    QTest::newRow("Label3") << "Label3"
                            << "Mili seconden" << QRect(256, 24, 81, 17);
    QTest::newRow("Label4") << "Label4"
                            << "Mili seconden" << QRect(256, 64, 81, 17);
    QTest::newRow("cmd_start") << "cmd_start"
                               << "&Start" << QRect(16, 144, 113, 33);
    QTest::newRow("cmd_exit") << "cmd_exit"
                              << "&Einde" << QRect(240, 144, 113, 33);
}

void SettingsWindowTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);

    QWidget* control = window->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(!control->isHidden());
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        // The caption fits: nothing is cut off.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= geometry.width());
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QCOMPARE(edit->text(), text);
    } else if (auto* push = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(push->text(), text);
        QVERIFY(!push->isDefault());
        QVERIFY(!push->autoDefault());
    } else {
        QFAIL("unexpected kind of control");
    }
}

void SettingsWindowTest::tab_order_and_initial_focus()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), box("txt_start"));
    QCOMPARE(tab_chain(box("txt_start")),
             QStringList({"txt_start", "txt_speed", "cmd_start", "cmd_exit"}));
}

void SettingsWindowTest::load_copies_the_current_values()
{
    module.state.interval_ms = -75;
    module.state.speed_step_ms = 123456;
    SettingsWindow other(session, ends.callback());
    QCOMPARE(other.findChild<QLineEdit*>("txt_start")->text(), QStringLiteral("-75"));
    QCOMPARE(other.findChild<QLineEdit*>("txt_speed")->text(), QStringLiteral("123456"));
}

void SettingsWindowTest::start_applies_both_values_hides_and_runs_the_exercise()
{
    window->show();
    box("txt_start")->setText(" 1500 ");
    box("txt_speed")->setText("-20");
    bool settings_hidden = false;
    QWidget* exercise = nullptr;
    const ModalWatcher modal_watcher([&](QWidget* modal) {
        settings_hidden = window->isHidden();
        exercise = modal;
    });
    QTest::mouseClick(button("cmd_start"), Qt::LeftButton);

    QVERIFY(settings_hidden);
    QVERIFY(exercise);
    QCOMPARE(exercise->objectName(), QStringLiteral("frm_werk"));
    QCOMPARE(module.state.interval_ms, 1500);
    QCOMPARE(module.state.speed_step_ms, -20);
    QVERIFY(window->isHidden());
}

void SettingsWindowTest::start_rounds_halves_to_even_in_the_users_locale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("interval");
    QTest::newRow("Dutch 2,5") << QLocale(QLocale::Dutch) << "2,5" << 2;
    QTest::newRow("Dutch 3,5") << QLocale(QLocale::Dutch) << "3,5" << 4;
    QTest::newRow("English 2.5") << QLocale(QLocale::English, QLocale::UnitedStates) << "2.5" << 2;
    QTest::newRow("English 3.5") << QLocale(QLocale::English, QLocale::UnitedStates) << "3.5" << 4;
    QTest::newRow("zero") << QLocale(QLocale::Dutch) << "0" << 0;
}

void SettingsWindowTest::start_rounds_halves_to_even_in_the_users_locale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(int, interval);
    QLocale::setDefault(locale);
    box("txt_start")->setText(typed);
    const ModalWatcher modal_watcher([](QWidget*) {});
    QTest::mouseClick(button("cmd_start"), Qt::LeftButton);
    QCOMPARE(module.state.interval_ms, interval);
    QCOMPARE(module.state.speed_step_ms, 100);
}

void SettingsWindowTest::access_keys_start_and_end()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // An access key clicks its button with a short animation.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(ends.requests, 1);

    QWidget* exercise = nullptr;
    const ModalWatcher modal_watcher([&](QWidget* modal) { exercise = modal; });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(exercise);
}

void SettingsWindowTest::bad_input_is_refused_with_a_message_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty start") << ""
                                 << "100"
                                 << "txt_start"
                                 << "staat nog niets";
    QTest::newRow("letters in start") << "abc"
                                      << "100"
                                      << "txt_start"
                                      << "\"abc\". Dat is geen getal";
    QTest::newRow("start too large") << "99999999999"
                                     << "100"
                                     << "txt_start"
                                     << "Dat getal is te groot";
    QTest::newRow("start too small") << "-99999999999"
                                     << "100"
                                     << "txt_start"
                                     << "Dat getal is te klein";
    QTest::newRow("markup is shown as typed") << "<b>5</b> &amp;"
                                              << "100"
                                              << "txt_start"
                                              << "\"<b>5</b> &amp;\". Dat is geen getal";
    QTest::newRow("a long paste is quoted by its start")
        << QString(10000, u'7') + u'x' << "100"
        << "txt_start"
        << "\"" + QString(40, u'7') + "\u2026\". Dat is geen getal";
    QTest::newRow("bad speed after good start") << "1500"
                                                << "snel"
                                                << "txt_speed"
                                                << "\"snel\". Dat is geen getal";
    QTest::newRow("English decimal point in Dutch") << "2.5"
                                                    << "100"
                                                    << "txt_start"
                                                    << "Dat is geen getal";
}

void SettingsWindowTest::bad_input_is_refused_with_a_message()
{
    QFETCH(QString, start);
    QFETCH(QString, speed);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    box("txt_start")->setText(start);
    box("txt_speed")->setText(speed);

    QString message;
    Qt::TextFormat format = Qt::AutoText;
    QPoint centre;
    const ModalWatcher modal_watcher([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = box->text();
            format = box->textFormat();
            centre = box->geometry().center();
        }
    });
    QTest::mouseClick(button("cmd_start"), Qt::LeftButton);

    QVERIFY2(message.contains(expected), qPrintable(message));
    QCOMPARE(format, Qt::PlainText);
    QVERIFY(message.size() < 400);
    QVERIFY(window->geometry().contains(centre)); // over the window, not somewhere else
    const QString prompt = field == "txt_start" ? "Geef start interval" : "Geef versnelling";
    QVERIFY2(message.contains(prompt), qPrintable(message));
    QVERIFY(message.contains("milliseconden"));
    // Nothing applied, nothing started, the settings stay up for a correction.
    QCOMPARE(module.state.interval_ms, 2000);
    QCOMPARE(module.state.speed_step_ms, 100);
    QVERIFY(!exercise_window_made());
    QVERIFY(window->isVisible());
    QCOMPARE(ends.requests, 0);
    QLineEdit* bad = box(qPrintable(field));
    QCOMPARE(window->focusWidget(), bad);
    QCOMPARE(bad->selectedText(), bad->text());
}

void SettingsWindowTest::enter_in_a_box_starts_nothing()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(box("txt_start"), Qt::Key_Return);
    QTest::keyClick(box("txt_speed"), Qt::Key_Enter);
    QVERIFY(!exercise_window_made());
    QVERIFY(window->isVisible());
    QCOMPARE(ends.requests, 0);
}

void SettingsWindowTest::escape_does_nothing()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const QSignalSpy finished(window.get(), &QDialog::finished);
    QTest::keyClick(box("txt_start"), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QVERIFY(window->isVisible());
    QCOMPARE(ends.requests, 0);
    QCOMPARE(finished.count(), 0); // not rejected
}

void SettingsWindowTest::end_button_and_frame_close_end_the_program()
{
    window->show();
    QTest::mouseClick(button("cmd_exit"), Qt::LeftButton);
    QCOMPARE(ends.requests, 1);
    window->close();
    QCOMPARE(ends.requests, 2);
    QVERIFY(!exercise_window_made());
}

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
