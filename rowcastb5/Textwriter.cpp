#include "rowcastb5/Textwriter.h"

#include <algorithm>

namespace {

bool IsNumber(const TFieldValue& value)
{
    return value.Kind == TFieldValue::vkInteger || value.Kind == TFieldValue::vkFloat;
}

bool IsNumberType(TFieldType type)
{
    return type == ftInteger || type == ftLargeint || type == ftFloat;
}

// The three bytes of UTF-8 of a code point in U+0800..U+FFFF, where the control pictures are.
void AppendPicture(AnsiString& to, unsigned codePoint)
{
    to += static_cast<char>(0xE0 | (codePoint >> 12));
    to += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    to += static_cast<char>(0x80 | (codePoint & 0x3F));
}

constexpr unsigned NewlinePicture = 0x2424;
constexpr unsigned ControlPictures = 0x2400;  // U+2400 + the control's code
constexpr unsigned DeletePicture = 0x2421;

}  // namespace

TTextWriter::TTextWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats)
{
    for (const TExportColumn& column : columns)
        FWidths.push_back(std::max<size_t>(1, Width(Shown(ValidUtf8(column.Title)))));
}

TTextWriter::~TTextWriter() = default;

AnsiString TTextWriter::Shown(std::string_view text)
{
    AnsiString shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            AppendPicture(shown, NewlinePicture);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;  // CR LF is one line break
        } else if (c < 0x20)
            AppendPicture(shown, ControlPictures + c);
        else if (c == 0x7F)
            AppendPicture(shown, DeletePicture);
        else
            shown += static_cast<char>(c);
    }
    return shown;
}

size_t TTextWriter::Width(std::string_view text)
{
    // Every code point has exactly one byte that is no continuation byte.
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void TTextWriter::Measure(size_t column, const TFieldValue& value)
{
    FWidths[column] = std::max(FWidths[column], Width(Shown(Text(column, value))));
}

void TTextWriter::Cell(size_t column, std::string_view shown, bool right)
{
    if (column > 0)
        FBlanksOwed += 2;
    const size_t padding = FWidths[column] - std::min(FWidths[column], Width(shown));
    if (right)
        FBlanksOwed += padding;
    if (!shown.empty()) {
        FLine.append(FBlanksOwed, ' ');
        FLine += shown;
        FBlanksOwed = 0;
    }
    if (!right)
        FBlanksOwed += padding;
}

void TTextWriter::Begin()
{
    for (size_t i = 0; i < Columns().size(); ++i)
        Cell(i, Shown(ValidUtf8(Column(i).Title)), IsNumberType(Column(i).Type));
    EndRecord();
    for (size_t i = 0; i < Columns().size(); ++i)
        Cell(i, AnsiString(FWidths[i], '-'), false);
    EndRecord();
}

void TTextWriter::Value(size_t column, const TFieldValue& value)
{
    Cell(column, Shown(Text(column, value)), IsNumber(value));
}

void TTextWriter::EndRecord()
{
    FLine += '\n';
    Write(FLine);
    FLine.clear();
    FBlanksOwed = 0;
}
