#include "gui/application.h"

#include "gui/school_letters.h"
#include "program/texts.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

namespace klankflits
{

namespace
{

// The icon theme's where it has one (an installed Linux program), else the
// copies built into the program: Windows has no icon theme.
QIcon program_icon()
{
    QIcon icon = QIcon::fromTheme(QStringLiteral("klankflits"));
    if (icon.isNull()) {
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/klankflits-%1.png").arg(size));
    }
    return icon;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("klankflits"));
    // No application display name: Qt would append it to every window title.
    // Lets desktops match the windows to the menu entry and its icon.
    setDesktopFileName(QStringLiteral("nl.klankflits.Klankflits"));
    setWindowIcon(program_icon());
    register_school_letters(applicationDirPath());

    // Qt's own texts (a text box's context menu, message box buttons) in the
    // user's language, where the system has Qt's translations.
    auto* qt_texts = new QTranslator(this);
    if (qt_texts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt_texts);
}

QString Application::program_name()
{
    return QString::fromUtf8(klankflits::program_name.data(),
                             static_cast<qsizetype>(klankflits::program_name.size()));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    // Once a fault is being reported, the exercise stands still.
    if (failing_ && event->type() == QEvent::Timer && qobject_cast<QTimer*>(receiver))
        return true;
    bool handled = true;
    run_guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void Application::report_fault(const QString& what)
{
    if (failing_)
        return;
    failing_ = true;
    exit_status_ = 1;
    QMessageBox::critical(nullptr, program_name(),
                          QString::fromStdString(fault_message(what.toStdString())));
    exit(exit_status_);
}

} // namespace klankflits
