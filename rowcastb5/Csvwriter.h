#pragma once
// Comma-separated values as RFC 4180 has them: CRLF after every record, a header record of the
// column titles, and a field quoted (its quotes doubled) when it holds a separator, a quote or a
// line break. NULL is an empty field.

#include <array>
#include <cstdint>

#include "rowcastb5/Kexportwriter.h"

class TCsvWriter : public TExportWriter {
public:
    TCsvWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats, char separator = ',');
    ~TCsvWriter() override;

    void Begin() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override {}

private:
    // What the text's bytes ask of it, together.
    uint8_t Needs(std::string_view text) const;
    // Appends valid UTF-8 text as a field of the record, quoted when its needs say so.
    void AppendField(std::string_view text, uint8_t needs);

    // What each byte asks of a field: to be quoted, or to be checked as UTF-8 (not ASCII).
    enum : uint8_t { NeedsQuotes = 1, NotAscii = 2 };
    std::array<uint8_t, 256> FByteNeeds{};
    bool FPlainNeedsQuotes;  // a number or truth value may hold the separator
    char FSeparator;
    AnsiString FLine;   // the record being written
    AnsiString FValue;  // a value that needs quotes, before it is quoted
};
