#include "tools/Toolsupport.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>

namespace tools {

void Fail(const std::filesystem::path& file, int line, std::string_view why)
{
    std::string where = file.string();
    if (line > 0)
        where += ":" + std::to_string(line);
    throw ToolError(where + ": " + std::string(why));
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        Fail(file, 0, "cannot open");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<TSourceLine> ReadLines(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        Fail(file, 0, "cannot open");
    std::vector<TSourceLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#')
            continue;
        const auto last = text.find_last_not_of(" \t");
        lines.push_back({number, text.substr(first, last - first + 1)});
    }
    return lines;
}

std::vector<std::string> SplitWords(std::string_view text, size_t maxWords)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        i = text.find_first_not_of(" \t", i);
        if (i == std::string_view::npos)
            break;
        const size_t end = words.size() + 1 == maxWords ? text.size() : std::min(text.find_first_of(" \t", i), text.size());
        words.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

bool ParseNumber(std::string_view text, uint64_t max, uint64_t& value)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() && value <= max;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        Fail(file, 0, "cannot write");
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

int Run(int argc, char** argv, int wantArgs, const char* usage, void (*body)(char** argv))
{
    if (argc != wantArgs + 1) {
        std::cerr << "usage: " << argv[0] << " " << usage << "\n";
        return 2;
    }
    try {
        body(argv);
        return 0;
    } catch (const ToolError& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}

}  // namespace tools
