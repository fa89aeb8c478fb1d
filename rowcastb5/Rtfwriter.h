#pragma once
// A rich-text document holding one table: a bold header row of the column titles (repeated on
// every page), then a row per record with the values as people read them (the export's Formats
// for dates). Columns share the width of a page with one-inch margins; cells are ruled. The file
// is 7-bit ASCII: \ { } escaped, line breaks as \line, tabs as \tab, every other character as a
// \uN? escape (signed 16 bits, characters past U+FFFF as a surrogate pair), the controls RTF
// has no place for as U+FFFD. NULL is an empty cell.

#include <vector>

#include "rowcastb5/Kexportwriter.h"

class TRtfWriter : public TExportWriter {
public:
    TRtfWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TRtfWriter() override;

    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // Appends valid UTF-8 as RTF text, escaped as above.
    static void AppendEscaped(AnsiString& out, std::string_view text);

private:
    AnsiString RowStart(bool header) const;

    AnsiString FRowStart;
    AnsiString FLine;
};
