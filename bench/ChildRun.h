#pragma once
// A program run as a child process and measured the way the export benchmarks compare programs:
// its CPU time (user and system), its wall time and its peak memory.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct TChildRun {
    double Cpu = 0;   // seconds
    double Wall = 0;  // seconds
    double PeakMiB = 0;
};

// Runs `argv` (searched on PATH) in `folder` (the current one when empty) with its standard
// output to `output` (nowhere when empty); nothing when it cannot start or does not exit with 0.
std::optional<TChildRun> RunChild(const std::vector<std::string>& argv, const std::filesystem::path& folder = {},
                                  const std::filesystem::path& output = {});
