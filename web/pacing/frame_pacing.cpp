#include "pacing/frame_pacing.h"

#include <algorithm>

namespace klankflits
{

void FramePacing::frame(TimePoint at, bool follows_previous)
{
    if (follows_previous && last_frame_) {
        const Duration interval = at - *last_frame_;
        if (interval > Duration::zero() && interval <= longest_period) {
            intervals_[count_ % kept] = interval;
            ++count_;
            measure();
        }
    }
    last_frame_ = at;
}

void FramePacing::measure()
{
    const std::size_t n = std::min(count_, kept);
    std::array<Duration, kept> sorted = intervals_;
    std::nth_element(sorted.begin(), sorted.begin() + n / 2, sorted.begin() + n);
    period_ = sorted[n / 2];
}

std::optional<FramePacing::TimePoint> FramePacing::delivery_time(TimePoint frame,
                                                                 TimePoint due) const
{
    if (due > frame + period_ / 2)
        return std::nullopt;
    return std::max(frame, due);
}

FramePacing::TimePoint FramePacing::frames_from(TimePoint due, TimePoint now) const
{
    const Duration lead = lead_frames * period_ + timer_slack;
    const Duration sleep_share = (due - now) * late_timer_share::num / late_timer_share::den;
    return due - std::max(lead, sleep_share);
}

void FrameTicks::start(TimerHandlers& handlers, TimePoint frame)
{
    pacing_.frame(frame, false);
    scheduler_.start(handlers, frame);
}

bool FrameTicks::frame(TimePoint at, bool follows_previous)
{
    pacing_.frame(at, follows_previous);
    changed_ = false;
    const auto due = scheduler_.next_wake();
    if (!due)
        return false;
    const auto delivery = pacing_.delivery_time(at, *due);
    if (!delivery)
        return false;
    scheduler_.deliver(*delivery);
    changed_ = true;
    return true;
}

void FrameTicks::before_input(TimePoint frame)
{
    // A change made in this frame brought the ticks up to it already; one more
    // change now would never reach the screen.
    if (!changed_)
        scheduler_.deliver(frame);
}

std::optional<FrameTicks::Duration> FrameTicks::sleep_after(TimePoint frame) const
{
    const auto due = scheduler_.next_wake();
    if (!due)
        return std::nullopt;
    const TimePoint from = pacing_.frames_from(*due, frame);
    if (from <= frame + pacing_.period())
        return Duration::zero();
    return from - frame;
}

} // namespace klankflits
