// Where nobody can answer a window: the Qt platforms tried at start-up and the reason given
// when no display can be used; and the real executable started by a script with no
// display, the offscreen or minimal platform, or a display that does not answer. An
// unattended run ends with its status and its messages on standard error, at once and
// without a box.
#include <chrono>

#include <gtest/gtest.h>

#include "ShellCommand.h"
#include "TempFolder.h"
#include "app/Attendance.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {
// A display number nothing listens on.
const std::string DeadDisplay = ":97";

const std::string NoDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
const std::string Offscreen = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen";
const std::string Minimal = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=minimal";
const std::string DeadX = "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=" + DeadDisplay;
const std::string DeadXcb = "env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=" + DeadDisplay;

std::string SampleList() {
    return ReadBytes(fs::path(MARROWBY_SOURCE_DIR) / "examples" / "customers-tab.txt");
}
}  // namespace

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

TEST(UnattendedRun, EndsWithItsStatusAndMessagesOnStandardErrorWithoutADisplay) {
    ASSERT_FALSE(fs::exists("/tmp/.X11-unix/X" + DeadDisplay.substr(1)));
    const std::string sample = SampleList();
    ASSERT_FALSE(sample.empty());
    struct Case {
        std::string environment;
        std::string list;      // the file of "LIST NOSTOP"; empty: an interactive start
        std::string contents;  // of the list; "-": no file at all
        int status;
        std::string message;  // the start of standard error; empty for none
    } cases[] = {
        {NoDisplay, "customers.txt", sample, 0, ""},
        {Offscreen, "customers.txt", sample, 0, ""},
        {DeadX, "customers.txt", sample, 0, ""},
        {DeadXcb, "customers.txt", sample, 0, ""},
        // Failures that used to wait for ever on a box nobody could see.
        {Offscreen, "empty.txt", "", 1, "marrowby: empty.txt "},
        {Minimal, "binary.txt", std::string("a\0b\r\n", 5), 1, "marrowby: binary.txt "},
        {DeadX, "short.dbf", "x", 1, "marrowby: "},
        {Offscreen, "missing.txt", "-", 1, "marrowby: "},
        // Nobody could use the main window: refused, not aborted.
        {Offscreen, "", "", 1,
         "marrowby: no usable display (QT_QPA_PLATFORM is offscreen); only a run with "
         "FILE NOSTOP works without one\n"},
        {DeadXcb, "", "", 1, "marrowby: no usable display (DISPLAY ':97' cannot be opened)"},
        {NoDisplay, "", "", 1,
         "marrowby: no usable display (neither DISPLAY nor WAYLAND_DISPLAY is set)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment + " " + c.list);
        TempFolder folder;
        const fs::path executable = folder.path() / "marrowby";
        fs::copy_file(MARROWBY_EXE, executable);
        std::string arguments;
        if (!c.list.empty()) {
            if (c.contents != "-") folder.write(c.list, c.contents);
            arguments = "'" + (folder.path() / c.list).string() + "' NOSTOP";
        }
        const auto start = std::chrono::steady_clock::now();
        const ShellResult result =
            RunShellCommand(c.environment + " timeout 20 '" + executable.string() + "' " +
                            arguments + " 2>&1 >/dev/null");
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(result.status, c.status) << result.output;
        EXPECT_EQ(result.output.substr(0, c.message.size()), c.message);
        if (c.message.empty()) {
            EXPECT_EQ(result.output, "");
        }
        // Nothing waits: no welcome screen, no pauses in the progress picture.
        EXPECT_LT(elapsed, std::chrono::seconds(3));
        if (c.status == 0) {
            const std::string barcoded = folder.read(c.list);
            EXPECT_NE(barcoded.find("\t/770063315107/\r\n"), std::string::npos) << barcoded;
        }
    }
}

}  // namespace marrowby
