#include "platform/SettingsFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

#include "engine/MarrowbyError.h"

namespace fs = std::filesystem;

LineList ReadLineList(const fs::path& file) {
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

void WriteLineList(const fs::path& file, const LineList& lines) {
    const fs::path scratch = file.string() + ".new";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines) out << line << "\r\n";
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(scratch, ignored);
            throw MarrowbyError("Cannot write file " + file.string());
        }
    }
    std::error_code error;
    fs::rename(scratch, file, error);
    if (error) {
        fs::remove(scratch, error);
        throw MarrowbyError("Cannot write file " + file.string());
    }
}

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
        return executableFolder;
    }
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = fs::path(home) / ".config";
    } else {
        base = fs::temp_directory_path();
    }
    const fs::path folder = base / "marrowby";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}
