#include "host/XlsxCells.h"

#include <zlib.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "vcl50/Dateutils.h"

namespace {

[[noreturn]] void Malformed(const AnsiString& why)
{
    throw EReadError("The file is no workbook: " + why);
}

uint32_t Little(std::string_view bytes, size_t at, int size)
{
    if (at + static_cast<size_t>(size) > bytes.size())
        Malformed("it ends too early");
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

AnsiString Inflate(std::string_view data, size_t size)
{
    AnsiString out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        Malformed("zlib would not start");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (rc != Z_STREAM_END || stream.total_out != size)
        Malformed("a member does not inflate");
    return out;
}

// The members of a zip archive, by name, unpacked.
std::map<AnsiString, AnsiString> Members(std::string_view zip)
{
    constexpr size_t EndSize = 22;
    if (zip.size() < EndSize)
        Malformed("no zip archive");
    size_t end = zip.size() - EndSize;
    while (Little(zip, end, 4) != 0x06054b50) {
        if (end == 0 || zip.size() - end > EndSize + 0xFFFF)
            Malformed("no zip archive");
        --end;
    }
    const uint32_t count = Little(zip, end + 10, 2);
    size_t at = Little(zip, end + 16, 4);
    std::map<AnsiString, AnsiString> members;
    for (uint32_t i = 0; i < count; ++i) {
        if (Little(zip, at, 4) != 0x02014b50)
            Malformed("a broken directory");
        const uint32_t method = Little(zip, at + 10, 2);
        const uint32_t packed = Little(zip, at + 20, 4);
        const uint32_t size = Little(zip, at + 24, 4);
        const uint32_t nameLength = Little(zip, at + 28, 2);
        const uint32_t skip = Little(zip, at + 30, 2) + Little(zip, at + 32, 2);
        const size_t local = Little(zip, at + 42, 4);
        if (at + 46 + nameLength > zip.size())
            Malformed("a broken directory");
        const AnsiString name(zip.substr(at + 46, nameLength));
        at += 46 + nameLength + skip;
        const size_t data = local + 30 + Little(zip, local + 26, 2) + Little(zip, local + 28, 2);
        if (data + packed > zip.size() || size > (64u << 20))
            Malformed("a member past its end");
        if (method == 0)
            members[name] = AnsiString(zip.substr(data, packed));
        else if (method == 8)
            members[name] = Inflate(zip.substr(data, packed), size);
    }
    return members;
}

AnsiString Unescaped(std::string_view text)
{
    static const std::pair<std::string_view, char> entities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
    AnsiString out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, c] : entities)
            if (text.substr(i, entity.size()) == entity) {
                out += c;
                i += entity.size();
                replaced = true;
                break;
            }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

// The value of attribute `name` in a start tag; empty when it has none.
AnsiString Attribute(std::string_view tag, std::string_view name)
{
    const std::string key = " " + std::string(name) + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string_view::npos)
        return {};
    const size_t start = at + key.size();
    return Unescaped(tag.substr(start, tag.find('"', start) - start));
}

// Every `<tag ...>...</tag>` (or `<tag .../>`) in `xml`, as its start tag and its content.
template <typename Each>
void ForEach(std::string_view xml, std::string_view tag, Each each)
{
    const std::string open = "<" + std::string(tag);
    const std::string close = "</" + std::string(tag) + ">";
    for (size_t at = xml.find(open); at != std::string_view::npos; at = xml.find(open, at + 1)) {
        const char next = at + open.size() < xml.size() ? xml[at + open.size()] : '>';
        if (next != ' ' && next != '>' && next != '/')
            continue;  // a longer tag name
        const size_t tagEnd = xml.find('>', at);
        if (tagEnd == std::string_view::npos)
            Malformed("a tag without its end");
        std::string_view start = xml.substr(at, tagEnd - at + 1);
        if (start.ends_with("/>")) {
            each(start, std::string_view());
            continue;
        }
        const size_t end = xml.find(close, tagEnd);
        if (end == std::string_view::npos)
            Malformed("an element without its end");
        each(start, xml.substr(tagEnd + 1, end - tagEnd - 1));
    }
}

// The text of every <t> inside (shared and inline strings split into runs).
AnsiString TextOf(std::string_view content)
{
    AnsiString text;
    ForEach(content, "t", [&](std::string_view, std::string_view inner) { text += Unescaped(inner); });
    return text;
}

