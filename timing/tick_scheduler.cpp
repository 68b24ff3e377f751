#include "timing/tick_scheduler.h"

#include "timing/scoped_flag.h"

#include <algorithm>

namespace klankflits
{

namespace
{
// Far enough for any interval the engine can hold (half of the largest 32-bit
// interval is about 1.1e8 ticks), near enough to stay clear of overflow.
constexpr std::int64_t max_ticks_ahead = std::int64_t{1} << 32;

} // namespace

// Enabling a running timer changes nothing, as setting an enabled flag that is
// already set; so does disabling a stopped one.
void TickScheduler::enable_timer1()
{
    if (timer1_.enabled)
        return;
    timer1_ = Timer1{true, nominal_now_, 0};
}

void TickScheduler::disable_timer1()
{
    timer1_.enabled = false;
}

// The interval counts from when Timer2 was enabled, also when it is set after.
void TickScheduler::set_timer2_interval(std::int32_t ms)
{
    timer2_.interval_ms = ms;
}

void TickScheduler::enable_timer2()
{
    if (timer2_.enabled)
        return;
    timer2_.enabled = true;
    timer2_.enabled_at = nominal_now_;
}

void TickScheduler::disable_timer2()
{
    timer2_.enabled = false;
}

void TickScheduler::start(TimerHandlers& handlers, TimePoint now)
{
    handlers_ = &handlers;
    nominal_now_ = now;
    timer1_ = Timer1{true, now, 0};
    if (timer2_.enabled)
        timer2_.enabled_at = now;
}

TickScheduler::TimePoint TickScheduler::next_tick_due() const
{
    return timer1_.epoch + (timer1_.delivered + 1) * tick;
}

// A timer with no positive interval never fires.
std::optional<TickScheduler::TimePoint> TickScheduler::pause_end_due() const
{
    if (!timer2_.enabled || timer2_.interval_ms <= 0)
        return std::nullopt;
    return timer2_.enabled_at + std::chrono::milliseconds(timer2_.interval_ms);
}

std::optional<TickScheduler::TimePoint> TickScheduler::next_wake() const
{
    if (!handlers_)
        return std::nullopt;
    auto wake_at = pause_end_due();
    if (timer1_.enabled) {
        const std::int64_t ticks =
            std::clamp<std::int64_t>(handlers_->ticks_until_next_step(), 1, max_ticks_ahead);
        const TimePoint step_at = timer1_.epoch + (timer1_.delivered + ticks) * tick;
        if (!wake_at || step_at < *wake_at)
            wake_at = step_at;
    }
    return wake_at;
}

void TickScheduler::deliver_due(TimePoint now)
{
    // A nested call, from an event loop that the engine runs inside a tick,
    // leaves the delivery to the call that is already at it.
    if (!handlers_ || delivering_)
        return;

    // Long stall: move the time line so that the overdue event is due now.
    if (const auto due = next_wake(); due && now - *due > catch_up_bound) {
        const Duration shift = now - *due;
        timer1_.epoch += shift;
        timer2_.enabled_at += shift;
        skipped_ += shift;
    }

    const ScopedFlag delivering(delivering_);
    // The engine switches timers from inside the ticks, so look again after each.
    for (;;) {
        const auto pause_end = pause_end_due();
        const auto tick_at = timer1_.enabled ? std::optional(next_tick_due()) : std::nullopt;
        // On a tie the pause end goes first; the engine never runs both timers.
        if (pause_end && *pause_end <= now && (!tick_at || *pause_end <= *tick_at)) {
            nominal_now_ = *pause_end;
            timer2_.enabled_at = *pause_end; // a timer left on fires again an interval later
            handlers_->timer2_tick();
        } else if (tick_at && *tick_at <= now) {
            nominal_now_ = *tick_at;
            ++timer1_.delivered;
            handlers_->timer1_tick();
        } else {
            break;
        }
    }
    nominal_now_ = now;
}

std::optional<TickScheduler::TimePoint> TickScheduler::wake(TimePoint now)
{
    if (delivering_)
        return std::nullopt;
    deliver_due(now);
    return next_wake();
}

void TickScheduler::catch_up(TimePoint now)
{
    deliver_due(now);
}

} // namespace klankflits
