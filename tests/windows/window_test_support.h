#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace klankflits::testing
{

// Counts requests to end the program instead of ending the test process.
struct EndRecorder {
    int requests = 0;
    std::function<void()> callback()
    {
        return [this] { ++requests; };
    }
};

// The controls of `window` that take focus by Tab, in the order Tab visits
// them, starting from `first`.
inline QStringList tab_chain(QWidget* first)
{
    QStringList names;
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty() &&
            !widget->isHidden())
            names << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget && widget != first);
    return names;
}

// Runs `inspect` on the next modal window to come up (a message box or a modal
// exec), then closes it. Call before the action that opens the modal window.
inline void when_modal_shows(std::function<void(QWidget*)> inspect)
{
    auto* poll = new QTimer(qApp);
    auto waited_ms = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, waited_ms, inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        *waited_ms += poll->interval();
        if (!modal && *waited_ms < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        inspect(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->done(QMessageBox::Ok);
        else if (modal)
            modal->hide();
    });
    poll->start(5);
}

} // namespace klankflits::testing
