#include "vcl50/Resourcedirectory.h"

#include <cstring>

const char* EResourceError::ClassName() const { return "EResourceError"; }

namespace {

uint32_t ReadU32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::string_view TextAt(std::span<const uint8_t> block, uint32_t offset, size_t entry, const char* what)
{
    if (offset >= block.size())
        throw EResourceError(Format("Resource entry %d: %s offset %u is outside the directory",
                                    {static_cast<int>(entry), what, offset}));
    const auto* start = reinterpret_cast<const char*>(block.data() + offset);
    const void* end = std::memchr(start, 0, block.size() - offset);
    if (!end)
        throw EResourceError(Format("Resource entry %d: %s is not terminated", {static_cast<int>(entry), what}));
    return {start, static_cast<size_t>(static_cast<const char*>(end) - start)};
}

}  // namespace

std::vector<TResourceEntry> ParseResourceDirectory(std::span<const uint8_t> block)
{
    using namespace ResourceDirectory;
    if (block.size() < HeaderSize || std::memcmp(block.data(), Magic, sizeof Magic) != 0)
        throw EResourceError("No resource directory: the block is too short or lacks its mark");
    const uint32_t count = ReadU32(block.data() + 4);
    if (count > (block.size() - HeaderSize) / EntrySize)
        throw EResourceError(Format("Resource directory claims %u entries but holds room for %u",
                                    {count, static_cast<unsigned>((block.size() - HeaderSize) / EntrySize)}));
    std::vector<TResourceEntry> entries;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = block.data() + HeaderSize + i * EntrySize;
        TResourceEntry entry;
        entry.Record = record;
        entry.Type = TextAt(block, ReadU32(record), i, "type");
        entry.Name = TextAt(block, ReadU32(record + 4), i, "name");
        const uint32_t dataOffset = ReadU32(record + 8);
        const uint32_t size = ReadU32(record + 12);
        if (dataOffset > block.size() || size > block.size() - dataOffset)
            throw EResourceError(Format("Resource %s: its %u bytes at offset %u run past the directory",
                                        {entry.Name, size, dataOffset}));
        entry.Data = block.subspan(dataOffset, size);
        entry.Language = static_cast<uint16_t>(record[16] | record[17] << 8);
        entries.push_back(entry);
    }
    return entries;
}
