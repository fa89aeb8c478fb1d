#pragma once
// The Data Interchange Format as spreadsheets read it: a header (TABLE, VECTORS = columns,
// TUPLES = rows with the title row, DATA), then each row as BOT and one value per column, and
// EOD; CR LF after every line. A number is a numeric value ("0,VALUE" then "V"), anything else a
// string ("1,0" then the text in quotes, its quotes doubled); NULL is an empty string. A string
// holds no line break, so each one (CR LF, CR or LF) becomes a blank, as does any other control
// character but the tab. The text is UTF-8. The row count of the header costs a first pass
// over the records.

#include "rowcastb5/Kexportwriter.h"

class TDifWriter : public TExportWriter {
public:
    TDifWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TDifWriter() override;

    bool MeasuresFirst() const override { return true; }
    void Measure(size_t column, const TFieldValue& value) override;
    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void Finish() override;

    // The string value's line: the text in quotes, on one line.
    static AnsiString Quoted(std::string_view text);

private:
    void String(std::string_view text);

    int64_t FRecords = 0;
};
