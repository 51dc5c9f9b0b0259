// The catalog is read by a forked child that only calls libmdb and then ends; the parent
// waits for it with a time limit and kills it when the limit passes.
#include "mailinglist/access/MdbCatalogCheck.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "mailinglist/access/MdbLibrary.h"

namespace marrowby {

bool MdbCatalogReadsInTime(const std::string& path, std::chrono::milliseconds limit) {
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        // libmdb reports its troubles on the standard streams; the parent gives its own message.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
        _exit(mdb != nullptr && mdb_read_catalog(mdb, MDB_TABLE) != nullptr ? 0 : 1);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace marrowby
