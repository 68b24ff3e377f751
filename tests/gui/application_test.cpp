#include "engine/exercise_timers.h"
#include "events/paced_timers.h"
#include "gui/application.h"
#include "window_test_support.h"

#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <cstring>
#include <stdexcept>

using klankflits::Application;
using klankflits::testing::ModalWatcher;

// An object whose event handler fails the way a program fault would.
class FaultyObject : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw std::overflow_error("arithmetic overflow");
        return QObject::event(event);
    }
};

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void windows_have_the_program_icon_without_an_icon_theme()
    {
        // No theme has it here (nor on Windows): the built-in copies serve.
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(16).isNull());
        QVERIFY(!icon.pixmap(32).isNull());
    }

    // On Windows (under Wine in the tests) from the copy carried beside the
    // program, with no such font on the system.
    void the_school_letters_can_be_drawn()
    {
#if defined(_WIN32)
        // The copy carried beside the program is a font Qt takes as Andika,
        // whatever the system has.
        const QString carried =
            QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/Andika-Bold.ttf");
        QVERIFY2(QFile::exists(carried), qPrintable(carried));
        const int id = QFontDatabase::addApplicationFont(carried);
        QVERIFY(QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("Andika")));
#endif
        QVERIFY(QFontDatabase::hasFamily(QStringLiteral("Andika")));
        const QStringList styles = QFontDatabase::styles(QStringLiteral("Andika"));
        QVERIFY2(styles.contains(QStringLiteral("Bold")), qPrintable(styles.join(u',')));
    }

    void a_fault_in_a_handler_is_reported_and_ends_with_status_1()
    {
        auto* app = qobject_cast<Application*>(qApp);
        QVERIFY(app);
        QCOMPARE(app->exit_status(), 0);

        QString message;
        const ModalWatcher modal_watcher([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                message = box->text();
        });
        FaultyObject faulty;
        QEvent event(QEvent::User);
        QVERIFY(QCoreApplication::sendEvent(&faulty, &event));

        QVERIFY2(message.contains("arithmetic overflow"), qPrintable(message));
        QVERIFY(message.contains("stopt"));
        QCOMPARE(app->exit_status(), 1);
    }
};

// Engine handlers whose first tick fails the way a program fault would.
class FaultyTick : public klankflits::TimerHandlers
{
public:
    void timer1_tick() override { throw std::overflow_error("arithmetic overflow"); }
    void timer2_tick() override {}
    std::int64_t ticks_until_next_step() const override { return 1; }
    bool syllable_shown() const override { return false; }
};

class TickFaultTest : public QObject
{
    Q_OBJECT

private slots:
    // The tick source's QTimer runs out on the real clock and the engine
    // fails in the tick: the fault is reported while the QTimer's timeout is
    // still being handled, so it never unwinds through Qt's dispatch, and
    // the timeout's later slots still run.
    void a_fault_in_a_paced_tick_is_reported_where_it_happens()
    {
        auto* app = qobject_cast<Application*>(qApp);
        QVERIFY(app);
        klankflits::PacedTimers timers;
        auto* timer = timers.findChild<QTimer*>();
        QVERIFY(timer);
        int timeouts_handled = 0;
        connect(timer, &QTimer::timeout, this, [&] { ++timeouts_handled; });

        QString message;
        int handled_when_reported = -1;
        const ModalWatcher modal_watcher([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                message = box->text();
            handled_when_reported = timeouts_handled;
        });
        FaultyTick faulty;
        timers.start(faulty);
        QTRY_COMPARE(timeouts_handled, 1);

        QVERIFY2(message.contains("Er ging iets mis in het programma: arithmetic overflow"),
                 qPrintable(message));
        QVERIFY(message.contains("Het programma stopt nu."));
        QCOMPARE(handled_when_reported, 0);
        QCOMPARE(app->exit_status(), 1);
        QVERIFY(!timer->isActive()); // the exercise stands still
    }
};

// A fault ends the fault report for good, so each test class that makes one
// runs in a process of its own: `fault_in_a_tick` as the first argument
// chooses the tick's.
int main(int argc, char** argv)
{
    Application app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "fault_in_a_tick") == 0) {
        TickFaultTest test;
        argv[1] = argv[0];
        return QTest::qExec(&test, argc - 1, argv + 1);
    }
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
