// Another program holding a lock on a file, for tests of what a run does when it finds one.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace marrowby {

// A child process takes a lock on the file (a whole-file lock, or a write lock on `length`
// bytes from `start`) and holds it until the descriptor returned is closed; wait for the
// child afterwards. Record locks of the test's own process would not do: any close of the
// file by the code under test drops them.
inline int LockInAnotherProcess(const std::filesystem::path& file, bool recordLock, off_t start = 0,
                                off_t length = 0) {
    int ready[2];
    int release[2];
    EXPECT_EQ(::pipe(ready), 0);
    EXPECT_EQ(::pipe(release), 0);
    if (::fork() == 0) {
        ::close(release[1]);
        const int fd = ::open(file.c_str(), O_RDWR);
        struct flock record {};
        record.l_type = F_WRLCK;
        record.l_whence = SEEK_SET;
        record.l_start = start;
        record.l_len = length;
        const bool taken =
            recordLock ? ::fcntl(fd, F_SETLK, &record) == 0 : ::flock(fd, LOCK_EX) == 0;
        const char answer = taken ? 'y' : 'n';
        (void)!::write(ready[1], &answer, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char answer = 'n';
    EXPECT_EQ(::read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y') << "the other process could not lock " << file;
    ::close(ready[0]);
    return release[1];
}

}  // namespace marrowby
