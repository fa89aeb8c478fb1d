#pragma once
// What the suites that replay designer scripts share: reading a file whole, the scripts of a
// folder, and a test name made from a script's name.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

std::string ReadText(const std::filesystem::path& path);
// The names (without ".dscript") of the scripts in `folder`, sorted.
std::vector<std::string> ScriptNames(const std::filesystem::path& folder);
// "dialog-blocks" becomes "dialog_blocks": test names allow no '-'.
std::string ScriptTestName(const testing::TestParamInfo<std::string>& info);
