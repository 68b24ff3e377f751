#include "engine/exercise_state.h"
#include "gui/exercise_window.h"
#include "gui/list_file.h"
#include "gui/settings_window.h"
#include "material/materials.h"
#include "program/session.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

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

    void choosing_a_material_shows_its_items_and_order_data();
    void choosing_a_material_shows_its_items_and_order();
    void the_own_list_keeps_what_was_typed();
    void start_flashes_only_the_chosen_items();
    void a_bad_own_list_is_refused_naming_its_line_data();
    void a_bad_own_list_is_refused_naming_its_line();
    void a_list_file_is_written_and_read_back_data();
    void a_list_file_is_written_and_read_back();
    void a_dropped_list_file_becomes_the_own_list();
    void the_command_lines_choice_is_shown_preset();

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
    QComboBox* combo(const char* name) { return window->findChild<QComboBox*>(name); }
    QPlainTextEdit* list() { return window->findChild<QPlainTextEdit*>("txt_list"); }
    void choose(const char* key)
    {
        combo("cmb_material")->setCurrentIndex(combo("cmb_material")->findData(key));
    }

    Module1 module{42};
    Session session{module};
    EndRecorder ends;
    std::unique_ptr<SettingsWindow> window;
};

void SettingsWindowTest::init()
{
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    init_state(module);
    module.draw = ItemDraw();
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
    QCOMPARE(window->size(), QSize(369, 457));
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
    QTest::newRow("Label5") << "Label5"
                            << "&Oefenstof" << QRect(16, 192, 107, 17);
    QTest::newRow("Label6") << "Label6"
                            << "&Volgorde" << QRect(16, 240, 107, 17);
    QTest::newRow("Label7") << "Label7"
                            << "&Lijst" << QRect(16, 296, 107, 17);
    QTest::newRow("cmd_open") << "cmd_open"
                              << "Ope&nen…" << QRect(16, 328, 107, 33);
    QTest::newRow("cmd_save") << "cmd_save"
                              << "Opslaan &als…" << QRect(16, 368, 107, 33);
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
        // An access key takes the focus to the control after the label.
        if (text.contains(u'&'))
            QVERIFY(label->buddy());
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
    // The original four first; the page's own button is not there.
    QCOMPARE(tab_chain(box("txt_start")),
             QStringList({"txt_start", "txt_speed", "cmd_start", "cmd_exit", "cmb_material",
                          "cmb_order", "txt_list", "cmd_open", "cmd_save"}));
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

void SettingsWindowTest::choosing_a_material_shows_its_items_and_order_data()
{
    QTest::addColumn<QString>("material");
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("typed");
    QTest::newRow("the CCV syllables") << "ccv"
                                       << "willekeurig" << false;
    QTest::newRow("mkm, short vowel") << "mkm-kort"
                                      << "door-elkaar" << false;
    QTest::newRow("two syllables, closed") << "twee-gesloten"
                                           << "door-elkaar" << false;
    QTest::newRow("the own list") << "eigen"
                                  << "door-elkaar" << true;
}

// The list box shows the chosen material's items, the order box its own order,
// and only the own list takes typing.
void SettingsWindowTest::choosing_a_material_shows_its_items_and_order()
{
    QFETCH(QString, material);
    QFETCH(QString, order);
    QFETCH(bool, typed);
    QCOMPARE(combo("cmb_material")->currentData().toString(), QStringLiteral("ccv"));
    choose("mkm-lang");
    combo("cmb_order")->setCurrentIndex(combo("cmb_order")->findData("op-volgorde"));
    choose(qPrintable(material));
    QCOMPARE(combo("cmb_material")->currentData().toString(), material);
    QCOMPARE(combo("cmb_order")->currentData().toString(), order);
    QCOMPARE(list()->isReadOnly(), !typed);
    if (const auto chosen = material_named(material.toStdString()))
        QCOMPARE(list()->toPlainText(), QString::fromStdString(items_text(*chosen)));
    else
        QCOMPARE(list()->toPlainText(), QString());
}

void SettingsWindowTest::the_own_list_keeps_what_was_typed()
{
    choose("eigen");
    const QString typed = QStringLiteral("kat\nmaan\n<b>huis</b>, boom;\n  de kat  ");
    list()->setPlainText(typed);
    choose("mkm-lang");
    QVERIFY(list()->toPlainText().contains("maan"));
    choose("ccv");
    choose("eigen");
    QCOMPARE(list()->toPlainText(), typed);
    QVERIFY(!list()->isReadOnly());
}

// Start takes the chosen set: the exercise window names it in its title, and
// what flashes comes from the set alone.
void SettingsWindowTest::start_flashes_only_the_chosen_items()
{
    window->show();
    choose("twee-gesloten");
    box("txt_start")->setText("60"); // quick flashes
    const auto set = material_named("twee-gesloten");
    QString title;
    QSet<QString> seen;
    QStringList strangers;
    const ModalWatcher modal_watcher([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* syllable = modal->findChild<QLabel*>("txt_string");
        (void)QTest::qWaitFor(
            [&] {
                const QString shown = syllable->text();
                if (!shown.isEmpty() && !seen.contains(shown)) {
                    seen.insert(shown);
                    if (std::find(set->items.begin(), set->items.end(), shown.toStdString()) ==
                        set->items.end())
                        strangers << shown;
                }
                return seen.size() >= 5;
            },
            20000);
    });
    QTest::mouseClick(button("cmd_start"), Qt::LeftButton);
    QCOMPARE(title, QString::fromStdString("ZVK van " + set->name));
    QVERIFY2(seen.size() >= 5, qPrintable(QStringList(seen.values()).join(u' ')));
    QVERIFY2(strangers.isEmpty(), qPrintable(strangers.join(u' ')));
    QCOMPARE(session.material().key, std::string("twee-gesloten"));
}

void SettingsWindowTest::a_bad_own_list_is_refused_naming_its_line_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("line");
    QTest::newRow("a sign that is no letter") << "kat\nmaan\nh@us\nboom"
                                              << "Regel 3: \"h@us\"" << 3;
    QTest::newRow("31 characters") << "kat\n" + QString(31, u'a') << "Regel 2:" << 2;
    QTest::newRow("twice the same") << "kat\nmaan\nkat"
                                    << "staat al op regel 1" << 3;
    QTest::newRow("empty") << "  \n\n"
                           << "De lijst is leeg" << 1;
    QTest::newRow("markup is text") << "<b>kat</b>"
                                    << "Regel 1: \"<b>kat</b>\"" << 1;
}

