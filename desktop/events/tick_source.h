#pragma once

#include <QObject>

#include <functional>

namespace klankflits
{

class ExerciseTimers;
class TimerHandlers;

// What delivers the ticks of the exercise window's Timer1 and Timer2. The
// window owns one as a QObject child: the engine switches its timers(), and
// the window starts it on load and passes every speed-button click through
// between_ticks(). The program's own is PacedTimers; a test or a benchmark can
// hand the window another one.
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

    // The teacher's pause: while paused nothing of the exercise runs; on
    // resume the step under way starts again at its beginning.
    virtual void set_paused(bool paused) = 0;
};

} // namespace klankflits
