// A fresh folder for one test's files, removed with everything in it afterwards, and the
// other file chores of tests.
#pragma once

#include <filesystem>
#include <string>

namespace marrowby {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes bytes exactly as given and returns the file's full path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

// Makes a folder the current one for as long as it lives, then goes back.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::filesystem::path previous_;
};

// The bytes of any file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace marrowby
