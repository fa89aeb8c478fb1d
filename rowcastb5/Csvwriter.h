#pragma once
// Comma-separated values as RFC 4180 has them: CRLF after every record, a header record of the
// column titles, and a field quoted (its quotes doubled) when it holds a separator, a quote or a
// line break. NULL is an empty field.

#include "rowcastb5/Kexportwriter.h"

class TCsvWriter : public TExportWriter {
public:
    TCsvWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats, char separator = ',');
    ~TCsvWriter() override;

    void Begin() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override {}

    // Appends the field as it stands in a record, quoted when it must be.
    static void AppendField(AnsiString& line, std::string_view text, char separator);

private:
    char FSeparator;
    AnsiString FLine;   // the record being written
    AnsiString FValue;  // the value being written, before it is quoted
};
