#pragma once
// A table people read in a terminal: a line of column titles, a line of dashes, then one line per
// record, each value padded to its column's width, two blanks between columns. Widths count
// characters (code points) and come from a first pass over the records. Numbers stand
// right-aligned, every other value left; NULL is blank. So that a record stays on one line, a
// line break (CR LF, CR or LF) shows as U+2424 and a tab or any other control character as its
// Unicode control picture (U+2409 for a tab). Lines end in LF.

#include "rowcastb5/Kexportwriter.h"

class TTextWriter : public TExportWriter {
public:
    TTextWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TTextWriter() override;

    bool MeasuresFirst() const override { return true; }
    void Measure(size_t column, const TFieldValue& value) override;
    void Begin() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override {}

    // The text as it stands in a cell: one line, control characters shown as pictures.
    static AnsiString Shown(std::string_view text);
    // The number of code points of valid UTF-8 text.
    static size_t Width(std::string_view text);

private:
    void Cell(size_t column, std::string_view shown, bool right);

    std::vector<size_t> FWidths;
    AnsiString FLine;
    size_t FBlanksOwed = 0;  // padding not yet written: none is written at a line's end
};
