// Locking, copying and putting back an Access database file byte for byte.
#include "mailinglist/access/AccessDatabaseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/MarrowbyError.h"
#include "mailinglist/ListFile.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

constexpr size_t kChunk = 1 << 20;

std::optional<std::uint64_t> StatvfsFreeSpace(const std::string& folder) {
    struct statvfs info {};
    if (statvfs(folder.c_str(), &info) != 0) return std::nullopt;
    return std::uint64_t(info.f_bavail) * std::uint64_t(info.f_frsize);
}

FreeSpaceProbe& Probe() {
    static FreeSpaceProbe probe = StatvfsFreeSpace;
    return probe;
}

std::string Reason(int error) { return std::strerror(error); }

off_t SizeOf(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 ? info.st_size : -1;
}

// Copies every byte of from into to at the same offsets and cuts to where from ends;
// empty on success, else the reason.
std::string CopyBytes(int from, int to) {
    std::vector<char> buffer(kChunk);
    off_t at = 0;
    for (;;) {
        const ssize_t got = pread(from, buffer.data(), buffer.size(), at);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Reason(errno);
        if (got == 0) break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = pwrite(to, buffer.data() + done, size_t(got - done), at + done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return Reason(put < 0 ? errno : EIO);
            done += put;
        }
        at += got;
    }
    if (ftruncate(to, at) != 0 || fdatasync(to) != 0) return Reason(errno);
    return {};
}

bool SameBytes(int a, int b) {
    if (SizeOf(a) != SizeOf(b)) return false;
    std::vector<char> left(kChunk);
    std::vector<char> right(kChunk);
    for (off_t at = 0;; at += off_t(kChunk)) {
        const ssize_t n = pread(a, left.data(), kChunk, at);
        if (n < 0 || pread(b, right.data(), kChunk, at) != n) return false;
        if (n == 0) return true;
        if (std::memcmp(left.data(), right.data(), size_t(n)) != 0) return false;
    }
}

}  // namespace

void SetFreeSpaceProbe(FreeSpaceProbe probe) {
    Probe() = probe ? std::move(probe) : FreeSpaceProbe(StatvfsFreeSpace);
}

AccessDatabaseFile::AccessDatabaseFile(const std::string& path) : name_(LastPathComponent(path)) {
    // The copy goes beside the file itself, not beside a link to it.
    std::error_code error;
    path_ = fs::weakly_canonical(path, error).string();
    if (error) path_ = path;
    mode_t mode = 0;
    fd_ = OpenRegularFile(path_, O_RDWR, mode);
    if (fd_ < 0) {
        throw MarrowbyError("Marrowby cannot write to " + name_ + " (" +
                            (errno != 0 ? Reason(errno) : "it is not a file") +
                            "). Nothing was changed.");
    }
    if (!TryLockWholeFile(fd_)) {
        close(fd_);
        fd_ = -1;
        throw MarrowbyError(name_ +
                            " is in use by another program or another run of Marrowby. Try "
                            "again when it has finished. Nothing was changed.");
    }
}

AccessDatabaseFile::~AccessDatabaseFile() {
    if (fd_ >= 0) close(fd_);
}

fs::path AccessDatabaseFile::leftCopy() const {
    fs::path copy = path_;
    copy += ".backup";
    std::error_code error;
    return fs::exists(fs::symlink_status(copy, error)) ? copy : fs::path();
}

std::string AccessDatabaseFile::restoreFrom(const fs::path& copy) {
    const int from = open(copy.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return Reason(errno);
    std::string error = CopyBytes(from, fd_);
    if (error.empty() && !SameBytes(from, fd_)) error = "its bytes did not read back as saved";
    close(from);
    if (error.empty()) {
        std::error_code ignored;
        fs::remove(copy, ignored);
    }
    return error;
}

void AccessDatabaseFile::makeBackup() {
    const std::string& name = name_;
    const off_t size = SizeOf(fd_);
    const fs::path folder =
        fs::path(path_).has_parent_path() ? fs::path(path_).parent_path() : fs::path(".");
    const std::optional<std::uint64_t> free = Probe()(folder.string());
    if (size >= 0 && free && *free < std::uint64_t(size)) {
        const std::uint64_t megabytes = (std::uint64_t(size) + (1 << 20) - 1) >> 20;
        throw MarrowbyError("Marrowby could not make a backup copy of " + name +
                            ": not enough free space for the backup (" + std::to_string(megabytes) +
                            " MB needed). Nothing was changed.");
    }
    struct stat info {};
    fstat(fd_, &info);
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path backup = path_;
        backup += attempt == 0 ? ".backup" : ".backup" + std::to_string(attempt);
        // Never replaces a file: it may be the copy an interrupted run left behind.
        const int to =
            open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 0666);
        if (to < 0 && errno == EEXIST) continue;
        if (to < 0) {
            throw MarrowbyError("Marrowby could not make a backup copy of " + name + " (" +
                                Reason(errno) + "). Nothing was changed.");
        }
        // On disk before the first change to the database, so a crash cannot lose both.
        const std::string error = CopyBytes(fd_, to);
        close(to);
        if (!error.empty()) {
            std::error_code ignored;
            fs::remove(backup, ignored);
            throw MarrowbyError("Marrowby could not make a backup copy of " + name + " (" + error +
                                "). Nothing was changed.");
        }
        backup_ = backup;
        return;
    }
    throw MarrowbyError("Marrowby could not find a free name for a backup copy of " + name +
                        ". Nothing was changed.");
}

std::string AccessDatabaseFile::restoreBackup() noexcept {
    if (backup_.empty()) return {};
    const fs::path copy = std::exchange(backup_, fs::path());
    const std::string error = restoreFrom(copy);
    if (error.empty()) return " The database was left as it was before the run.";
    return " The database could not be put back as it was before the run (" + error +
           "); the copy made before the run is kept as " + LastPathComponent(copy.string()) + ".";
}

void AccessDatabaseFile::removeBackup() noexcept {
    if (backup_.empty()) return;
    std::error_code ignored;
    fs::remove(std::exchange(backup_, fs::path()), ignored);
}

}  // namespace marrowby
