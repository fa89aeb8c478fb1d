#include "rowcastb5/Rtfwriter.h"

#include <charconv>
#include <cstdint>

#include "rowcastb5/Utf8text.h"

namespace {

// A letter page less two one-inch margins, in twips.
constexpr int TextWidth = 12240 - 2 * 1440;

void AppendUnit(AnsiString& out, unsigned unit)
{
    // \uN takes a signed 16-bit number; '?' is what a reader without Unicode shows (\uc1).
    char number[8];
    const auto end = std::to_chars(number, number + sizeof number, static_cast<int16_t>(unit)).ptr;
    out += "\\u";
    out.append(number, end);
    out += '?';
}

bool Plain(char c)
{
    return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
}

}  // namespace

TRtfWriter::TRtfWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats), FRowStart(RowStart(false))
{
}

TRtfWriter::~TRtfWriter() = default;

void TRtfWriter::AppendEscaped(AnsiString& out, std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        const size_t start = at;
        while (at < text.size() && Plain(text[at]))
            ++at;
        out.append(text.substr(start, at - start));
        if (at == text.size())
            break;
        const char c = text[at];
        switch (c) {
        case '\\': out += "\\\\"; ++at; continue;
        case '{': out += "\\{"; ++at; continue;
        case '}': out += "\\}"; ++at; continue;
        case '\t': out += "\\tab "; ++at; continue;
        case '\r':
            at += at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
            out += "\\line ";
            continue;
        case '\n': out += "\\line "; ++at; continue;
        default: break;
        }
        const char32_t code = NextCodePoint(text, at);
        if (code < 0x80) {
            AppendUnit(out, 0xFFFD);
        } else if (code < 0x10000) {
            AppendUnit(out, code);
        } else {
            AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
}

AnsiString TRtfWriter::RowStart(bool header) const
{
    // Every row carries its own cell definitions, as RTF wants them.
    AnsiString row = "\\trowd\\trgaph108\\trleft0";
    if (header)
        row += "\\trhdr";
    const size_t count = Columns().size();
    for (size_t i = 1; i <= count; ++i)
        row += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10"
               "\\cellx" + IntToStr(static_cast<int64_t>(TextWidth * i / count));
    return row + "\n\\pard\\intbl ";
}

void TRtfWriter::Begin()
{
    AnsiString head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n\\f0\\fs20\n";
    if (!Columns().empty()) {
        head += RowStart(true);
        for (const TExportColumn& column : Columns()) {
            head += "{\\b ";
            AppendEscaped(head, ValidUtf8(column.Title));
            head += "}\\cell ";
        }
        head += "\\row\n";
    }
    Write(head);
}

void TRtfWriter::BeginRecord()
{
    FLine = FRowStart;
}

void TRtfWriter::Value(size_t column, const TFieldValue& value)
{
    AppendEscaped(FLine, Text(column, value));
    FLine += "\\cell ";
}

void TRtfWriter::EndRecord()
{
    // A row of no cells is no row to a reader.
    if (!Columns().empty())
        Write(FLine + "\\row\n");
}

void TRtfWriter::Finish()
{
    Write("\\pard\\par\n}\n");
}
