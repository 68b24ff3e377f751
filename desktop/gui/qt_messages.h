#pragma once

namespace klankflits
{

// What Qt itself says on stderr, for the whole run. Made before the
// application object, so that it also hears the start-up:
//
// - Where no screen can be opened (no display set, a display that cannot be
//   reached, a Wayland session without Qt's Wayland plugin), Qt would abort
//   with English advice to reinstall. Instead the user is told plainly, in
//   Dutch and in English, that no screen could be opened and why, and the
//   program ends with status 1.
// - Qt's note that XDG_RUNTIME_DIR is not set, after which Qt uses a private
//   folder of its own, is left out: it needs no action from anybody.
// - Everything else goes out as Qt would write it.
class QtMessages
{
public:
    QtMessages();
    ~QtMessages();
    QtMessages(const QtMessages&) = delete;
    QtMessages& operator=(const QtMessages&) = delete;

    // The application object exists: a screen was opened.
    void started();
};

} // namespace klankflits
