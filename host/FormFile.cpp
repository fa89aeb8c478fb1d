#include "host/FormFile.h"

#include <iostream>
#include <iterator>

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
    return AnsiString(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}
