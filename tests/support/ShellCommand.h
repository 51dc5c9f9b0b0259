// Runs a shell command for tests that start the real executable, collecting what it
// writes to the standard output.
#pragma once

#include <string>

namespace marrowby {

struct ShellResult {
    int status;  // the exit status, 128 + the signal for a process ended by one
    std::string output;
};

ShellResult RunShellCommand(const std::string& command);

}  // namespace marrowby
