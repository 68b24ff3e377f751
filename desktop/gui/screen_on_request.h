#pragma once

#include <memory>

namespace klankflits
{

// Keeps the screen on while it is held: no display power-off, no screen saver,
// as a video player does while it plays. The learner only watches the
// exercise, so nobody touches the mouse or keyboard for minutes.
//
// On Windows by the system's own call (SetThreadExecutionState, display
// required); on Linux by the desktop's screen-saver inhibition over the session
// bus (org.freedesktop.ScreenSaver). Where neither is there, holding does
// nothing. It never fails and never says anything: the exercise runs either way.
class ScreenOnRequest
{
public:
    ScreenOnRequest();
    ~ScreenOnRequest(); // releases
    ScreenOnRequest(const ScreenOnRequest&) = delete;
    ScreenOnRequest& operator=(const ScreenOnRequest&) = delete;

    // Holding while held does nothing; the hold lasts until released or
    // until this goes.
    void hold();
    void release();

private:
    struct Inhibition; // one per system: made when held, gone when released
    std::unique_ptr<Inhibition> inhibition_;
};

} // namespace klankflits
