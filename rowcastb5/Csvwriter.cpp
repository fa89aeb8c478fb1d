#include "rowcastb5/Csvwriter.h"

TCsvWriter::TCsvWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats, char separator)
    : TExportWriter(out, columns, formats), FSeparator(separator)
{
    for (unsigned char c : {static_cast<unsigned char>(separator), static_cast<unsigned char>('"'),
                            static_cast<unsigned char>('\r'), static_cast<unsigned char>('\n')})
        FByteNeeds[c] |= NeedsQuotes;
    for (size_t c = 0x80; c < FByteNeeds.size(); ++c)
        FByteNeeds[c] |= NotAscii;
    // TValueText writes numbers (to_chars, NaN, INF) and truth values with these characters alone.
    FPlainNeedsQuotes = Needs("0123456789+-.eINFNaTrueFals") & NeedsQuotes;
}

TCsvWriter::~TCsvWriter() = default;

uint8_t TCsvWriter::Needs(std::string_view text) const
{
    uint8_t needs = 0;  // no early exit: a field is short
    for (unsigned char c : text)
        needs |= FByteNeeds[c];
    return needs;
}

void TCsvWriter::AppendField(std::string_view text, uint8_t needs)
{
    if (!(needs & NeedsQuotes)) {
        FLine.append(text);
        return;
    }
    FLine += '"';
    for (size_t at = 0;;) {
        const size_t mark = text.find('"', at);
        FLine.append(text.substr(at, mark - at));
        if (mark == std::string_view::npos)
            break;
        FLine.append("\"\"");
        at = mark + 1;
    }
    FLine += '"';
}

void TCsvWriter::Begin()
{
    for (size_t i = 0; i < Columns().size(); ++i) {
        if (i > 0)
            FLine += FSeparator;
        const AnsiString title = ValidUtf8(Column(i).Title);
        AppendField(title, Needs(title));
    }
    EndRecord();
}

void TCsvWriter::Value(size_t column, const TFieldValue& value)
{
    if (column > 0)
        FLine += FSeparator;
    // Plain ASCII text, the most common value, is valid UTF-8 as it stands: no copy of its own.
    if (value.Kind == TFieldValue::vkText) {
        if (const uint8_t needs = Needs(value.Text); !(needs & NotAscii))
            return AppendField(value.Text, needs);
    }
    // Written in place, since few values need quotes; one that does is taken out and quoted.
    const size_t start = FLine.size();
    ValueText().Append(FLine, Column(column), value);
    const bool plain = value.Kind == TFieldValue::vkInteger || value.Kind == TFieldValue::vkFloat ||
                       value.Kind == TFieldValue::vkBoolean || value.Kind == TFieldValue::vkNull;
    if (plain && !FPlainNeedsQuotes)
        return;
    const std::string_view written = std::string_view(FLine).substr(start);
    if (const uint8_t needs = Needs(written); needs & NeedsQuotes) {
        FValue.assign(written);
        FLine.resize(start);
        AppendField(FValue, needs);
    }
}

void TCsvWriter::EndRecord()
{
    FLine += "\r\n";
    Write(FLine);
    FLine.clear();  // keeps its room for the next record
}
