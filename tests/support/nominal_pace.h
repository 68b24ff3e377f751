#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>

namespace klankflits::testing
{

// The exercise's pace written out from its rules alone, with no help from the
// engine or a tick source, on an exact clock: Timer1 ticks every 10 ms and
// each tick adds 10 ms to the time since the last step; a step comes on the
// tick at which that time passes half the interval, and restarts it at 1 ms.
// A step toggles the syllable; the 21st step of a series shows the pause
// picture instead (3500 ms; 5500 ms after every third series, which also
// shortens the interval by the speed step, never below the speed step). The
// pause end hides the picture and the ticks go on from there. A speed button
// sets the speed step to 100 and moves the interval by it.
class NominalPace
{
public:
    static constexpr std::int64_t tick_ms = 10;
    static constexpr int steps_per_series = 21;
    static constexpr int series_per_block = 3;
    static constexpr std::int64_t short_pause_ms = 3500;
    static constexpr std::int64_t long_pause_ms = 5500;

    enum class Change { syllable_shown, syllable_hidden, picture_shown, picture_hidden };

    struct Event {
        Change change;
        std::int64_t at_ms;    // since Timer1 started, ticks and pauses so far
        std::int64_t pause_ms; // for the picture: the pause it begins or ends
    };

    NominalPace(std::int64_t interval_ms, std::int64_t speed_step_ms, std::int64_t elapsed_ms = 1)
        : interval_ms_(interval_ms), speed_step_ms_(speed_step_ms), elapsed_ms_(elapsed_ms)
    {
    }

    // The next change the learner sees.
    Event next()
    {
        if (pending_.empty()) {
            if (pause_ms_ > 0)
                end_pause();
            else
                step();
        }
        const Event event = pending_.front();
        pending_.pop_front();
        return event;
    }

    // When the next change is due, without making it.
    std::int64_t next_at() const
    {
        if (!pending_.empty())
            return pending_.front().at_ms;
        if (pause_ms_ > 0)
            return now_ms_ + pause_ms_;
        return now_ms_ + tick_ms * ticks_until_next_step();
    }

    // Ticks from the last one to the next step, counting the next.
    std::int64_t ticks_until_next_step() const
    {
        std::int64_t ticks = 0;
        for (std::int64_t elapsed = elapsed_ms_; !half_passed(elapsed);)
            elapsed += tick_ms, ++ticks;
        return std::max<std::int64_t>(ticks, 1);
    }

    // One tick that makes no step (ticks_until_next_step() > 1).
    void tick()
    {
        now_ms_ += tick_ms;
        elapsed_ms_ += tick_ms;
    }

    // A speed button, after the changes made so far: 1 versnel, 2 vertraag.
    void click(int button)
    {
        speed_step_ms_ = 100;
        interval_ms_ += button == 1 ? -100 : 100;
    }

    // The state the last step or pause end left; a step that begins a pause
    // makes two changes at once, and the second is pending until next().
    std::int64_t interval_ms() const { return interval_ms_; }
    int flash_count() const { return flash_count_; }
    int series_count() const { return series_count_; }
    bool syllable_shown() const { return syllable_shown_; }
    bool paused() const { return pause_ms_ > 0; }
    std::int64_t pause_ms() const { return pause_ms_; }
    bool change_pending() const { return !pending_.empty(); }

private:
    bool half_passed(std::int64_t elapsed) const
    {
        return static_cast<double>(interval_ms_) / 2.0 < static_cast<double>(elapsed);
    }

    void step()
    {
        do
            tick();
        while (!half_passed(elapsed_ms_));
        elapsed_ms_ = 1;
        if (++flash_count_ < steps_per_series) {
            pending_.push_back(
                {syllable_shown_ ? Change::syllable_hidden : Change::syllable_shown, now_ms_, 0});
            syllable_shown_ = !syllable_shown_;
            return;
        }
        flash_count_ = 0;
        pause_ms_ = short_pause_ms;
        if (++series_count_ == series_per_block) {
            pause_ms_ = long_pause_ms;
            series_count_ = 0;
            interval_ms_ = std::max(interval_ms_ - speed_step_ms_, speed_step_ms_);
        }
        pending_.push_back({Change::picture_shown, now_ms_, pause_ms_});
        if (syllable_shown_)
            pending_.push_back({Change::syllable_hidden, now_ms_, 0});
        syllable_shown_ = false;
    }

    void end_pause()
    {
        now_ms_ += pause_ms_;
        pending_.push_back({Change::picture_hidden, now_ms_, pause_ms_});
        pause_ms_ = 0;
    }

    std::int64_t interval_ms_;
    std::int64_t speed_step_ms_;
    std::int64_t elapsed_ms_;
    std::int64_t now_ms_ = 0;
    std::int64_t pause_ms_ = 0; // while the picture is up
    int flash_count_ = 0;
    int series_count_ = 0;
    bool syllable_shown_ = false;
    std::deque<Event> pending_;
};

} // namespace klankflits::testing
