// Another program holding a lock on a file, for tests of what a run does when it finds one.
#pragma once

#include <sys/types.h>

#include <filesystem>

namespace marrowby {

// A child process takes a lock on the file (a whole-file lock, or a write lock on `length`
// bytes from `start`) and holds it until the descriptor returned is closed; wait for the
// child afterwards. Record locks of the test's own process would not do: any close of the
// file by the code under test drops them.
int LockInAnotherProcess(const std::filesystem::path& file, bool recordLock, off_t start = 0,
                         off_t length = 0);

}  // namespace marrowby
