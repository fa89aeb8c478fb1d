#include "rowcastb5/Csvwriter.h"

TCsvWriter::TCsvWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats, char separator)
    : TExportWriter(out, columns, formats), FSeparator(separator)
{
}

TCsvWriter::~TCsvWriter() = default;

AnsiString TCsvWriter::Field(std::string_view text, char separator)
{
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (text.find_first_of(special) == std::string_view::npos)
        return AnsiString(text);
    AnsiString quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void TCsvWriter::Begin()
{
    for (size_t i = 0; i < Columns().size(); ++i) {
        if (i > 0)
            Write({&FSeparator, 1});
        Write(Field(ValidUtf8(Column(i).Title), FSeparator));
    }
    Write("\r\n");
}

void TCsvWriter::Value(size_t column, const TFieldValue& value)
{
    if (column > 0)
        Write({&FSeparator, 1});
    Write(Field(Text(column, value), FSeparator));
}

void TCsvWriter::EndRecord()
{
    Write("\r\n");
}
