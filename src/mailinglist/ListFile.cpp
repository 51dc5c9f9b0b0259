// Opening, identifying, locking and naming mailing-list files of every kind.
#include "mailinglist/ListFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

const char* KindOfNonFile(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "a device";
}

}  // namespace

int OpenRegularFile(const std::string& path, int flags, mode_t& mode) {
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    const int descriptor = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return -1;
    struct stat status {};
    const int error = ::fstat(descriptor, &status) != 0 ? errno : 0;
    if (error != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        mode = status.st_mode;
        errno = error;
        return -1;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

int OpenListFile(const std::string& path, int flags) {
    mode_t mode = 0;
    const int descriptor = OpenRegularFile(path, flags, mode);
    if (descriptor >= 0) return descriptor;
    if (errno != 0) {
        throw MarrowbyError("Cannot open file " + LastPathComponent(path) + ": " +
                            std::strerror(errno));
    }
    throw MarrowbyError(LastPathComponent(path) + " is " + KindOfNonFile(mode) +
                        ", not a file: it cannot hold a mailing list.");
}

bool FileIdentity::operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

FileIdentity IdentityOf(int descriptor, const std::string& path) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        throw MarrowbyError("Cannot read file " + LastPathComponent(path) + ": " +
                            std::strerror(errno));
    }
    return IdentityOf(status);
}

FileIdentity IdentityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

bool TryLockWholeFile(int descriptor) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) return false;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return ::fcntl(descriptor, F_OFD_SETLK, &whole) == 0;
}

bool AnyWriteBit(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

std::string LastPathComponent(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace marrowby
