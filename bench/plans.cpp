// How often the tick scheduler plans the next change: per desktop wake-up (as
// the QTimer tick source drives it: deliver, paint, plan) and per browser frame
// (as the page drives it: a frame, then when to ask for the next). Counted on
// an ideal clock from the engine's answers to the scheduler: every plan asks
// the engine once whether the syllable is up, and so does every change, once,
// when it is delivered.
//
//   klankflits_bench_plans [MINUTES]     (default 10, of simulated time)

#include "pacing/frame_pacing.h"
#include "support/engine_session.h"
#include "timing/tick_scheduler.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace
{

using klankflits::FrameTicks;
using klankflits::TickScheduler;
using klankflits::TimerHandlers;
using TimePoint = TickScheduler::TimePoint;
using namespace std::chrono_literals;

// The engine's handlers, counted.
struct CountingHandlers : TimerHandlers {
    TimerHandlers& engine;
    mutable std::int64_t shown_queries = 0;
    explicit CountingHandlers(TimerHandlers& e) : engine(e) {}
    void timer1_tick() override { engine.timer1_tick(); }
    void timer2_tick() override { engine.timer2_tick(); }
    std::int64_t ticks_until_next_step() const override { return engine.ticks_until_next_step(); }
    bool syllable_shown() const override
    {
        ++shown_queries;
        return engine.syllable_shown();
    }
};

struct Count {
    std::int64_t wake_ups = 0; // or frames asked for
    std::int64_t changes = 0;
    std::int64_t plans = 0;
};

Count desktop(std::int32_t interval_ms, std::chrono::minutes length)
{
    TickScheduler scheduler;
    klankflits::testing::EngineSession engine({7, interval_ms, 100}, scheduler);
    CountingHandlers handlers(engine.sequencer);
    const TimePoint origin{};
    scheduler.start(handlers, origin);
    Count count;
    auto next = scheduler.next_wake();
    while (next && *next < origin + length) {
        ++count.wake_ups;
        count.changes += scheduler.deliver(*next) ? 1 : 0;
        scheduler.painted(*next);
        next = scheduler.next_wake();
    }
    count.plans = handlers.shown_queries - count.changes;
    return count;
}

Count browser(std::int32_t interval_ms, std::chrono::minutes length)
{
    TickScheduler scheduler;
    FrameTicks ticks(scheduler);
    klankflits::testing::EngineSession engine({7, interval_ms, 100}, scheduler);
    CountingHandlers handlers(engine.sequencer);
    constexpr auto period = std::chrono::nanoseconds(16'666'667);
    const auto frame_time = [&](std::int64_t frame) { return TimePoint(frame * period); };
    ticks.start(handlers, frame_time(0));
    Count count;
    bool follows = false;
    for (std::int64_t frame = 1; frame_time(frame) < TimePoint(length); ++frame) {
        ++count.wake_ups;
        count.changes += ticks.frame(frame_time(frame), follows) ? 1 : 0;
        const auto sleep = ticks.sleep_after(frame_time(frame));
        if (!sleep)
            break;
        follows = *sleep == TickScheduler::Duration::zero();
        if (!follows) {
            const auto wake = (frame_time(frame) + *sleep).time_since_epoch();
            frame = std::max(frame, (wake + period - 1ns) / period - 1);
        }
    }
    count.plans = handlers.shown_queries - count.changes;
    return count;
}

void print(const char* what, std::int32_t interval_ms, const Count& c, const char* per)
{
    std::printf("%-8s interval %5d: %7lld %ss, %6lld changes, %7lld plans: %.2f plans per %s, "
                "%.2f per change\n",
                what, interval_ms, static_cast<long long>(c.wake_ups), per,
                static_cast<long long>(c.changes), static_cast<long long>(c.plans),
                static_cast<double>(c.plans) / static_cast<double>(c.wake_ups), per,
                static_cast<double>(c.plans) / static_cast<double>(c.changes));
}

} // namespace

int main(int argc, char** argv)
{
    const std::chrono::minutes length(argc > 1 ? std::atoi(argv[1]) : 10);
    for (const std::int32_t interval : {200, 2000}) {
        print("desktop", interval, desktop(interval, length), "wake-up");
        print("browser", interval, browser(interval, length), "frame");
    }
    return 0;
}
