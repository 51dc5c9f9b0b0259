// The database file of a run that writes it: locked against other programs and other runs
// for the whole run, with a copy of its bytes beside it until the run has ended.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Bytes an ordinary user may still write on the file system holding folder; nullopt when
// it cannot be told. Tests put their own figure in its place.
using FreeSpaceProbe = std::function<std::optional<std::uint64_t>(const std::string& folder)>;
void SetFreeSpaceProbe(FreeSpaceProbe probe);  // an empty probe restores the real one

class AccessDatabaseFile {
  public:
    // Opens and locks the database (both kinds of lock other programs use). Throws
    // MarrowbyError when another program or run holds a lock, or the file cannot be opened.
    explicit AccessDatabaseFile(const std::string& path);
    ~AccessDatabaseFile();
    AccessDatabaseFile(const AccessDatabaseFile&) = delete;
    AccessDatabaseFile& operator=(const AccessDatabaseFile&) = delete;

    // The copy an earlier run made and did not remove, because it was interrupted; empty
    // when there is none.
    std::filesystem::path leftCopy() const;
    // Writes the bytes of copy back into the database (the same file, so that its links
    // stay) and removes copy once they read back equal. Empty on success, else the reason.
    std::string restoreFrom(const std::filesystem::path& copy);

    // Saves a copy beside the database under a name not yet used. Throws MarrowbyError,
    // leaving no partial copy, when there is not room for it or it cannot be written.
    void makeBackup();
    // After a failure: puts the copy back and says how that went, as a sentence to add to
    // the error message.
    std::string restoreBackup() noexcept;
    // After success.
    void removeBackup() noexcept;

  private:
    std::string name_;  // as the user named it
    std::string path_;  // the file itself, links followed
    int fd_ = -1;
    std::filesystem::path backup_;
};
