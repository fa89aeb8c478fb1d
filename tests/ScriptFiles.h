#pragma once
// What the suites that replay designer scripts share: reading a file whole, the scripts of a
// folder, a test name made from a script's name, and a run of drowcast-host.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

std::string ReadText(const std::filesystem::path& path);
// The names (without ".dscript") of the scripts in `folder`, sorted.
std::vector<std::string> ScriptNames(const std::filesystem::path& folder);
// "dialog-blocks" becomes "dialog_blocks": test names allow no '-'.
std::string ScriptTestName(const testing::TestParamInfo<std::string>& info);

struct THostRun {
    int Status;
    std::string Out;
    std::string Err;
};
// Plays `script` with the drowcast-host program `host` on `package`, in `folder`, where the
// script's own files go; `environment` (NAME='VALUE'...) is set for the run. A run ended by a
// signal has the status a shell gives it: 128 + the signal's number.
THostRun PlayHostScript(const std::string& host, const std::string& package, const std::filesystem::path& folder,
                        const std::string& script, const std::string& environment = "");
