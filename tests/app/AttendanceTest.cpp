// The Qt platforms tried at start-up and the reason given when no display can be used.
#include "app/Attendance.h"

#include <gtest/gtest.h>

namespace marrowby {

TEST(Attendance, OffscreenIsTriedLastAndTheReasonNamesWhatWasAskedFor) {
    struct Case {
        DisplayEnvironment environment;
        std::string platforms;
        std::string reason;
    } cases[] = {
        {{}, "offscreen", "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {{"", ":0", "", ""}, "xcb;offscreen", "DISPLAY ':0' cannot be opened"},
        {{"", "", "wayland-0", ""},
         "wayland;xcb;offscreen",
         "WAYLAND_DISPLAY 'wayland-0' cannot be opened"},
        {{"", ":1", "wayland-0", "x11"},
         "xcb;offscreen",
         "DISPLAY ':1' and WAYLAND_DISPLAY 'wayland-0' cannot be opened"},
        {{"", ":1", "wayland-0", "wayland"},
         "wayland;xcb;offscreen",
         "DISPLAY ':1' and WAYLAND_DISPLAY 'wayland-0' cannot be opened"},
        // What a user asks for is tried first and kept as it is when it has no windows.
        {{"xcb", ":5", "", ""}, "xcb;offscreen", "DISPLAY ':5' cannot be opened"},
        {{"offscreen", ":0", "", ""}, "offscreen", "QT_QPA_PLATFORM is offscreen"},
        {{"minimal", "", "", ""}, "minimal", "QT_QPA_PLATFORM is minimal"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.platforms + " " + c.reason);
        EXPECT_EQ(PlatformsToTry(c.environment), c.platforms);
        EXPECT_EQ(NoDisplayReason(c.environment), c.reason);
    }
}

}  // namespace marrowby
