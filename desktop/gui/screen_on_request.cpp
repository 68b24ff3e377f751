#include "gui/screen_on_request.h"

#include "gui/application.h"

#include <QtGlobal>

#include <optional>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(KLANKFLITS_SCREEN_SAVER_DBUS)
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#endif

namespace klankflits
{

#if defined(Q_OS_WIN)

// The thread's execution state: with ES_CONTINUOUS it lasts until the thread
// sets it again, so the window's thread holds it for as long as it runs.
struct ScreenOnRequest::Inhibition {
    Inhibition()
    {
        SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
    }
    ~Inhibition() { SetThreadExecutionState(ES_CONTINUOUS); }
    Inhibition(const Inhibition&) = delete;
    Inhibition& operator=(const Inhibition&) = delete;
};

#elif defined(KLANKFLITS_SCREEN_SAVER_DBUS)

// The desktop's screen saver (KDE, GNOME, Xfce and most others offer it on the
// session bus): Inhibit hands back a cookie, UnInhibit with it releases. The
// service also releases by itself when the program's connection closes, so a
// program that ends without releasing leaves nothing held.
namespace
{

const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");

// A screen saver that answers late holds up nothing but itself: Inhibit goes
// out without waiting, and only releasing (at the end) waits, this long at most.
constexpr int answer_timeout_ms = 1000;

QDBusMessage screen_saver_call(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, service, method);
}

} // namespace

struct ScreenOnRequest::Inhibition {
    Inhibition() : bus(QDBusConnection::sessionBus())
    {
        if (!bus.isConnected())
            return; // no session bus: nothing to ask
        QDBusMessage inhibit = screen_saver_call(QStringLiteral("Inhibit"));
        inhibit << Application::program_name() << QStringLiteral("De oefening loopt");
        cookie = bus.asyncCall(inhibit, answer_timeout_ms);
    }

    ~Inhibition()
    {
        if (!cookie)
            return;
        cookie->waitForFinished();
        const QDBusPendingReply<uint> reply = *cookie;
        if (reply.isError())
            return; // no screen saver on the bus, or it refused: nothing is held
        QDBusMessage uninhibit = screen_saver_call(QStringLiteral("UnInhibit"));
        uninhibit << reply.value();
        bus.call(uninhibit, QDBus::Block, answer_timeout_ms);
    }

    Inhibition(const Inhibition&) = delete;
    Inhibition& operator=(const Inhibition&) = delete;

    QDBusConnection bus;
    std::optional<QDBusPendingCall> cookie;
};

#else

// No way to ask here (the D-Bus part is built on Linux and the like only).
struct ScreenOnRequest::Inhibition {
};

#endif

ScreenOnRequest::ScreenOnRequest() = default;

ScreenOnRequest::~ScreenOnRequest() = default;

void ScreenOnRequest::hold()
{
    if (!inhibition_)
        inhibition_ = std::make_unique<Inhibition>();
}

void ScreenOnRequest::release()
{
    inhibition_.reset();
}

} // namespace klankflits
