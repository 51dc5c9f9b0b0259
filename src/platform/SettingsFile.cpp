#include "platform/SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace fs = std::filesystem;

LineList ReadLineList(const fs::path& file) {
    CheckTrusted(file);
    std::error_code ignored;
    std::ifstream in(file, std::ios::binary);
    if (!in || fs::is_directory(file, ignored)) {
        throw MarrowbyError("Cannot open file " + file.string());
    }
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        throw MarrowbyError("Cannot open file " + file.string());
    }
    LineList lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

LineList ReadCompletedLineList(const fs::path& file, const LineList& defaults, bool* complete) {
    std::error_code error;
    const bool exists = fs::exists(file, error);
    LineList lines = exists ? ReadLineList(file) : LineList{};
    if (complete != nullptr) *complete = exists && lines.size() >= defaults.size();
    for (size_t i = lines.size(); i < defaults.size(); ++i) lines.push_back(defaults[i]);
    return lines;
}

void WriteLineList(const fs::path& file, const LineList& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes.append(line).append("\r\n");
    // A scratch file of its own, so that two programs saving the same settings at once
    // never write into one scratch file; it gets the mode a new file would get.
    std::string scratch = file.string() + ".new-XXXXXX";
    const int fd = ::mkstemp(scratch.data());
    if (fd < 0) throw MarrowbyError("Cannot write file " + file.string());
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool written = ::fchmod(fd, 0666 & ~mask) == 0;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = count > 0;
        if (written) done += static_cast<size_t>(count);
    }
    written = ::close(fd) == 0 && written;
    std::error_code error;
    if (written) fs::rename(scratch, file, error);
    if (!written || error) {
        fs::remove(scratch, error);
        throw MarrowbyError("Cannot write file " + file.string());
    }
}

SettingsEnvironment SettingsEnvironment::current() {
    const auto value = [](const char* name) {
        const char* text = std::getenv(name);
        return std::string(text != nullptr ? text : "");
    };
    SettingsEnvironment environment{value("XDG_CONFIG_HOME"), value("HOME"), "", geteuid()};
    if (const passwd* entry = getpwuid(environment.user); entry != nullptr && entry->pw_dir) {
        environment.passwordHome = entry->pw_dir;
    }
    return environment;
}

fs::path ConfigFolder(const SettingsEnvironment& environment) {
    if (fs::path xdg = environment.xdgConfigHome; xdg.is_absolute()) return xdg / "marrowby";
    fs::path home = environment.home;
    if (!home.is_absolute()) home = environment.passwordHome;
    if (!home.is_absolute()) {
        throw MarrowbyError(
            "Marrowby cannot find your home folder for its settings: HOME is not set and "
            "user id " +
            std::to_string(environment.user) + " has no home folder in the password database");
    }
    return home / ".config" / "marrowby";
}

void CheckTrusted(const fs::path& path, uid_t user, gid_t group) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return;
    const std::string refused = "; Marrowby does not use settings that others can change";
    if (status.st_uid != user && status.st_uid != 0) {
        throw MarrowbyError(path.string() + " belongs to another user (user id " +
                            std::to_string(status.st_uid) + ")" + refused);
    }
    if ((status.st_mode & S_IWOTH) != 0 ||
        ((status.st_mode & S_IWGRP) != 0 && status.st_gid != group)) {
        throw MarrowbyError(path.string() + " can be changed by other users" + refused);
    }
}

void CheckTrusted(const fs::path& path) { CheckTrusted(path, geteuid(), getegid()); }

namespace {
// An installed copy's bin folder is shared by every user (and writable by root), so its
// settings never go there. It is known by its menu entry, which every install lays out
// at the same place from the bin folder, whatever prefix it went to.
bool IsInstalledCopy(const fs::path& executableFolder) {
    std::error_code ignored;
    return fs::exists(executableFolder / MARROWBY_INSTALLED_MARKER, ignored);
}
}  // namespace

fs::path ProgramFolder(const fs::path& executableFolder) {
    if (!IsInstalledCopy(executableFolder) && access(executableFolder.c_str(), W_OK) == 0) {
        CheckTrusted(executableFolder);
        return executableFolder;
    }
    const fs::path folder = ConfigFolder(SettingsEnvironment::current());
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    // Created for the user alone; an existing folder is checked as it is.
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw MarrowbyError("Marrowby cannot create its settings folder " + folder.string() + ": " +
                            std::strerror(errno));
    }
    CheckTrusted(folder);
    return folder;
}

}  // namespace marrowby
