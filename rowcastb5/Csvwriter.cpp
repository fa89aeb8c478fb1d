#include "rowcastb5/Csvwriter.h"

TCsvWriter::TCsvWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats, char separator)
    : TExportWriter(out, columns, formats), FSeparator(separator)
{
}

TCsvWriter::~TCsvWriter() = default;

void TCsvWriter::AppendField(AnsiString& line, std::string_view text, char separator)
{
    bool quote = false;
    for (char c : text)
        quote |= c == separator || c == '"' || c == '\r' || c == '\n';
    if (!quote) {
        line.append(text);
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

void TCsvWriter::Begin()
{
    for (size_t i = 0; i < Columns().size(); ++i) {
        if (i > 0)
            FLine += FSeparator;
        AppendField(FLine, ValidUtf8(Column(i).Title), FSeparator);
    }
    EndRecord();
}

void TCsvWriter::Value(size_t column, const TFieldValue& value)
{
    if (column > 0)
        FLine += FSeparator;
    FValue.clear();  // keeps its room for the next value
    ValueText().Append(FValue, Column(column), value);
    AppendField(FLine, FValue, FSeparator);
}

void TCsvWriter::EndRecord()
{
    FLine += "\r\n";
    Write(FLine);
    FLine.clear();  // keeps its room for the next record
}
