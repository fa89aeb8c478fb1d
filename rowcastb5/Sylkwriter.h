#pragma once
// SYLK as spreadsheets read it: an ID record, then one C record per cell that has a value
// ("C;Yrow;Xcolumn;Kvalue", rows and columns from 1, the titles in row 1), and E; CR LF after
// every record. A number stands bare, anything else in quotes with each semicolon doubled (the
// field separator); quotes stay as they are, as spreadsheets read them. A line break (CR LF, CR
// or LF) becomes the format's own one, ESC blank colon; any other control character but the tab
// a blank, as ESC starts a sequence. NULL writes no cell. The text is UTF-8.

#include "rowcastb5/Kexportwriter.h"

class TSylkWriter : public TExportWriter {
public:
    TSylkWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TSylkWriter() override;

    void Begin() override;
    void BeginRecord() override { ++FRow; }
    void Value(size_t column, const TFieldValue& value) override;
    void Finish() override;

    // A text value as it follows the K of its cell.
    static AnsiString Quoted(std::string_view text);

private:
    void Cell(size_t column, std::string_view value);

    int64_t FRow = 1;  // the titles' row
};
