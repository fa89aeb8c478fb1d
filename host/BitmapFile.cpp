#include "host/BitmapFile.h"

#include "vcl50/Resourcedirectory.h"
#include "vcl50/Sysutils.h"

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;  // the old OS/2 header: 16-bit sizes, 3-byte palette entries
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t BitFields = 3, AlphaBitFields = 6;

uint32_t U16(std::span<const uint8_t> b, size_t at)
{
    return b[at] | b[at + 1] << 8;
}

uint32_t U32(std::span<const uint8_t> b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

[[noreturn]] void NoBitmap(const AnsiString& why)
{
    throw EResourceError("not a device-independent bitmap: " + why);
}

// Where the pixels start, counted from the start of the DIB.
uint64_t PixelDataOffset(std::span<const uint8_t> dib)
{
    if (dib.size() < 4)
        NoBitmap("shorter than its header size");
    const uint32_t headerSize = U32(dib, 0);
    if (headerSize != CoreHeaderSize && headerSize < InfoHeaderSize)
        NoBitmap(Format("a header of %d bytes", {static_cast<int64_t>(headerSize)}));
    if (dib.size() < headerSize)
        NoBitmap("shorter than its header");
    if (headerSize == CoreHeaderSize) {
        const uint32_t bits = U16(dib, 10);
        return headerSize + (bits <= 8 ? 3u << bits : 0u);
    }
    const uint32_t bits = U16(dib, 14);
    const uint32_t compression = U32(dib, 16);
    const uint32_t coloursUsed = U32(dib, 32);
    // Only the 40-byte header keeps its colour masks after it; the later headers hold them inside.
    uint64_t masks = 0;
    if (headerSize == InfoHeaderSize && compression == BitFields)
        masks = 12;
    else if (headerSize == InfoHeaderSize && compression == AlphaBitFields)
        masks = 16;
    const uint64_t colours = coloursUsed ? coloursUsed : bits <= 8 ? 1u << bits : 0u;
    return headerSize + masks + 4 * colours;
}

}  // namespace

std::vector<uint8_t> BitmapFileOf(std::span<const uint8_t> dib)
{
    const uint64_t offset = PixelDataOffset(dib);
    if (offset > dib.size())
        NoBitmap("its palette runs past its end");
    const uint64_t fileSize = FileHeaderSize + dib.size();
    if (fileSize > UINT32_MAX)
        NoBitmap("too large for a bitmap file");
    std::vector<uint8_t> file = {'B', 'M'};
    PutU32(file, static_cast<uint32_t>(fileSize));
    PutU32(file, 0);  // two reserved words
    PutU32(file, static_cast<uint32_t>(FileHeaderSize + offset));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}
