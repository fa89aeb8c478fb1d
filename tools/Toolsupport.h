#pragma once
// What the build-time tools share: reading their text inputs line by line and writing outputs.
// Every failure is one line naming the file and the line, and a non-zero exit.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct TSourceLine {
    int Number;
    std::string Text;  // without outer blanks
};

// Raised with "FILE:LINE: why"; main prints it and exits 1.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::filesystem::path& file, int line, std::string_view why);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
// The lines of a text file that are neither blank nor comments (first non-blank character '#').
std::vector<TSourceLine> ReadLines(const std::filesystem::path& file);
// Blank-separated words; with `maxWords`, the last one is the rest of the line.
std::vector<std::string> SplitWords(std::string_view text, size_t maxWords = SIZE_MAX);
// Decimal or 0x-prefixed hexadecimal, within [0, max].
bool ParseNumber(std::string_view text, uint64_t max, uint64_t& value);
void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
void PutU32(std::vector<uint8_t>& out, uint32_t value);

// Runs `body` and turns a ToolError into its message on stderr and exit status 1.
int Run(int argc, char** argv, int wantArgs, const char* usage, void (*body)(char** argv));

}  // namespace tools
