// Who can see the program's windows and answer its questions: decided once at start-up,
// before any window exists, and passed to everything that would otherwise wait for somebody.
#pragma once

#include <QString>
#include <string>

namespace marrowby {

enum class Attendance {
    // Somebody at a display answers every dialog.
    Attended,
    // FILE NOSTOP on a display: no identification dialog and no final message; other
    // messages are still shown.
    Unattended,
    // FILE NOSTOP without a usable display: no window at all, messages on standard error
    // and no pauses.
    Headless,
};

// The environment variables that choose the display, empty when unset.
struct DisplayEnvironment {
    std::string platform;        // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE

    static DisplayEnvironment current();
};

// The Qt platforms to try in order: the one asked for (or the usual choice for the
// session), then offscreen, so that a display that cannot be opened ends in "no display"
// instead of aborting the process.
std::string PlatformsToTry(const DisplayEnvironment& environment);

// Whether Qt's platform shows windows to anybody.
bool ShowsWindows(const QString& platformName);

// Why there is no usable display, for the message of a start that needs one.
std::string NoDisplayReason(const DisplayEnvironment& environment);

}  // namespace marrowby
