#pragma once
// Programs a test runs as a person runs them: by path, no shell, their output into files.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct TProgram {
    std::vector<std::string> Args;         // the program first
    std::vector<std::string> Environment;  // NAME=VALUE, beside the test's own
    std::filesystem::path Out, Err;        // where standard output and error go
};

// Raises std::runtime_error when the program cannot be started.
pid_t StartProgram(const TProgram& program);
// The exit status, or 128 + the signal that ended it, as a shell says it. A program still
// running after `timeout` is killed.
int WaitProgram(pid_t pid, std::chrono::seconds timeout = std::chrono::seconds(600));
