#include "rowcastb5/Dbfwriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "rowcastb5/Columnnames.h"
#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Dateutils.h"

namespace {

constexpr size_t MaxNameBytes = 10;
constexpr size_t DescriptorSize = 32;
// dBase III has no code for UTF-8; 0 says "none given", and readers are told the encoding.
constexpr unsigned char NoLanguageDriver = 0x00;

constexpr unsigned Bit(TFieldValue::TKind kind) { return 1u << kind; }
constexpr unsigned Numbers = Bit(TFieldValue::vkInteger) | Bit(TFieldValue::vkFloat);

bool IsNumber(TFieldType type) { return type == ftInteger || type == ftLargeint || type == ftFloat; }
bool LeftOut(TFieldType type) { return type == ftMemo || type == ftBlob; }

// The shortest fixed notation that reads back as the same double: 1e300 has 301 digits, 2.5e-300
// 300 after the point.
AnsiString FixedText(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return AnsiString(buffer, result.ptr);
}

// Digits after the point, up to an exponent.
size_t DecimalsOf(std::string_view text)
{
    const size_t point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    const size_t end = text.find_first_of("eE", point);
    return (end == std::string_view::npos ? text.size() : end) - point - 1;
}

// The most bytes a date takes in the pattern: two-digit days, months and hours, the longest
// month and day names (September, Wednesday), all three digits of the millisecond.
size_t WidestDate(const AnsiString& pattern)
{
    size_t widest = 1;
    for (const TDateTime date : {EncodeDate(2000, 9, 27), EncodeDate(2000, 12, 27)})
        widest = std::max(widest, FormatDateTime(pattern, date + EncodeTime(23, 59, 59, 999)).size());
    return std::min(widest, TDbfWriter::MaxWidth);
}

void PutLittleEndian(AnsiString& bytes, size_t at, uint64_t value, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

TDbfWriter::TDbfWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats), FFields(columns.size())
{
}

TDbfWriter::~TDbfWriter() = default;

void TDbfWriter::Changed()
{
    throw EExportError("The records changed while they were exported");
}

void TDbfWriter::Measure(size_t column, const TFieldValue& value)
{
    if (column == 0)
        ++FMeasured;
    TDbfField& field = FFields[column];
    field.Kinds |= Bit(value.Kind);
    if (value.Kind == TFieldValue::vkNull || LeftOut(Column(column).Type))
        return;
    if (value.Kind == TFieldValue::vkDateTime) {
        // Only a column that turns out C shows dates as text; formatting every one of them to
        // learn that would cost more than the rest of the reading.
        if (!field.DateBytes)
            field.DateBytes = WidestDate(ValueText().DatePattern(Column(column)));
        field.TextBytes = std::max(field.TextBytes, field.DateBytes);
        return;
    }
    const AnsiString text = Text(column, value);
    if (text.size() > MaxWidth) {
        ++field.CutValues;
        field.TextBytes = std::max(field.TextBytes, CutUtf8(text, MaxWidth).size());
    } else {
        field.TextBytes = std::max(field.TextBytes, text.size());
    }
    if (value.Kind == TFieldValue::vkInteger) {
        field.IntegerChars = std::max(field.IntegerChars, text.size());
        field.ShortestChars = std::max(field.ShortestChars, text.size());
    } else if (value.Kind == TFieldValue::vkFloat) {
        if (!std::isfinite(value.Float)) {
            field.NonFinite = true;
            return;
        }
        const AnsiString fixed = FixedText(value.Float);
        field.IntegerChars = std::max(field.IntegerChars, std::min(fixed.find('.'), fixed.size()));
        field.Decimals = std::max(field.Decimals, DecimalsOf(fixed));
        field.ShortestChars = std::max(field.ShortestChars, text.size());
        field.ShortestDecimals = std::max(field.ShortestDecimals, DecimalsOf(text));
    }
}

void TDbfWriter::Decide(size_t column)
{
    TDbfField& field = FFields[column];
    const TFieldType type = Column(column).Type;
    const unsigned kinds = field.Kinds & ~Bit(TFieldValue::vkNull);
    const auto only = [&](unsigned allowed) { return (kinds & ~allowed) == 0; };
    if (IsNumber(type) && only(Numbers) && !field.NonFinite) {
        field.Type = 'N';
        const bool floats = type == ftFloat || (kinds & Bit(TFieldValue::vkFloat));
        const size_t decimals = floats ? std::max<size_t>(field.Decimals, 1) : 0;
        const size_t width = std::max<size_t>(field.IntegerChars, 1) + (decimals ? decimals + 1 : 0);
        if (width <= MaxWidth) {
            field.Width = width;
            field.FieldDecimals = decimals;
            return;
        }
        // Too large or too small for fixed notation in a field (1e300, 2.5e-300): each value in
        // its shortest form, which readers that parse numbers as numbers take back exactly.
        field.Exponent = true;
        field.Width = std::max<size_t>(field.ShortestChars, 1);
        field.FieldDecimals = std::min(std::max<size_t>(field.ShortestDecimals, 1), field.Width > 2 ? field.Width - 2 : 0);
        return;
    }
    if (type == ftBoolean && only(Bit(TFieldValue::vkBoolean))) {
        field.Type = 'L';
        field.Width = 1;
        return;
    }
    if (type == ftDate && only(Bit(TFieldValue::vkDateTime))) {
        field.Type = 'D';
        field.Width = 8;
        return;
    }
    field.Type = 'C';
    field.Width = std::max<size_t>(field.TextBytes, 1);
    const char* meant = IsNumber(type) ? "numbers" : type == ftBoolean ? "truth values" : type == ftDate ? "dates" : nullptr;
    if (meant && kinds)
        Note(Format("%s is a text field (C): it holds values that are not %s", {Column(column).Name, meant}));
    if (field.CutValues)
        Note(Format("%s: %d values longer than %d bytes were cut",
                    {Column(column).Name, static_cast<int64_t>(field.CutValues), static_cast<int64_t>(MaxWidth)}));
}

void TDbfWriter::Begin()
{
    std::vector<AnsiString> names;
    for (size_t i = 0; i < Columns().size(); ++i)
        if (!LeftOut(Column(i).Type))
            names.push_back(ValidUtf8(Column(i).Name));
    if (names.empty())
        throw EExportError("A dBase table needs at least one field that is neither memo nor blob");
    names = UniqueColumnNames(names, MaxNameBytes);

    const size_t headerSize = 32 + DescriptorSize * names.size() + 1;
    size_t recordSize = 1;  // the deletion flag
    AnsiString descriptors;
    for (size_t i = 0, k = 0; i < Columns().size(); ++i) {
        if (LeftOut(Column(i).Type)) {
            Note(Format("%s is left out: a dBase III table holds no memo or binary fields", {Column(i).Name}));
            continue;
        }
        const AnsiString& name = names[k++];
        if (name != Column(i).Name)
            Note(Format("%s is named %s", {Column(i).Name, name}));
        Decide(i);
        TDbfField& field = FFields[i];
        field.Offset = recordSize;
        recordSize += field.Width;
        AnsiString descriptor(DescriptorSize, '\0');
        descriptor.replace(0, name.size(), name);
        descriptor[11] = field.Type;
        descriptor[16] = static_cast<char>(field.Width);
        descriptor[17] = static_cast<char>(field.FieldDecimals);
        descriptors += descriptor;
    }
    if (FMeasured > UINT32_MAX || headerSize > UINT16_MAX || recordSize > UINT16_MAX)
        throw EExportError("The records do not fit in a dBase table");

    AnsiString header(32, '\0');
    header[0] = 0x03;
    const time_t now = time(nullptr);
    tm today{};
    localtime_r(&now, &today);
    header[1] = static_cast<char>(today.tm_year);  // years since 1900, as dBase counts them
    header[2] = static_cast<char>(today.tm_mon + 1);
    header[3] = static_cast<char>(today.tm_mday);
    PutLittleEndian(header, 4, FMeasured, 4);
    PutLittleEndian(header, 8, headerSize, 2);
    PutLittleEndian(header, 10, recordSize, 2);
    header[29] = static_cast<char>(NoLanguageDriver);
    Write(header + descriptors + '\r');
    FRecord.assign(recordSize, ' ');
}

void TDbfWriter::BeginRecord()
{
    std::fill(FRecord.begin(), FRecord.end(), ' ');
}

AnsiString TDbfWriter::Number(const TDbfField& field, const TFieldValue& value) const
{
    AnsiString text;
    if (value.Kind == TFieldValue::vkInteger)
        text = IntToStr(value.Integer);
    else if (value.Kind == TFieldValue::vkFloat && std::isfinite(value.Float))
        text = field.Exponent ? FloatToStr(value.Float) : FixedText(value.Float);
    else
        Changed();
    if (!field.Exponent && field.FieldDecimals) {
        // Zeros to the field's decimals change no value and keep the points in line.
        if (text.find('.') == AnsiString::npos)
            text += '.';
        text.append(field.FieldDecimals - DecimalsOf(text), '0');
    }
    return text;
}

void TDbfWriter::Value(size_t column, const TFieldValue& value)
{
    const TDbfField& field = FFields[column];
    if (!field.Type || value.Kind == TFieldValue::vkNull)
        return;
    AnsiString text;
    switch (field.Type) {
    case 'C':
        text = Text(column, value);
        if (text.size() > field.Width && !field.CutValues)
            Changed();
        text = CutUtf8(text, field.Width);
        FRecord.replace(field.Offset, text.size(), text);
        return;
    case 'N':
        text = Number(field, value);
        if (text.size() > field.Width)
            Changed();
        FRecord.replace(field.Offset + field.Width - text.size(), text.size(), text);  // right-aligned
        return;
    case 'L':
        if (value.Kind != TFieldValue::vkBoolean)
            Changed();
        FRecord[field.Offset] = value.Integer ? 'T' : 'F';
        return;
    case 'D': {
        if (value.Kind != TFieldValue::vkDateTime)
            Changed();
        int year = 0, month = 0, day = 0;
        DecodeDate(value.Float, year, month, day);
        char digits[16];
        snprintf(digits, sizeof digits, "%04d%02d%02d", year, month, day);
        FRecord.replace(field.Offset, 8, digits);
        return;
    }
    }
}

void TDbfWriter::EndRecord()
{
    Write(FRecord);
    ++FWritten;
}

void TDbfWriter::Finish()
{
    // The header's count came from the first reading; a table that changed since would make it lie.
    if (FWritten != FMeasured)
        Changed();
    Write("\x1A");
}
