#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

namespace klankflits
{

class ExerciseTimers;
class TimerHandlers;

// What delivers the ticks of the exercise window's Timer1 and Timer2. The
// window owns one as a QObject child: the engine switches its timers(), and
// the window starts it on load and passes every speed-button click through
// between_ticks(). The program's own is PacedTimers; a benchmark can hand the
// window another one.
class TickSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Timer1 and Timer2, as the engine switches them.
    virtual ExerciseTimers& timers() = 0;

    // The window has loaded: Timer1 runs from now, its ticks go to `handlers`.
    virtual void start(TimerHandlers& handlers) = 0;

    // Runs `input` (a click that changes the pace) in its place among the
    // ticks: after every tick due before it, and with the next wake-up planned
    // from what it changed.
    virtual void between_ticks(const std::function<void()>& input) = 0;

    // The state of the two timers, for tests and diagnostics.
    virtual bool timer1_enabled() const = 0;
    virtual bool timer2_enabled() const = 0;
    virtual std::int32_t timer2_interval() const = 0;
};

} // namespace klankflits
