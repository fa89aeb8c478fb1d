// Turns text pixel art into a palette bitmap resource: a 24 x 24 device-independent bitmap with
// 4 bits per pixel in the standard 16-colour palette, without file header (392 bytes).
//
// The art is 24 lines of 24 characters, top row first; '#' lines are comments. One character per
// palette index, lower case for the dark colours and upper case for the bright ones:
//   k black   r dark red   g dark green   y olive    b dark blue   m purple    c teal   s silver
//   d grey    R red        G green        Y yellow   B blue        M magenta   C cyan   . white

#include <array>
#include <string_view>

#include "tools/Toolsupport.h"

namespace {

using namespace tools;

constexpr int Side = 24;
constexpr std::string_view Legend = "krgybmcsdRGYBMC.";

// Blue, green, red of each palette index.
constexpr std::array<std::array<uint8_t, 3>, 16> Palette = {{
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80},
    {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80}, {0x80, 0x80, 0x00}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF},
}};

std::vector<std::array<uint8_t, Side>> ReadArt(const std::filesystem::path& file)
{
    const auto lines = ReadLines(file);
    if (lines.size() != Side)
        Fail(file, 0, "expected " + std::to_string(Side) + " rows, found " + std::to_string(lines.size()));
    std::vector<std::array<uint8_t, Side>> rows;
    for (const TSourceLine& line : lines) {
        if (line.Text.size() != Side)
            Fail(file, line.Number, "expected " + std::to_string(Side) + " characters");
        std::array<uint8_t, Side> row{};
        for (int x = 0; x < Side; ++x) {
            const size_t index = Legend.find(line.Text[x]);
            if (index == std::string_view::npos)
                Fail(file, line.Number, std::string("'") + line.Text[x] + "' is not in the legend");
            row[x] = static_cast<uint8_t>(index);
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<uint8_t> Encode(const std::vector<std::array<uint8_t, Side>>& rows)
{
    constexpr uint32_t rowBytes = Side / 2;
    std::vector<uint8_t> dib;
    for (uint32_t field : {40u, uint32_t(Side), uint32_t(Side)})  // header size, width, height
        PutU32(dib, field);
    dib.insert(dib.end(), {1, 0, 4, 0});  // planes, bits per pixel
    PutU32(dib, 0);                       // uncompressed
    PutU32(dib, rowBytes * Side);
    for (int i = 0; i < 4; ++i)           // resolution, colours used, colours important
        PutU32(dib, 0);
    for (const auto& bgr : Palette)
        dib.insert(dib.end(), {bgr[0], bgr[1], bgr[2], 0});
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)  // bottom-up
        for (int x = 0; x < Side; x += 2)
            dib.push_back(static_cast<uint8_t>((*row)[x] << 4 | (*row)[x + 1]));
    return dib;
}

void Convert(char** argv)
{
    WriteBytes(argv[2], Encode(ReadArt(argv[1])));
}

}  // namespace

int main(int argc, char** argv)
{
    return Run(argc, argv, 2, "ART.pix OUTPUT.dib", Convert);
}
