// Bitmap resources made into .bmp files: the file header's size and pixel-data offset for each kind
// of bitmap header, and bitmaps too short for what their header says refused.

#include <gtest/gtest.h>

#include "host/BitmapFile.h"
#include "vcl50/Resourcedirectory.h"

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void Put(std::vector<uint8_t>& dib, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        dib[at + i] = static_cast<uint8_t>(value >> 8 * i);
}

// A bitmap with the header fields that decide the offset; `size` bytes in all.
std::vector<uint8_t> Dib(uint32_t headerSize, uint16_t bits, uint32_t compression, uint32_t coloursUsed, size_t size)
{
    std::vector<uint8_t> dib(size);
    Put(dib, 0, headerSize, 4);
    if (headerSize == 12) {
        Put(dib, 10, bits, 2);
    } else {
        Put(dib, 14, bits, 2);
        Put(dib, 16, compression, 4);
        Put(dib, 32, coloursUsed, 4);
    }
    return dib;
}

}  // namespace

TEST(BitmapFile, OffsetCountsHeaderMasksAndPalette)
{
    const struct {
        const char* what;
        std::vector<uint8_t> dib;
        uint32_t offset;
    } cases[] = {
        {"16 colours, the palette icons' kind", Dib(40, 4, 0, 0, 392), 14 + 40 + 16 * 4},
        {"256 colours, 2 used", Dib(40, 8, 0, 2, 100), 14 + 40 + 2 * 4},
        {"true colour, no palette", Dib(40, 24, 0, 0, 100), 14 + 40},
        {"16 bits with masks after the header", Dib(40, 16, 3, 0, 100), 14 + 40 + 12},
        {"alpha masks after the header", Dib(40, 32, 6, 0, 100), 14 + 40 + 16},
        {"a later header holds its masks", Dib(124, 32, 3, 0, 200), 14 + 124},
        {"the old header, 3-byte entries", Dib(12, 8, 0, 0, 800), 14 + 12 + 256 * 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> file = BitmapFileOf(c.dib);
        ASSERT_EQ(file.size(), 14 + c.dib.size());
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(U32(file, 2), file.size());
        EXPECT_EQ(U32(file, 6), 0u);
        EXPECT_EQ(U32(file, 10), c.offset);
        EXPECT_TRUE(std::equal(c.dib.begin(), c.dib.end(), file.begin() + 14));
    }
}

TEST(BitmapFile, BitmapsShorterThanTheirHeaderSaysAreRefused)
{
    const std::vector<uint8_t> refused[] = {
        {40, 0, 0},                // no room for the header size
        Dib(20, 4, 0, 0, 40),      // no header of that kind
        Dib(40, 4, 0, 0, 40),      // 16 palette entries missing
        Dib(40, 8, 0, 300, 1000),  // 300 used colours run past the end
        std::vector<uint8_t>{40, 0, 0, 0, 0},
    };
    for (const auto& dib : refused)
        EXPECT_THROW(BitmapFileOf(dib), EResourceError) << dib.size() << " bytes";
}
