// A text file written through a scratch file in its own folder: the scratch file is
// renamed over the target only once it is complete and on disk, so a failed run never
// leaves the target half written or missing.
#pragma once

#include <string>
#include <string_view>

class ReplacementFile {
  public:
    // Creates the scratch file (in target's folder). Throws MarrowbyError with the reason.
    ReplacementFile(const std::string& target, const std::string& scratch);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Writes the line followed by CR LF. Throws MarrowbyError on a write error.
    void writeLine(std::string_view line);
    // Flushes, gives the scratch file the target's permissions (when the target exists)
    // and renames it over the target. Throws MarrowbyError; the target is then unchanged.
    void commit();
    // Removes the scratch file; the target stays as it was. Never throws.
    void abandon() noexcept;

    const std::string& scratchPath() const { return scratch_; }

  private:
    void flushBuffer();
    [[noreturn]] void fail(const std::string& what, int error);

    std::string target_;
    std::string scratch_;
    std::string buffer_;
    int descriptor_ = -1;
};

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// The scratch file of a mailing list: "mrbtemp.txt" in the list's folder, unless the
// list has that name itself.
std::string ScratchFileFor(const std::string& list);
