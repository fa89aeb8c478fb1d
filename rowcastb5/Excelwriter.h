#pragma once
// An Office Open XML workbook (.xlsx content, whatever the file is called) written by
// libxlsxwriter in its constant-memory mode, one sheet: a bold header row of the column titles,
// then one row per record.
//
// Numbers are numbers, except integers beyond 2^53, which a spreadsheet number would round: they
// are text, every digit kept. Dates are numbers in a date format made from the export's pattern;
// text is always text (a value starting with '=' is no formula); truth values are booleans;
// NULL is an empty cell; an infinity or a NaN is its text; bytes are hexadecimal text.

#include "rowcastb5/Kexportwriter.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class TExcelWriter : public TExportWriter {
public:
    TExcelWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    // Frees a workbook that was never finished without writing it.
    ~TExcelWriter() override;

    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void Finish() override;

    // The spreadsheet number format that shows a date as the platform's pattern does; the
    // regional patterns it names are taken as they are now.
    static AnsiString NumberFormat(std::string_view pattern);

private:
    struct TColumnState {
        lxw_format* DateFormat = nullptr;
        size_t Width = 0;          // in characters, the widest value seen
        size_t DateWidth = 0;      // of a date in the column's pattern
        int64_t TextIntegers = 0;  // integers written as text
        int64_t CutTexts = 0;      // texts cut to the cell's limit
    };

    void WriteText(size_t column, const AnsiString& text, lxw_format* format);
    void Check(int error) const;

    lxw_workbook* FWorkbook = nullptr;
    lxw_worksheet* FSheet = nullptr;
    lxw_format* FBold = nullptr;
    std::vector<TColumnState> FState;
    uint32_t FRow = 0;
};
