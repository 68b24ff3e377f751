#include "support/plain_timers.h"

#include "events/fault_report.h"

#include <QTimer>

namespace klankflits
{

namespace
{
constexpr int tick_ms = 10;

QTimer* make_timer(QObject* parent, const char* name)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}
} // namespace

PlainTimers::PlainTimers(QObject* parent)
    : TickSource(parent), timer1_(make_timer(this, "Timer1")), timer2_(make_timer(this, "Timer2"))
{
    timer1_->setInterval(tick_ms);
}

void PlainTimers::start(TimerHandlers& handlers)
{
    connect(timer1_, &QTimer::timeout, this,
            [&handlers] { run_guarded([&handlers] { handlers.timer1_tick(); }); });
    connect(timer2_, &QTimer::timeout, this,
            [&handlers] { run_guarded([&handlers] { handlers.timer2_tick(); }); });
    timer1_->start();
}

std::int32_t PlainTimers::timer1_interval() const
{
    return timer1_->interval();
}
void PlainTimers::enable_timer1()
{
    timer1_->start();
}
void PlainTimers::disable_timer1()
{
    timer1_->stop();
}
void PlainTimers::set_timer2_interval(std::int32_t ms)
{
    timer2_->setInterval(ms);
}
void PlainTimers::enable_timer2()
{
    timer2_->start();
}
void PlainTimers::disable_timer2()
{
    timer2_->stop();
}

void PlainTimers::set_paused(bool paused)
{
    if (paused) {
        paused_timer_ = timer1_->isActive() ? timer1_ : timer2_->isActive() ? timer2_ : nullptr;
        if (paused_timer_)
            paused_timer_->stop();
    } else if (paused_timer_) {
        paused_timer_->start();
        paused_timer_ = nullptr;
    }
}

} // namespace klankflits
