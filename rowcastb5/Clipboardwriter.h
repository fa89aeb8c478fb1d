#pragma once
// The rows as a spreadsheet pastes them, in two forms at once. Written to the output: tab-separated
// text, a line of the column titles first, every line ending in LF; as a field cannot hold a tab
// or a line break, each one (CR LF counting as one) becomes a blank. Kept for the clipboard's
// second form: a UTF-8 HTML document holding one table, the titles in a header row, every value
// escaped, line breaks as <br>. NULL is empty in both.

#include "rowcastb5/Kexportwriter.h"

class TClipboardWriter : public TExportWriter {
public:
    // `withHtml` false: the text alone, when it goes to a file instead of the clipboard.
    TClipboardWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats,
                     bool withHtml);
    ~TClipboardWriter() override;

    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // The HTML document, once Finish was called.
    const AnsiString& Html() const { return FHtml; }

    // A field of the text: tabs and line breaks made blanks.
    static AnsiString Field(std::string_view text);
    // The text as HTML cell content.
    static AnsiString HtmlText(std::string_view text);

private:
    void Cell(size_t column, std::string_view text, const char* tag);

    bool FWithHtml;
    AnsiString FLine;
    AnsiString FHtml;
};