// "AB12" -> column 27 (0-based), row 11.
void CellPosition(const AnsiString& reference, size_t& column, size_t& row)
{
    size_t i = 0;
    column = 0;
    while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z')
        column = column * 26 + static_cast<size_t>(reference[i++] - 'A' + 1);
    if (i == 0 || i == reference.size() || column > 16384)
        Malformed("a cell reference " + reference);
    --column;
    row = static_cast<size_t>(std::stoul(reference.substr(i))) - 1;
}

bool IsDateFormat(const AnsiString& code)
{
    bool quoted = false;
    for (char c : code) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == 'd' || c == 'y' || c == 'h' || c == 's'))
            return true;
    }
    return false;
}

// The number format of each cell style that shows a date, as a pattern FormatDateTime reads
// (the letters are the same; Excel's quoted text and escapes are dropped to plain text).
std::map<size_t, AnsiString> DateStyles(std::string_view styles)
{
    std::map<int, AnsiString> formats = {{14, "m/d/yyyy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"},
                                         {18, "h:nn AM/PM"}, {19, "h:nn:ss AM/PM"}, {20, "h:nn"},
                                         {21, "h:nn:ss"}, {22, "m/d/yyyy h:nn"}};
    ForEach(styles, "numFmt", [&](std::string_view tag, std::string_view) {
        AnsiString code = Attribute(tag, "formatCode");
        std::erase(code, '\\');
        formats[std::stoi(Attribute(tag, "numFmtId"))] = code;
    });
    std::map<size_t, AnsiString> dates;
    std::string_view xfs = styles.substr(std::min(styles.find("<cellXfs"), styles.size()));
    size_t index = 0;
    ForEach(xfs.substr(0, xfs.find("</cellXfs>")), "xf", [&](std::string_view tag, std::string_view) {
        const AnsiString id = Attribute(tag, "numFmtId");
        if (!id.empty())
            if (auto it = formats.find(std::stoi(id)); it != formats.end() && IsDateFormat(it->second))
                dates[index] = it->second;
        ++index;
    });
    return dates;
}

}  // namespace

namespace {

std::vector<std::vector<AnsiString>> Cells(const AnsiString& bytes)
{
    std::map<AnsiString, AnsiString> members = Members(bytes);
    const auto sheet = members.find("xl/worksheets/sheet1.xml");
    if (sheet == members.end())
        Malformed("it has no first sheet");
    std::vector<AnsiString> shared;
    ForEach(members["xl/sharedStrings.xml"], "si",
            [&](std::string_view, std::string_view content) { shared.push_back(TextOf(content)); });
    const std::map<size_t, AnsiString> dates = DateStyles(members["xl/styles.xml"]);

    std::vector<std::vector<AnsiString>> cells;
    ForEach(sheet->second, "c", [&](std::string_view tag, std::string_view content) {
        size_t column = 0, row = 0;
        CellPosition(Attribute(tag, "r"), column, row);
        if (row >= 1000000)
            Malformed("a row past the end");
        AnsiString value;
        const AnsiString type = Attribute(tag, "t");
        AnsiString number;
        ForEach(content, "v", [&](std::string_view, std::string_view inner) { number = Unescaped(inner); });
        if (type == "inlineStr")
            value = TextOf(content);
        else if (type == "s")
            value = shared.at(std::stoul(number));
        else if (type == "b")
            value = number == "1" ? "TRUE" : "FALSE";
        else if (type == "str" || type == "e")
            value = number;
        else if (double d = 0; TryStrToFloat(number, d)) {
            const AnsiString style = Attribute(tag, "s");
            auto date = style.empty() ? dates.end() : dates.find(std::stoul(style));
            value = date != dates.end() ? FormatDateTime(date->second, d) : FloatToStr(d);
        }
        if (cells.size() <= row)
            cells.resize(row + 1);
        if (cells[row].size() <= column)
            cells[row].resize(column + 1);
        cells[row][column] = value;
    });
    // Empty cells are written as none: every row as wide as the widest, as a sheet shows them.
    size_t width = 0;
    for (const auto& row : cells)
        width = std::max(width, row.size());
    for (auto& row : cells)
        row.resize(width);
    return cells;
}

}  // namespace

std::vector<std::vector<AnsiString>> XlsxCells(const AnsiString& bytes)
{
    try {
        return Cells(bytes);
    } catch (const std::logic_error&) {  // a number that is none, a shared string past the end
        Malformed("a value it cannot read");
    }
}
