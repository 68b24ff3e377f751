#pragma once

#include "support/engine_session.h"

#include <cstdint>
#include <string>

namespace klankflits::testing
{

// The engine, a recording view and an ideal clock: Timer1 ticks every 10 ms
// while enabled, Timer2 fires once its interval has passed since it was enabled.
// Starts as the exercise window does on load: first syllable drawn, Timer1 on.
class SimulatedWindow : public EngineSession
{
public:
    std::int64_t now_ms = 0;

    explicit SimulatedWindow(std::uint64_t seed = 1, std::int32_t interval_ms = 2000,
                             std::int32_t speed_step_ms = 100)
        : EngineSession({seed, interval_ms, speed_step_ms})
    {
    }

    // Advances the clock by one 10 ms slot and delivers what falls due in it.
    void advance_10ms()
    {
        now_ms += 10;
        if (view.timer2_enabled && now_ms >= pause_end_ms_) {
            pause_started_ = false;
            sequencer.timer2_tick();
        } else if (view.timer1_enabled) {
            sequencer.timer1_tick();
        }
        if (view.timer2_enabled && !pause_started_) {
            pause_started_ = true;
            pause_end_ms_ = now_ms + view.timer2_interval_ms;
        }
    }

    void advance_ms(std::int64_t ms)
    {
        for (std::int64_t t = 0; t < ms; t += 10)
            advance_10ms();
    }

    // Runs until the next view operation that matches `entry`, at most `limit_ms`.
    bool run_until_logged(const std::string& entry, std::int64_t limit_ms = 100'000)
    {
        auto seen = view.log.size();
        for (std::int64_t t = 0; t < limit_ms; t += 10) {
            advance_10ms();
            for (; seen < view.log.size(); ++seen)
                if (view.log[seen] == entry)
                    return true;
        }
        return false;
    }

private:
    bool pause_started_ = false;
    std::int64_t pause_end_ms_ = 0;
};

} // namespace klankflits::testing
