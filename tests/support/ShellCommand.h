// Runs a shell command for tests that start the real executable, collecting what it
// writes to the standard output.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace marrowby {

struct ShellResult {
    int status;  // the exit status, 128 + the signal for a process ended by one
    std::string output;
};

inline ShellResult RunShellCommand(const std::string& command) {
    ShellResult result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer;
    while (const size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.status = 128 + WTERMSIG(status);
    return result;
}

}  // namespace marrowby
