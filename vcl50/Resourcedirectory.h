#pragma once
// The resource directory that the resource compiler builds into each module: one block of bytes
// with offsets instead of pointers, so it needs no relocation and reads the same from memory and
// from the module file.
//
// Layout, little-endian: the magic "RSRC", a 32-bit entry count, then per entry the 32-bit offsets
// of its type text, name text and data, the 32-bit data size and the 16-bit language, 16 zero bits;
// then zero-terminated texts and data blocks (each data block on an 8-byte boundary). Offsets count
// from the start of the block.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "vcl50/Sysutils.h"

// A resource directory that does not hold together: the message says where.
VCL_EXCEPTION_CLASS(EResourceError, Exception);

namespace ResourceDirectory {

inline constexpr char Magic[4] = {'R', 'S', 'R', 'C'};
inline constexpr size_t HeaderSize = 8;
inline constexpr size_t EntrySize = 20;
inline constexpr size_t DataAlignment = 8;
// The exported name of the block in every module.
inline constexpr char SymbolName[] = "VclResourceDirectory";
// The block's own read-only section. Every module exports the same name and is asked for its own
// block, so the name is shared by design; AddressSanitizer leaves data in a named section
// unregistered, and so does not take a module seeing another's block as a one-definition breach.
// A block read by offsets within its bounds needs no redzones of its own.
inline constexpr char SectionName[] = "vcl_resources";

}  // namespace ResourceDirectory

struct TResourceEntry {
    std::string_view Type;
    std::string_view Name;
    uint16_t Language = 0;
    std::span<const uint8_t> Data;
    const uint8_t* Record = nullptr;  // the entry's place in the block: what identifies it
};

// Views into `block`; raises EResourceError for any offset, size or text outside it.
std::vector<TResourceEntry> ParseResourceDirectory(std::span<const uint8_t> block);
