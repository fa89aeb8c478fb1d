// Writes a data resource from a readable listing, one item per line, in order:
//
//   u32 NUMBER       a 32-bit little-endian word (decimal or 0x hex)
//   utf16z "TEXT"    the UTF-8 text as UTF-16 little-endian with a terminating zero (\" and \\ escape)
//   align N          zero bytes up to the next multiple of N

#include "tools/Toolsupport.h"

namespace {

using namespace tools;

std::string Unquote(const std::filesystem::path& file, const TSourceLine& line, std::string_view text)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        Fail(file, line.Number, "expected a text in double quotes");
    std::string result;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            if (i + 2 >= text.size() || (text[i + 1] != '"' && text[i + 1] != '\\'))
                Fail(file, line.Number, "only \\\" and \\\\ may be escaped");
            c = text[++i];
        } else if (c == '"') {
            Fail(file, line.Number, "a quote inside the text must be escaped");
        }
        result += c;
    }
    return result;
}

void PutUtf16(const std::filesystem::path& file, const TSourceLine& line, const std::string& text,
              std::vector<uint8_t>& out)
{
    auto put = [&out](uint32_t unit) {
        out.push_back(static_cast<uint8_t>(unit));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    };
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead >> 5 == 6 ? 1 : lead >> 4 == 14 ? 2 : lead >> 3 == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size())
            Fail(file, line.Number, "the text is not valid UTF-8");
        uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if (next >> 6 != 2)
                Fail(file, line.Number, "the text is not valid UTF-8");
            code = code << 6 | (next & 0x3F);
        }
        i += extra + 1;
        if (code >= 0x10000) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    put(0);
}

std::vector<uint8_t> Build(const std::filesystem::path& file)
{
    std::vector<uint8_t> out;
    for (const TSourceLine& line : ReadLines(file)) {
        const size_t space = line.Text.find_first_of(" \t");
        const std::string item = line.Text.substr(0, space);
        const std::string operand = space == std::string::npos ? "" : line.Text.substr(line.Text.find_first_not_of(" \t", space));
        uint64_t number = 0;
        if (item == "u32" && ParseNumber(operand, 0xFFFFFFFF, number))
            PutU32(out, static_cast<uint32_t>(number));
        else if (item == "utf16z")
            PutUtf16(file, line, Unquote(file, line, operand), out);
        else if (item == "align" && ParseNumber(operand, 4096, number) && number > 0)
            out.resize((out.size() + number - 1) / number * number);
        else
            Fail(file, line.Number, "expected 'u32 NUMBER', 'utf16z \"TEXT\"' or 'align N'");
    }
    return out;
}

void Convert(char** argv)
{
    WriteBytes(argv[2], Build(argv[1]));
}

}  // namespace

int main(int argc, char** argv)
{
    return Run(argc, argv, 2, "LISTING.rcdata OUTPUT", Convert);
}
