#pragma once
// An HTML5 page (UTF-8) holding one table: a header row of the column titles, then a row per
// record with the values as people read them (the export's Formats for dates). The look is
// one <style> element made from a template's colours and font: the page, the links, the header
// row, the table text, and the data rows banded (first, third, ... row in TableBgColor; second,
// fourth, ... in OddRowBgColor). A style sheet of the person's own is linked after it, so its
// rules win. Cells keep their line breaks and tabs (white-space: pre-wrap); NULL is an empty cell.

#include <vector>

#include "rowcastb5/Kexportwriter.h"
#include "rowcastb5/Templates.h"

// Everything the page's look is made of.
struct THTMLPage {
    RHTMLTemplate Look;
    int FontSize = 0;  // in points; 0 leaves the reader's size
    TFontStyles FontStyle;
    AnsiString StyleSheet;  // the href of a linked style sheet; none when empty
    AnsiString Title;
};

class THtmlWriter : public TExportWriter {
public:
    THtmlWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats, THTMLPage page);
    ~THtmlWriter() override;

    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // Appends valid UTF-8 as HTML text (or an attribute value, in double quotes): & < > (and ")
    // as references; CR LF and CR as LF, which is what a parser makes of them anyway; and what
    // HTML does not allow in a document (controls other than tab and LF, noncharacters) as U+FFFD.
    static void AppendEscaped(AnsiString& out, std::string_view text);
    // "#rrggbb", system colours resolved as ColorToRGB does; empty for clNone and clDefault,
    // which leave the reader's colour.
    static AnsiString CssColor(TColor color);

private:
    AnsiString StyleElement() const;

    THTMLPage FPage;
    AnsiString FLine;
    bool FOddRow = true;  // the first data row is odd
};
