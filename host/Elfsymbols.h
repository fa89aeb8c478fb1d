#pragma once
// Reads an exported data object straight from a module file, without loading the module, so
// that inspecting a package runs none of its code.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vcl50/Sysutils.h"

// The file is no 64-bit little-endian ELF module, or its tables do not hold together.
VCL_EXCEPTION_CLASS(EModuleFileError, Exception);

// The bytes of the exported object `symbol` in the module file; nothing when the module does not
// export it. Raises EFOpenError when the file cannot be read and EModuleFileError when it is no
// module or is damaged; every offset and size in the file is checked.
std::optional<std::vector<uint8_t>> ReadExportedObject(const std::string& path, const std::string& symbol);
