#pragma once
// What the fuzz targets share: the input as text, and as a file for the readers that take a path.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "tests/TempFolder.h"

inline std::string_view InputText(const uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input written to one file of this process, replaced on every call; the folder goes at exit.
inline std::string InputFile(const uint8_t* data, size_t size, const char* name)
{
    static TTempFolder folder("drowcast-fuzz");
    const std::string path = (folder.Path() / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
    return path;
}
