#include "platform/RecentListFolder.h"

#include <exception>
#include <system_error>

#include "platform/SettingsFile.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {
// Line 1 says what the file is; line 2 holds the folder.
constexpr const char* kHeading = "Marrowby recent folders";
constexpr size_t kFolderLine = 1;
}  // namespace

std::string RecentListFolder::folder() const {
    std::error_code error;
    if (!fs::exists(file_, error)) return {};
    try {
        const LineList lines = ReadLineList(file_);
        if (lines.size() <= kFolderLine) return {};
        const std::string& folder = lines[kFolderLine];
        return fs::path(folder).is_absolute() && fs::is_directory(folder, error) ? folder
                                                                                 : std::string();
    } catch (const std::exception&) {
        // A file that cannot be read, or that others could have changed, is not followed.
        return {};
    }
}

void RecentListFolder::remember(const std::string& listPath) noexcept {
    try {
        std::error_code error;
        const fs::path folder = fs::absolute(listPath, error).parent_path();
        if (error || folder.empty() || folder.string() == this->folder()) return;
        WriteLineList(file_, {kHeading, folder.string()});
    } catch (const std::exception&) {
        // The list is open all the same; the next dialog starts in the home folder instead.
    }
}

}  // namespace marrowby
