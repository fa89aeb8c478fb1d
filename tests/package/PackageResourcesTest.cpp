#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>
#include <set>
#include <string>

#include "PackageTesting.h"
#include "vcl50/Resources.h"

namespace {

const char* const BitmapNames[] = {
    "TKASCIIEXPORT", "TKCLIPBOARDEXPORT", "TKDBFEXPORT", "TKEXCELEXPORT", "TKEXPORTDIALOG",
    "TKHTMLEXPORT", "TKLATEXEXPORT", "TKRTFEXPORT", "TKSQLEXPORT", "TKXMLEXPORT"};

// Blue, green, red of the standard 16 colours.
constexpr std::array<std::array<uint8_t, 3>, 16> StandardPalette = {{
    {0, 0, 0}, {0, 0, 0x80}, {0, 0x80, 0}, {0, 0x80, 0x80}, {0x80, 0, 0}, {0x80, 0, 0x80},
    {0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0}, {0x80, 0x80, 0x80}, {0, 0, 0xFF}, {0, 0xFF, 0},
    {0, 0xFF, 0xFF}, {0xFF, 0, 0}, {0xFF, 0, 0xFF}, {0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF}}};

constexpr int Black = 0, Grey = 8, Blue = 12, White = 15;

// Palette index of pixel (x, y), y counted from the top; the rows are stored bottom-up.
int Pixel(const std::vector<uint8_t>& dib, int x, int y)
{
    const uint8_t byte = dib[40 + 64 + (23 - y) * 12 + x / 2];
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

bool Has(const std::vector<uint8_t>& dib, int colour, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (Pixel(dib, x, y) == colour)
                return true;
    return false;
}

class PackageResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = dlopen(PackageFile.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
    }
    void TearDown() override { dlclose(module); }

    std::vector<uint8_t> Read(const char* name, const char* type)
    {
        auto bytes = ReadResource(module, name, type);
        EXPECT_TRUE(bytes.has_value()) << name;
        return bytes.value_or(std::vector<uint8_t>());
    }

    HINSTANCE module = nullptr;
};

TEST_F(PackageResources, PackageInfoDescriptionAndOptionsAreByteExact)
{
    EXPECT_EQ(Read("PACKAGEINFO", RT_RCDATA), ExpectedPackageInfo());

    std::vector<uint8_t> description;  // UTF-16LE, zero-terminated, zero-padded to 4
    for (char c : std::string("Tarnel Lumatab Component Suite"))
        description.insert(description.end(), {static_cast<uint8_t>(c), 0});
    description.insert(description.end(), {0, 0, 0, 0});
    EXPECT_EQ(Read("DESCRIPTION", RT_RCDATA), description);

    EXPECT_EQ(Read("PACKAGEOPTIONS", RT_RCDATA), (std::vector<uint8_t>{0x30, 0, 0, 0}));
}

TEST_F(PackageResources, NamesMatchWithoutCaseInAnyLanguageUnlessAsked)
{
    HRSRC found = FindResource(module, "tkHtmlExport", "bitmap");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 392u);
    EXPECT_EQ(FindResourceEx(module, RT_BITMAP, "TKHTMLEXPORT", 1049), found);
    EXPECT_EQ(FindResourceEx(module, RT_BITMAP, "TKHTMLEXPORT", 0), nullptr);
    EXPECT_EQ(FindResource(module, "TKHTMLEXPORT", RT_RCDATA), nullptr);
    EXPECT_EQ(FindResource(module, "NOSUCHTHING", RT_BITMAP), nullptr);
    // A handle found in one module means nothing in another.
    EXPECT_EQ(LoadResource(MainInstance(), found), nullptr);
    EXPECT_EQ(SizeofResource(MainInstance(), found), 0u);
}

TEST_F(PackageResources, AModuleShowsOnlyItsOwnResources)
{
    // With the package in the global scope, a bare dlsym on the program would find its directory.
    void* global = dlopen(PackageFile.c_str(), RTLD_NOW | RTLD_GLOBAL);
    ASSERT_NE(global, nullptr);
    EXPECT_TRUE(EnumResources(MainInstance()).empty());
    void* vcl50 = dlopen(Vcl50File.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(vcl50, nullptr);
    EXPECT_TRUE(EnumResources(vcl50).empty());
    dlclose(vcl50);
    dlclose(global);
}

TEST_F(PackageResources, TenPaletteBitmapsOneForEachClass)
{
    std::set<std::string> bitmaps;
    for (const TResourceEntry& entry : EnumResources(module))
        if (entry.Type == RT_BITMAP) {
            bitmaps.insert(std::string(entry.Name));
            EXPECT_EQ(entry.Language, 1049) << entry.Name;
        }
    EXPECT_EQ(bitmaps, std::set<std::string>(std::begin(BitmapNames), std::end(BitmapNames)));
}

TEST_F(PackageResources, BitmapsAre24By24In16ColoursToOneDesign)
{
    // Header: size 40, 24 x 24 bottom-up, 1 plane, 4 bits, uncompressed, 288 bytes, zeros; then
    // the standard palette as blue, green, red, zero.
    std::vector<uint8_t> prefix = {40, 0, 0, 0, 24, 0, 0, 0, 24, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 0x20, 1, 0, 0};
    prefix.resize(40);
    for (const auto& bgr : StandardPalette)
        prefix.insert(prefix.end(), {bgr[0], bgr[1], bgr[2], 0});
    const std::set<std::string> lettered = {"TKASCIIEXPORT", "TKDBFEXPORT", "TKHTMLEXPORT",
                                            "TKLATEXEXPORT", "TKSQLEXPORT", "TKXMLEXPORT"};
    for (const char* name : BitmapNames) {
        SCOPED_TRACE(name);
        const auto dib = Read(name, RT_BITMAP);
        ASSERT_EQ(dib.size(), 392u);
        EXPECT_EQ(std::vector<uint8_t>(dib.begin(), dib.begin() + 104), prefix);
        EXPECT_EQ(Pixel(dib, 0, 23), White) << "lower-left pixel";
        int white = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                white += Pixel(dib, x, y) == White;
        EXPECT_GT(white, 24 * 24 / 2) << "white background";
        EXPECT_TRUE(Has(dib, Grey, 0, 0, 12, 12) && Has(dib, Blue, 0, 0, 12, 12)) << "the table at the top left";
        if (lettered.count(name)) {
            EXPECT_TRUE(Has(dib, Grey, 12, 0, 24, 12)) << "the arrow right of the table";
            EXPECT_TRUE(Has(dib, Black, 0, 12, 24, 24)) << "the name underneath";
        }
    }
}

}  // namespace