// As a number box that cannot be read: the message names the line, the box
// keeps exactly what was typed with the cursor on that line, nothing starts.
void SettingsWindowTest::a_bad_own_list_is_refused_naming_its_line()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, line);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    choose("eigen");
    list()->setPlainText(typed);
    QString message;
    Qt::TextFormat format = Qt::AutoText;
    const ModalWatcher modal_watcher([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = box->text();
            format = box->textFormat();
        }
    });
    QTest::mouseClick(button("cmd_start"), Qt::LeftButton);
    QVERIFY2(message.contains(expected), qPrintable(message));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(list()->toPlainText(), typed);
    QVERIFY(!exercise_window_made());
    QVERIFY(window->isVisible());
    QCOMPARE(window->focusWidget(), list());
    QCOMPARE(list()->textCursor().blockNumber(), line - 1);
    QCOMPARE(session.material().key, std::string("ccv")); // nothing chosen
}

void SettingsWindowTest::a_list_file_is_written_and_read_back_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("words") << "kat\nmaan\nhuis";
    QTest::newRow("beyond ASCII") << "één\nauto's\nde kat\nçà\u05E9\u05DC\u05D5\u05DD";
    QTest::newRow("empty") << "";
}

// What "Opslaan als…" writes, "Openen…" reads back as it was (UTF-8, no mark).
void SettingsWindowTest::a_list_file_is_written_and_read_back()
{
    QFETCH(QString, text);
    const QTemporaryDir dir;
    const QString path = with_txt_suffix(dir.filePath("week 12"));
    QCOMPARE(path, dir.filePath("week 12.txt"));
    QCOMPARE(with_txt_suffix(dir.filePath("lijst.TXT")), dir.filePath("lijst.TXT"));
    QCOMPARE(write_list_file(path, text), QString());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(!written.peek(3).startsWith("\xEF\xBB\xBF"));
    const ListFileReading read = read_list_file(path);
    QVERIFY(read.ok());
    QCOMPARE(read.text, text);
}

