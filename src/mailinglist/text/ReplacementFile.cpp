#include "mailinglist/text/ReplacementFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"
#include "mailinglist/ListFile.h"

namespace marrowby {

namespace {

constexpr size_t kFlushSize = 1 << 20;

// Gives the scratch file the owner, group and permissions of the file it will replace, or
// the permissions a newly created file gets. The owner is kept only where the process may.
void TakeOwnershipAndMode(int scratch, const std::string& file) {
    struct stat existing {};
    if (::stat(file.c_str(), &existing) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(scratch, 0666 & ~mask);
        return;
    }
    if (::fchown(scratch, existing.st_uid, existing.st_gid) != 0) {
        // An ordinary user may still give the file its group when a member of it.
        [[maybe_unused]] const int ignored =
            ::fchown(scratch, static_cast<uid_t>(-1), existing.st_gid);
    }
    ::fchmod(scratch, existing.st_mode & 07777);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string FileBehind(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

ReplacementFile::ReplacementFile(const std::string& target)
    : target_(target), file_(FileBehind(target)) {
    createScratch();
}

ReplacementFile::ReplacementFile(const std::string& target, const FileIdentity& read)
    : target_(target), file_(FileBehind(target)), read_(read) {
    list_ = OpenListFile(file_, O_RDWR);
    if (!TryLockWholeFile(list_)) {
        closeList();
        throw MarrowbyError("Marrowby cannot add barcodes to " + LastPathComponent(target_) +
                            ": another application is using it. The file was not changed.");
    }
    requireSameFile(IdentityOf(list_, target_));
    createScratch();
}

void ReplacementFile::requireSameFile(const FileIdentity& identity) {
    if (identity == *read_) return;
    abandon();
    throw MarrowbyError("Marrowby cannot add barcodes to " + LastPathComponent(target_) +
                        ": it has changed since it was opened. The file was not changed; open "
                        "it again to add the barcodes.");
}

ReplacementFile::~ReplacementFile() { abandon(); }

void ReplacementFile::createScratch() {
    // A name of its own, made exclusively: two runs in one folder, or a user's file
    // of any name, never meet the scratch file. It starts readable by its owner only.
    std::string name = FolderOf(file_) + "/mrbtemp-XXXXXX.txt";
    descriptor_ = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (descriptor_ < 0) {
        const int error = errno;
        closeList();
        throw MarrowbyError("Marrowby could not create this output file. (" + FolderOf(file_) +
                            ": " + std::strerror(error) + ")");
    }
    scratch_ = name;
    writer_.emplace(descriptor_);
    TakeOwnershipAndMode(descriptor_, file_);
    buffer_.reserve(kFlushSize + 4096);
}

void ReplacementFile::fail(const std::string& what, int error) {
    const std::string reason = std::strerror(error);
    abandon();
    throw MarrowbyError("Marrowby could not " + what + " " + LastPathComponent(target_) + ": " +
                        reason + ". The file was not changed.");
}

// The block goes to the writer's thread while the run fills the next; a block that failed
// is reported here, at the next hand-over, or at the commit, as if it had just been written.
void ReplacementFile::flushBuffer() {
    if (buffer_.empty()) return;
    const off_t offset = written_;
    written_ += static_cast<off_t>(buffer_.size());
    const BlockWriter::Release release{list_, listReleased_, listRead_};
    listReleased_ = listRead_;
    if (const int error = writer_->write(buffer_, offset, release); error != 0) {
        fail("write", error);
    }
    buffer_.reserve(kFlushSize + 4096);
}

void ReplacementFile::finishWriting() {
    flushBuffer();
    if (const int error = writer_->finish(); error != 0) fail("write", error);
}

void ReplacementFile::writeLine(std::string_view line) {
    buffer_.append(line);
    endLine();
}

void ReplacementFile::endLine() {
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushSize) flushBuffer();
}

void ReplacementFile::checkUnchanged() {
    struct stat now {};
    if (::stat(file_.c_str(), &now) != 0) fail("replace", errno);
    if (IdentityOf(now) == *read_ && IdentityOf(list_, target_) == *read_) return;
    abandon();
    throw MarrowbyError(LastPathComponent(target_) +
                        " was changed by another program during the run. Marrowby left it as "
                        "that program made it and stored no barcodes; run again to add them.");
}

void ReplacementFile::commit() {
    finishWriting();
    if (::fsync(descriptor_) != 0) fail("write", errno);
    if (read_) checkUnchanged();
    struct stat existing {};
    const bool severalNames =
        ::stat(file_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) && existing.st_nlink > 1;
    if (!severalNames) {
        renameOver();
    } else {
        if (list_ < 0) list_ = OpenListFile(file_, O_WRONLY);
        writeInto(list_);
    }
    closeList();
}

void ReplacementFile::renameOver() {
    writer_.reset();
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) fail("write", errno);
    if (::rename(scratch_.c_str(), file_.c_str()) != 0) fail("replace", errno);
    scratch_.clear();
    const int folder = ::open(FolderOf(file_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

// Every name of a file with several names must see the new content, so it is copied into
// the same file from the complete scratch copy. The room it needs is taken first: a full
// disk then stops the run before the file's first byte changes.
void ReplacementFile::writeInto(int file) {
    struct stat existing {};
    if (::fstat(file, &existing) != 0) fail("replace", errno);
    if (written_ > existing.st_size) {
        const int error = ::posix_fallocate(file, existing.st_size, written_ - existing.st_size);
        if (error != 0) {
            [[maybe_unused]] const int ignored = ::ftruncate(file, existing.st_size);
            fail("make room in", error);
        }
    }
    std::vector<char> block(kFlushSize);
    off_t done = 0;
    int error = 0;
    while (done < written_ && error == 0) {
        const ssize_t got = ::pread(descriptor_, block.data(), block.size(), done);
        if (got <= 0) {
            error = got < 0 ? errno : EIO;
            if (error == EINTR) error = 0;
            continue;
        }
        ssize_t put = 0;
        while (put < got && error == 0) {
            const ssize_t n = ::pwrite(file, block.data() + put, size_t(got - put), done + put);
            if (n > 0) put += n;
            if (n < 0 && errno != EINTR) error = errno;
        }
        done += put;
    }
    if (error == 0 && ::ftruncate(file, written_) != 0) error = errno;
    if (error == 0 && ::fsync(file) != 0) error = errno;
    if (error != 0) {
        // The file is part new, part old: the scratch copy is the only complete one now.
        const std::string kept = scratch_;
        ::close(descriptor_);
        descriptor_ = -1;
        scratch_.clear();
        closeList();
        throw MarrowbyError("Marrowby could not finish writing " + LastPathComponent(target_) +
                            ": " + std::strerror(error) +
                            ". The complete list with its barcodes "
                            "is in " +
                            kept + "; copy it over " + LastPathComponent(target_) + ".");
    }
    abandon();
}

void ReplacementFile::closeList() noexcept {
    if (list_ >= 0) {
        ::close(list_);
        list_ = -1;
    }
}

void ReplacementFile::abandon() noexcept {
    writer_.reset();
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!scratch_.empty()) {
        ::unlink(scratch_.c_str());
        scratch_.clear();
    }
    closeList();
}

}  // namespace marrowby
