// Opening a mailing-list file of any kind without hanging on a pipe or a device, telling
// whether it is still the file that was read, locking it against other programs for a run,
// and naming it in messages.
#pragma once

#include <ctime>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

namespace marrowby {

// Opens path with the given flags, without waiting for a writer should it be a pipe, and
// returns the descriptor of a regular file. Otherwise returns -1, with errno saying why it
// could not be opened, or with errno 0 and its mode in `mode` when it is something else.
int OpenRegularFile(const std::string& path, int flags, mode_t& mode);

// Opens path with the given flags and returns the descriptor. Anything but a regular file
// (a pipe, a device, a folder) is refused without waiting for a writer. Throws
// MarrowbyError naming the file.
int OpenListFile(const std::string& path, int flags);

// What changes when another program rewrites, replaces, extends or cuts a file.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileIdentity& other) const;
};

// The identity of an open file. Throws MarrowbyError naming path.
FileIdentity IdentityOf(int descriptor, const std::string& path);
// The identity a stat or fstat found.
FileIdentity IdentityOf(const struct stat& status);

// Takes both kinds of exclusive lock other programs use (whole-file and record locks)
// without waiting; false when another open file holds either. The descriptor must be
// open for writing.
bool TryLockWholeFile(int descriptor);

// False when a file's permissions give nobody the right to write it; such a file is
// read-only even to a user whose rights would let the system write it anyway.
bool AnyWriteBit(mode_t mode);

// The last component of a path, as messages show file names.
std::string LastPathComponent(const std::string& path);

}  // namespace marrowby
