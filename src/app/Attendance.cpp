#include "app/Attendance.h"

#include <cstdlib>
#include <string_view>

namespace marrowby {

namespace {
// The first platform of a list such as "xcb;offscreen".
std::string_view FirstPlatform(std::string_view platforms) {
    return platforms.substr(0, platforms.find(';'));
}

bool IsWindowless(std::string_view platform) {
    return platform == "offscreen" || platform == "minimal";
}
}  // namespace

DisplayEnvironment DisplayEnvironment::current() {
    const auto value = [](const char* name) {
        const char* text = std::getenv(name);
        return std::string(text != nullptr ? text : "");
    };
    return {value("QT_QPA_PLATFORM"), value("DISPLAY"), value("WAYLAND_DISPLAY"),
            value("XDG_SESSION_TYPE")};
}

std::string PlatformsToTry(const DisplayEnvironment& environment) {
    const std::string& asked = environment.platform;
    if (!asked.empty()) return IsWindowless(FirstPlatform(asked)) ? asked : asked + ";offscreen";
    const bool x11 = !environment.display.empty();
    const bool wayland = !environment.waylandDisplay.empty();
    if (!x11 && !wayland) return "offscreen";
    if (wayland && (!x11 || environment.sessionType == "wayland")) return "wayland;xcb;offscreen";
    return "xcb;offscreen";
}

bool ShowsWindows(const QString& platformName) { return !IsWindowless(platformName.toStdString()); }

std::string NoDisplayReason(const DisplayEnvironment& environment) {
    if (IsWindowless(FirstPlatform(environment.platform))) {
        return "QT_QPA_PLATFORM is " + environment.platform;
    }
    std::string reason;
    for (const auto& [name, value] : {std::pair{"DISPLAY", &environment.display},
                                      std::pair{"WAYLAND_DISPLAY", &environment.waylandDisplay}}) {
        if (value->empty()) continue;
        if (!reason.empty()) reason += " and ";
        reason += std::string(name) + " '" + *value + "'";
    }
    if (reason.empty()) return "neither DISPLAY nor WAYLAND_DISPLAY is set";
    return reason + " cannot be opened";
}

}  // namespace marrowby
