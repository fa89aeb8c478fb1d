#include "rowcastb5/Difwriter.h"

#include <cmath>

TDifWriter::TDifWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats)
{
}

TDifWriter::~TDifWriter() = default;

AnsiString TDifWriter::Quoted(std::string_view text)
{
    AnsiString quoted = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"')
            quoted += "\"\"";
        else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;  // CR LF is one line break: its LF makes the blank
        else if ((c < 0x20 && c != '\t') || c == 0x7F)
            quoted += ' ';
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "\"";
}

void TDifWriter::Measure(size_t column, const TFieldValue&)
{
    if (column == 0)
        ++FRecords;
}

void TDifWriter::String(std::string_view text)
{
    Write("1,0\r\n");
    Write(Quoted(text));
    Write("\r\n");
}

void TDifWriter::Begin()
{
    const AnsiString vectors = IntToStr(static_cast<int64_t>(Columns().size()));
    Write("TABLE\r\n0,1\r\n\"\"\r\n");
    Write("VECTORS\r\n0," + vectors + "\r\n\"\"\r\n");
    Write("TUPLES\r\n0," + IntToStr(FRecords + 1) + "\r\n\"\"\r\n");
    Write("DATA\r\n0,0\r\n\"\"\r\n");
    BeginRecord();
    for (const TExportColumn& column : Columns())
        String(ValidUtf8(column.Title));
}

void TDifWriter::BeginRecord()
{
    Write("-1,0\r\nBOT\r\n");
}

void TDifWriter::Value(size_t column, const TFieldValue& value)
{
    // Infinity and NaN have no numeric form: they stay the text people read.
    const bool number = value.Kind == TFieldValue::vkInteger ||
                        (value.Kind == TFieldValue::vkFloat && std::isfinite(value.Float));
    if (number)
        Write("0," + Text(column, value) + "\r\nV\r\n");
    else
        String(Text(column, value));
}

void TDifWriter::Finish()
{
    Write("-1,0\r\nEOD\r\n");
}
