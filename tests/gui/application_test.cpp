#include "gui/application.h"
#include "window_test_support.h"

#include <QIcon>
#include <QMessageBox>
#include <QTest>

#include <stdexcept>

using klankflits::Application;
using klankflits::testing::when_modal_shows;

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

    void a_fault_in_a_handler_is_reported_and_ends_with_status_1()
    {
        auto* app = qobject_cast<Application*>(qApp);
        QVERIFY(app);
        QCOMPARE(app->exit_status(), 0);

        QString message;
        when_modal_shows([&](QWidget* modal) {
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

int main(int argc, char** argv)
{
    Application app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
