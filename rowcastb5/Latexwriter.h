#pragma once
// A LaTeX document that pdflatex compiles as it is: a longtable of ruled, equally wide columns
// that wrap their text, the header row of the column titles in bold and repeated on every page,
// then a row per record with the values as people read them (the export's Formats for dates).
// More than six columns turn the page to landscape. Every character LaTeX gives a meaning to is
// escaped; line breaks inside a cell break the line, tabs are a quad. The text is UTF-8 for
// inputenc with the T1 fonts: a character those cannot typeset (emoji, most scripts but Latin,
// controls) is written \missingchar{HEX}, which the preamble shows as [U+HEX] and a person may
// define otherwise. NULL is an empty cell.

#include <vector>

#include "rowcastb5/Kexportwriter.h"

class TLaTeXWriter : public TExportWriter {
public:
    TLaTeXWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TLaTeXWriter() override;

    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // Appends valid UTF-8 as LaTeX text, escaped as above.
    static void AppendEscaped(AnsiString& out, std::string_view text);

private:
    AnsiString FLine;
};
