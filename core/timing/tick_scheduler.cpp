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

template <typename Ratio> TickScheduler::Duration part(TickScheduler::Duration whole)
{
    return whole * Ratio::num / Ratio::den;
}

} // namespace

// Enabling a running timer changes nothing, as setting an enabled flag that is
// already set; so does disabling a stopped one.
// The engine switches the timers only while a change is being delivered, and
// every change is planned anew after it.
void TickScheduler::enable_timer1()
{
    if (timer1_.enabled)
        return;
    timer1_ = Timer1{true, nominal_now_, 0};
    plan_.reset();
}

void TickScheduler::disable_timer1()
{
    timer1_.enabled = false;
    plan_.reset();
}

// The interval counts from when Timer2 was enabled, also when it is set after.
void TickScheduler::set_timer2_interval(std::int32_t ms)
{
    timer2_.interval_ms = ms;
    plan_.reset();
}

void TickScheduler::enable_timer2()
{
    if (timer2_.enabled)
        return;
    timer2_.enabled = true;
    timer2_.enabled_at = nominal_now_;
    plan_.reset();
}

void TickScheduler::disable_timer2()
{
    timer2_.enabled = false;
    plan_.reset();
}

void TickScheduler::start(TimerHandlers& handlers, TimePoint now)
{
    handlers_ = &handlers;
    nominal_now_ = now;
    timer1_ = Timer1{true, now, 0};
    if (timer2_.enabled)
        timer2_.enabled_at = now;
    last_ = Change{now, now, {}};
    plan_.reset();
}

TickScheduler::TimePoint TickScheduler::next_tick_nominal() const
{
    return timer1_.epoch + (timer1_.delivered + 1) * tick;
}

// A timer with no positive interval never fires.
std::optional<TickScheduler::TimePoint> TickScheduler::pause_end_nominal() const
{
    if (!timer2_.enabled || timer2_.interval_ms <= 0)
        return std::nullopt;
    return timer2_.enabled_at + std::chrono::milliseconds(timer2_.interval_ms);
}

TickScheduler::Duration TickScheduler::ticks_to_next_step() const
{
    return std::clamp<std::int64_t>(handlers_->ticks_until_next_step(), 1, max_ticks_ahead) * tick;
}

std::optional<TickScheduler::NextChange> TickScheduler::next_change() const
{
    if (!handlers_)
        return std::nullopt;
    std::optional<NextChange> next;
    if (const auto pause_end = pause_end_nominal())
        next = NextChange{true, *pause_end, {}};
    if (timer1_.enabled) {
        const TimePoint step = timer1_.epoch + timer1_.delivered * tick + ticks_to_next_step();
        // On a tie the pause end goes first; the engine never runs both timers.
        if (!next || step < next->nominal)
            next = NextChange{false, step, {}};
    }
    if (!next)
        return std::nullopt;

    const Duration since_last = next->nominal - last_.nominal;
    if (handlers_->syllable_shown())
        next->due = last_.at + std::max(last_.exposure, since_last);
    else if (next->pause_end)
        next->due = std::max(next->nominal, last_.at + part<pause_kept>(since_last));
    else
        next->due = std::max(next->nominal, last_.at + part<hidden_half_kept>(since_last));
    return next;
}

const std::optional<TickScheduler::NextChange>& TickScheduler::plan() const
{
    if (!plan_)
        plan_ = next_change();
    return *plan_;
}

std::optional<TickScheduler::TimePoint> TickScheduler::next_wake() const
{
    if (paused_)
        return std::nullopt;
    const auto& next = plan();
    return next ? std::optional(next->due) : std::nullopt;
}

bool TickScheduler::deliver(TimePoint now)
{
    // A nested call, from an event loop that the engine runs inside a tick,
    // leaves the delivery to the call that is already at it.
    if (!handlers_ || delivering_ || paused_)
        return false;
    if (!plan()) {
        nominal_now_ = now;
        return false;
    }
    NextChange next = *plan();

    // Long stall: move the schedule so that the overdue change is due now.
    if (now > next.due && now - next.nominal > catch_up_bound) {
        const Duration shift = now - next.due;
        timer1_.epoch += shift;
        timer2_.enabled_at += shift;
        last_.at += shift;
        last_.nominal += shift;
        next.nominal += shift;
        next.due += shift;
        plan_ = next;
    }

    bool changed = false;
    {
        const ScopedFlag delivering(delivering_);
        changed = deliver_up_to(next, now);
    }
    nominal_now_ = now;
    return changed;
}

bool TickScheduler::deliver_up_to(const NextChange& next, TimePoint now)
{
    // The ticks that only add time (they switch nothing): at their own pace
    // from the last change.
    const Duration late = last_.at - last_.nominal;
    while (timer1_.enabled && next_tick_nominal() < next.nominal &&
           std::min(next.due, next_tick_nominal() + late) <= now) {
        nominal_now_ = next_tick_nominal();
        ++timer1_.delivered;
        handlers_->timer1_tick();
    }
    if (next.due > now || (timer1_.enabled && next_tick_nominal() < next.nominal))
        return false;
    nominal_now_ = next.nominal;
    if (next.pause_end) {
        timer2_.enabled_at = next.nominal; // a timer left on fires again an interval later
        handlers_->timer2_tick();
    } else {
        ++timer1_.delivered;
        handlers_->timer1_tick();
    }
    // One change per wake-up: the window paints it before the next.
    last_ = Change{now, next.nominal, {}};
    unpainted_ = true;
    if (handlers_->syllable_shown() && timer1_.enabled)
        last_.exposure = ticks_to_next_step();
    plan_.reset();
    return true;
}

void TickScheduler::pause(TimePoint now)
{
    if (paused_ || !handlers_)
        return;
    // What was due by now has happened; the step under way is what resumes.
    deliver(now);
    paused_ = true;
}

void TickScheduler::resume(TimePoint now)
{
    if (!paused_)
        return;
    paused_ = false;
    const Duration shift = std::max(now - last_.at, Duration::zero());
    timer1_.epoch += shift;
    timer2_.enabled_at += shift;
    last_.at += shift;
    last_.nominal += shift;
    nominal_now_ = now;
    unpainted_ = false;
    plan_.reset();
}

void TickScheduler::painted(TimePoint at)
{
    if (unpainted_ && at > last_.at) {
        last_.at = at;
        plan_.reset();
    }
    unpainted_ = false;
}

} // namespace klankflits
