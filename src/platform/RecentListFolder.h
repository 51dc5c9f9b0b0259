// The folder of the last mailing list opened, kept in recent.dat in the program folder so
// that the open dialog starts there, in this run and the next ones.
#pragma once

#include <filesystem>
#include <string>

namespace marrowby {

inline constexpr const char* RecentFileName = "recent.dat";

class RecentListFolder {
  public:
    explicit RecentListFolder(std::filesystem::path file) : file_(std::move(file)) {}

    // The folder remembered, or empty when there is none yet or it no longer exists.
    std::string folder() const;
    // Remembers the folder of the list. Never throws: a folder that could not be
    // remembered only means the next dialog starts in the home folder.
    void remember(const std::string& listPath) noexcept;

  private:
    std::filesystem::path file_;
};

}  // namespace marrowby
