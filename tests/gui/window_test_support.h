#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimerEvent>
#include <QWidget>

#include <functional>

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
// Polls with a plain timer event, not a QTimer: the application stops QTimers
// while it reports a fault.
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(std::function<void(QWidget*)> inspect)
        : QObject(qApp), inspect_(std::move(inspect))
    {
        startTimer(5);
    }

protected:
    void timerEvent(QTimerEvent* event) override
    {
        QWidget* modal = QApplication::activeModalWidget();
        waited_ms_ += 5;
        if (!modal && waited_ms_ < 5000)
            return;
        killTimer(event->timerId());
        deleteLater();
        inspect_(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->done(QMessageBox::Ok);
        else if (modal)
            modal->hide();
    }

private:
    std::function<void(QWidget*)> inspect_;
    int waited_ms_ = 0;
};

inline void when_modal_shows(std::function<void(QWidget*)> inspect)
{
    new ModalWatcher(std::move(inspect));
}

} // namespace klankflits::testing
