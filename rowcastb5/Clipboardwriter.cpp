#include "rowcastb5/Clipboardwriter.h"

TClipboardWriter::TClipboardWriter(TExportOutput& out, const std::vector<TExportColumn>& columns,
                                   const TKFormats& formats, bool withHtml)
    : TExportWriter(out, columns, formats), FWithHtml(withHtml)
{
}

TClipboardWriter::~TClipboardWriter() = default;

AnsiString TClipboardWriter::Field(std::string_view text)
{
    AnsiString field;
    field.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;  // CR LF is one line break: its LF makes the blank
        field += text[i] == '\t' || text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return field;
}

AnsiString TClipboardWriter::HtmlText(std::string_view text)
{
    AnsiString html;
    html.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#39;"; break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                break;  // CR LF is one line break
            [[fallthrough]];
        case '\n': html += "<br>"; break;
        default: html += text[i]; break;
        }
    }
    return html;
}

void TClipboardWriter::Cell(size_t column, std::string_view text, const char* tag)
{
    if (column > 0)
        FLine += '\t';
    FLine += Field(text);
    if (FWithHtml) {
        FHtml += "<";
        FHtml += tag;
        FHtml += ">";
        FHtml += HtmlText(text);
        FHtml += "</";
        FHtml += tag;
        FHtml += ">";
    }
}

void TClipboardWriter::Begin()
{
    if (FWithHtml)
        FHtml = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n<table>\n";
    BeginRecord();
    for (size_t i = 0; i < Columns().size(); ++i)
        Cell(i, ValidUtf8(Column(i).Title), "th");
    EndRecord();
}

void TClipboardWriter::BeginRecord()
{
    if (FWithHtml)
        FHtml += "<tr>";
}

void TClipboardWriter::Value(size_t column, const TFieldValue& value)
{
    Cell(column, Text(column, value), "td");
}

void TClipboardWriter::EndRecord()
{
    FLine += '\n';
    Write(FLine);
    FLine.clear();
    if (FWithHtml)
        FHtml += "</tr>\n";
}

void TClipboardWriter::Finish()
{
    if (FWithHtml)
        FHtml += "</table>\n</body></html>\n";
}
