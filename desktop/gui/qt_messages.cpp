#include "gui/qt_messages.h"

#include "gui/terminal_message.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace klankflits
{

namespace
{

// What the platform plugin says while the program starts, kept back until it
// is known whether a screen could be opened.
struct KeptMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previous_handler = nullptr;
bool starting = true;
QList<KeptMessage> kept;

// Why no screen could be opened, in Dutch and in English.
struct Reason {
    QString dutch;
    QString english;
};

Reason why_no_screen()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    QStringList lines;
    for (const KeptMessage& message : kept)
        lines << message.text;
    const QString said = lines.join(u'\n');
    if (!platform.isEmpty())
        return {QStringLiteral("Het Qt-platform \"%1\" (QT_QPA_PLATFORM) werkt hier niet.")
                    .arg(platform),
                QStringLiteral("The Qt platform \"%1\" (QT_QPA_PLATFORM) does not work here.")
                    .arg(platform)};
#ifdef Q_OS_WIN
    return {QStringLiteral("Het onderdeel van Qt dat de vensters opent (platforms\\qwindows.dll) "
                           "ontbreekt of werkt niet: %1")
                .arg(said),
            QStringLiteral("The part of Qt that opens the windows (platforms\\qwindows.dll) is "
                           "missing or does not work: %1")
                .arg(said)};
#else
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (said.contains(QStringLiteral("Could not find the Qt platform plugin \"wayland\"")) &&
        display.isEmpty())
        return {QStringLiteral("Dit is een Wayland-bureaublad, maar het Wayland-onderdeel van Qt "
                               "ontbreekt (Debian-pakket qt6-wayland)."),
                QStringLiteral("This is a Wayland session, but Qt's Wayland plugin is missing "
                               "(Debian package qt6-wayland).")};
    if (display.isEmpty() && wayland.isEmpty())
        return {QStringLiteral("Er is geen beeldscherm ingesteld: DISPLAY en WAYLAND_DISPLAY zijn "
                               "leeg. Start het programma vanuit een bureaublad."),
                QStringLiteral("No display is set: DISPLAY and WAYLAND_DISPLAY are both empty. "
                               "Start the program from a desktop session.")};
    if (display.isEmpty())
        return {QStringLiteral("Het Wayland-beeldscherm \"%1\" (WAYLAND_DISPLAY) is niet te "
                               "bereiken.")
                    .arg(wayland),
                QStringLiteral("The Wayland display \"%1\" (WAYLAND_DISPLAY) cannot be reached.")
                    .arg(wayland)};
    return {QStringLiteral("Het beeldscherm \"%1\" (DISPLAY) is niet te bereiken.").arg(display),
            QStringLiteral("The display \"%1\" (DISPLAY) cannot be reached.").arg(display)};
#endif
}

[[noreturn]] void no_screen()
{
    const Reason reason = why_no_screen();
    write_on_stderr(two_languages(
        QStringLiteral("er kon geen beeldscherm worden geopend, dus het programma kan zijn "
                       "vensters niet tonen.\n") +
            reason.dutch,
        QStringLiteral("no screen could be opened, so the program cannot show its windows.\n") +
            reason.english));
    std::fflush(stderr);
    // Qt is half way through starting; nothing of it can be cleaned up.
    std::_Exit(1);
}

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (starting) {
        if (type == QtFatalMsg)
            no_screen();
        if (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0) {
            kept.append({type, QByteArray(context.category), message});
            return;
        }
    }
    if (previous_handler)
        previous_handler(type, context, message);
}

} // namespace

QtMessages::QtMessages()
{
    starting = true;
    previous_handler = qInstallMessageHandler(handle);
}

QtMessages::~QtMessages()
{
    qInstallMessageHandler(previous_handler);
}

void QtMessages::started()
{
    starting = false;
    // A screen was opened after all: what the platform said is worth reading.
    for (const KeptMessage& message : std::exchange(kept, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        if (previous_handler)
            previous_handler(message.type, context, message.text);
    }
}

} // namespace klankflits
