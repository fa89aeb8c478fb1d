#include "host/FormFile.h"

#include <iostream>

#include "vcl50/Wholefiles.h"

namespace {

// Form files and scripts are text a person edits; anything near this size is a mistake.
constexpr size_t MaxFormFileSize = 64u << 20;

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view text)
{
    try {
        ReplaceFileBytes(path, text);
    } catch (const EFileAccessError& e) {
        throw EFCreateError(Format("Cannot create file \"%s\". %s", {path, e.Message()}));
    }
}

AnsiString ReadWholeFile(const std::string& path)
{
    try {
        return ReadFileBytes(path, MaxFormFileSize);
    } catch (const EFileAccessError& e) {
        throw EFOpenError(Format("Cannot open file \"%s\". %s", {path, e.Message()}));
    }
}

AnsiString ReadScriptText(const std::string& file)
{
    if (file != "-")
        return ReadWholeFile(file);
    AnsiString text;
    char buffer[65536];
    while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(std::cin.gcount()));
        if (text.size() > MaxFormFileSize)  // an endless source, /dev/zero, or a mistake
            throw EFOpenError("Cannot read standard input. File too large");
    }
    return text;
}
