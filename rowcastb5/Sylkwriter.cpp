#include "rowcastb5/Sylkwriter.h"

#include <cmath>

TSylkWriter::TSylkWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats)
{
}

TSylkWriter::~TSylkWriter() = default;

AnsiString TSylkWriter::Quoted(std::string_view text)
{
    AnsiString quoted = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ';')
            quoted += ";;";
        else if (c == '\r' || c == '\n') {
            quoted += "\x1B :";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if ((c < 0x20 && c != '\t') || c == 0x7F)
            quoted += ' ';
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "\"";
}

void TSylkWriter::Cell(size_t column, std::string_view value)
{
    Write("C;Y" + IntToStr(FRow) + ";X" + IntToStr(static_cast<int64_t>(column + 1)) + ";K");
    Write(value);
    Write("\r\n");
}

void TSylkWriter::Begin()
{
    Write("ID;PDROWCAST\r\n");
    for (size_t i = 0; i < Columns().size(); ++i)
        Cell(i, Quoted(ValidUtf8(Column(i).Title)));
}

void TSylkWriter::Value(size_t column, const TFieldValue& value)
{
    switch (value.Kind) {
    case TFieldValue::vkNull: return;
    case TFieldValue::vkInteger: Cell(column, Text(column, value)); return;
    case TFieldValue::vkFloat:
        // Infinity and NaN have no numeric form: they stay the text people read.
        Cell(column, std::isfinite(value.Float) ? Text(column, value) : Quoted(Text(column, value)));
        return;
    default: Cell(column, Quoted(Text(column, value))); return;
    }
}

void TSylkWriter::Finish()
{
    Write("E\r\n");
}