// A file that cannot be read or written is named in a Dutch message; a .txt
// file dropped on the window becomes the own list, ready to be changed.
void SettingsWindowTest::a_dropped_list_file_becomes_the_own_list()
{
    const QTemporaryDir dir;
    const ListFileReading missing = read_list_file(dir.filePath("weg.txt"));
    QVERIFY2(missing.message.contains("\"weg.txt\" kan niet worden gelezen"),
             qPrintable(missing.message));
    QVERIFY2(write_list_file(dir.filePath("nergens/lijst.txt"), "kat")
                 .contains("kan niet worden opgeslagen als \"lijst.txt\""),
             "no message");

    // As Notepad saves it: Windows' line ends.
    const QString path = dir.filePath("week 3.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("bang\r\nbank\r\n");
    file.close();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QCOMPARE(combo("cmb_material")->currentData().toString(), QStringLiteral("eigen"));
    QCOMPARE(list()->toPlainText(), QStringLiteral("bang\nbank\n"));
    QVERIFY(!list()->isReadOnly());

    // What was typed goes only when the teacher agrees.
    list()->setPlainText("kat");
    // A drop goes where its drag entered, so each drag enters anew.
    const auto drop_asking = [&](const char* answer) {
        QString question;
        const ModalWatcher modal_watcher([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            question = box->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QLatin1String(answer))
                    button->click();
        });
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent again(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &again);
        return question;
    };
    QVERIFY(drop_asking("Niet vervangen").contains("\"week 3.txt\""));
    QCOMPARE(list()->toPlainText(), QStringLiteral("kat"));
    choose("mkm-kort"); // asked too while another material is shown
    QVERIFY(drop_asking("Vervangen").contains("gaat dan verloren"));
    QCOMPARE(list()->toPlainText(), QStringLiteral("bang\nbank\n"));

    // Dropped on a number box, with its name as text too (as file managers
    // drag it), it is the list, not text for the box.
    QMimeData named;
    named.setUrls({QUrl::fromLocalFile(path)});
    named.setText(path);
    QLineEdit* speed = box("txt_speed");
    const QPoint inside = speed->rect().center();
    QDragEnterEvent onto(inside, Qt::CopyAction, &named, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(speed, &onto);
    QDropEvent dropped(inside, Qt::CopyAction, &named, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(speed, &dropped);
    QVERIFY(dropped.isAccepted());
    QCOMPARE(speed->text(), QStringLiteral("100"));

    // Anything but a .txt file is not taken.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(dir.filePath("foto.png"))});
    QDragEnterEvent refused(at, Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(window.get(), &refused);
    QVERIFY(!refused.isAccepted());
}

void SettingsWindowTest::the_command_lines_choice_is_shown_preset()
{
    SettingsWindow set(session, ends.callback(), nullptr, {},
                       {QStringLiteral("ng-nk"), QStringLiteral("op-volgorde"), {}});
    QCOMPARE(set.findChild<QComboBox*>("cmb_material")->currentData().toString(),
             QStringLiteral("ng-nk"));
    QCOMPARE(set.findChild<QComboBox*>("cmb_order")->currentData().toString(),
             QStringLiteral("op-volgorde"));
    SettingsWindow own(session, ends.callback(), nullptr, {},
                       {QStringLiteral("eigen"), {}, QStringLiteral("kat\nmaan")});
    QCOMPARE(own.findChild<QComboBox*>("cmb_material")->currentData().toString(),
             QStringLiteral("eigen"));
    QCOMPARE(own.findChild<QComboBox*>("cmb_order")->currentData().toString(),
             QStringLiteral("door-elkaar"));
    QCOMPARE(own.findChild<QPlainTextEdit*>("txt_list")->toPlainText(),
             QStringLiteral("kat\nmaan"));
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
