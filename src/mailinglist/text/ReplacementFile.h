// A text file written through a scratch file beside the file its path finally names: the
// target is replaced only once the scratch file is complete and on disk, so a failed run
// never leaves it half written or missing, and a mailing list is locked while it is rewritten.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mailinglist/ListFile.h"
#include "mailinglist/text/BlockWriter.h"

namespace marrowby {

class ReplacementFile {
  public:
    // A file of output: created, or replaced whatever it holds. Throws MarrowbyError.
    explicit ReplacementFile(const std::string& target);
    // A mailing list rewritten with its barcodes: locked against other programs for the
    // life of the object and replaced only while it is still the file that was read.
    // Throws MarrowbyError when it is in use or no longer that file.
    ReplacementFile(const std::string& target, const FileIdentity& read);
    ~ReplacementFile();
    // A list only: throws MarrowbyError, after abandoning, unless identity is the one read.
    void requireSameFile(const FileIdentity& identity);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Writes the line followed by CR LF. Throws MarrowbyError on a write error.
    void writeLine(std::string_view line);
    // For a line built in place, without a copy of its own: the caller appends its bytes
    // to pending() and then calls endLine(), which is writeLine's CR LF.
    std::string& pending() { return buffer_; }
    void endLine();
    // A list only: the run has read it up to `end`. Those bytes are dropped from the cache
    // on the writer's thread as the blocks are written: a replaced list's cached pages are
    // otherwise all freed at once, after the run, when its last descriptor is closed.
    void listReadUpTo(off_t end) { listRead_ = end; }
    // Flushes and puts the new content in place of the target's: by renaming the scratch
    // file over it, or, for a file with several names, by writing it into the same file
    // so that every name sees it. Throws MarrowbyError; the target is then unchanged
    // unless the message names the file that holds the complete new content.
    void commit();
    // Removes the scratch file and unlocks; the target stays as it was. Never throws.
    void abandon() noexcept;

    const std::string& scratchPath() const { return scratch_; }

  private:
    void createScratch();
    void flushBuffer();
    void finishWriting();
    void checkUnchanged();
    void renameOver();
    void writeInto(int file);
    void closeList() noexcept;
    [[noreturn]] void fail(const std::string& what, int error);

    std::string target_;  // as given, for messages
    std::string file_;    // the file it names once symbolic links are followed
    std::string scratch_;
    std::string buffer_;
    int descriptor_ = -1;                // the scratch file
    std::optional<BlockWriter> writer_;  // of the scratch file, ended before it is closed
    int list_ = -1;                      // the locked list
    std::optional<FileIdentity> read_;
    off_t written_ = 0;
    off_t listRead_ = 0;
    off_t listReleased_ = 0;
};

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// The file a path names once every symbolic link is followed; the path itself when it
// names nothing yet.
std::string FileBehind(const std::string& path);

}  // namespace marrowby
