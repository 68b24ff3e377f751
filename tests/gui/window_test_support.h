#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimerEvent>
#include <QWidget>

#include <functional>
#include <source_location>

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
// exec), then closes it. Make one before the action that opens the modal
// window; when it goes out of scope, a modal window must have come within 5 s,
// or the test that made it fails, there.
// Polls with a plain timer event, not a QTimer: the application stops QTimers
// while it reports a fault.
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(std::function<void(QWidget*)> inspect,
                          std::source_location made_at = std::source_location::current())
        : inspect_(std::move(inspect)), made_at_(made_at), timer_(startTimer(poll_ms))
    {
    }

    ~ModalWatcher() override
    {
        if (QTest::currentTestFailed()) {
            if (timer_ != 0)
                killTimer(timer_);
            return;
        }
        // An action may open its modal window a little later (an animated click).
        if (!QTest::qWaitFor([this] { return timer_ == 0; }, give_up_ms + 1000))
            killTimer(timer_);
        if (!came_)
            QTest::qFail("no modal window came within 5 s", made_at_.file_name(),
                         static_cast<int>(made_at_.line()));
    }

    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() != timer_)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        waited_ms_ += poll_ms;
        if (!modal && waited_ms_ < give_up_ms)
            return;
        killTimer(timer_);
        timer_ = 0;
        if (!modal)
            return;
        came_ = true;
        inspect_(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->done(QMessageBox::Ok);
        else
            modal->hide();
    }

private:
    static constexpr int poll_ms = 5;
    static constexpr int give_up_ms = 5000;

    std::function<void(QWidget*)> inspect_;
    std::source_location made_at_;
    int timer_;
    int waited_ms_ = 0;
    bool came_ = false;
};

} // namespace klankflits::testing
