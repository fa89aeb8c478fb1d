#include "rowcastb5/Sqlwriter.h"

#include <algorithm>
#include <cmath>

#include "rowcastb5/Columnnames.h"
#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Dateutils.h"

namespace {

// PostgreSQL cuts longer identifiers, which could make two columns one.
constexpr size_t MaxIdentifierBytes = 63;
// Beyond this a DOUBLE PRECISION no longer holds every integer.
constexpr int64_t ExactInDouble = int64_t(1) << 53;

constexpr unsigned Bit(TFieldValue::TKind kind) { return 1u << kind; }

const char* TypeName(uint8_t type)
{
    static const char* const names[] = {"TEXT", "BIGINT", "DOUBLE PRECISION", "BOOLEAN",
                                        "DATE", "TIME", "TIMESTAMP", "BIT VARYING"};
    return names[type];
}

// PostgreSQL's words for the floats that have no numeral; SQLite keeps them as text.
const char* NonFiniteWord(double value)
{
    return std::isnan(value) ? "NaN" : value < 0 ? "-Infinity" : "Infinity";
}

// A date value as the ISO text its column's declared kind calls for.
AnsiString IsoText(TFieldType type, TDateTime value)
{
    if (type == ftDate)
        return ISODate(value);
    if (type == ftTime)
        return ISOTime(value);
    return ISODate(value) + " " + ISOTime(value);
}

}  // namespace

TSqlWriter::TSqlWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats,
                       const AnsiString& table)
    : TExportWriter(out, columns, formats), FTable(UniqueColumnNames({table}, MaxIdentifierBytes)[0]),
      FSeen(columns.size())
{
}

TSqlWriter::~TSqlWriter() = default;

AnsiString TSqlWriter::Identifier(std::string_view name)
{
    AnsiString quoted = "\"";
    for (char c : name)
        quoted += c == '"' ? "\"\"" : AnsiString(1, c);
    return quoted + '"';
}

AnsiString TSqlWriter::Literal(std::string_view text)
{
    AnsiString quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    for (size_t i = 0; i < text.size();) {
        size_t next = i;  // one pass over the bytes: most text holds none of the three
        while (next < text.size() && text[next] != '\'' && text[next] != '\r' && text[next] != '\0')
            ++next;
        quoted.append(text.substr(i, next - i));
        if (next == text.size())
            break;
        const char c = text[next];
        if (c == '\'')
            quoted += "''";
        else if (c == '\0')
            quoted += "\xEF\xBF\xBD";
        else if (next + 1 < text.size() && text[next + 1] == '\n')
            quoted += "\r' || '";  // the sqlite3 shell reads CR LF as a line's end and drops the CR
        else
            quoted += '\r';
        i = next + 1;
    }
    quoted += '\'';
    return quoted;
}

void TSqlWriter::Measure(size_t column, const TFieldValue& value)
{
    TSeen& seen = FSeen[column];
    seen.Kinds |= Bit(value.Kind);
    if (value.Kind == TFieldValue::vkInteger && (value.Integer > ExactInDouble || value.Integer < -ExactInDouble))
        seen.WideIntegers = true;
}

TSqlWriter::TSqlType TSqlWriter::ColumnType(size_t column)
{
    const TSeen& seen = FSeen[column];
    const unsigned kinds = seen.Kinds & ~Bit(TFieldValue::vkNull);
    const auto only = [&](unsigned allowed) { return (kinds & ~allowed) == 0; };
    const unsigned numbers = Bit(TFieldValue::vkInteger) | Bit(TFieldValue::vkFloat);
    TSqlType declared = stText;
    bool fits = true;
    switch (Column(column).Type) {
    case ftInteger:
    case ftLargeint:
        declared = stBigint;
        if (only(Bit(TFieldValue::vkInteger)))
            return stBigint;
        // A float in an integer column (SQLite keeps 1.5 as it is) makes it a float column.
        if (only(numbers) && !seen.WideIntegers)
            return stDouble;
        fits = false;
        break;
    case ftFloat:
        declared = stDouble;
        fits = only(numbers) && !seen.WideIntegers;
        break;
    case ftBoolean:
        declared = stBoolean;
        fits = only(Bit(TFieldValue::vkBoolean));
        break;
    case ftDate:
    case ftTime:
    case ftDateTime:
        declared = Column(column).Type == ftDate ? stDate : Column(column).Type == ftTime ? stTime : stTimestamp;
        fits = only(Bit(TFieldValue::vkDateTime));
        break;
    case ftBlob:
        declared = stBits;
        fits = only(Bit(TFieldValue::vkBytes));
        break;
    default:
        break;
    }
    if (fits)
        return declared;
    Note(Format("%s is a TEXT column: it holds values that are no %s", {Column(column).Name, TypeName(declared)}));
    return stText;
}

void TSqlWriter::Begin()
{
    if (Columns().empty())
        throw EExportError("An SQL table needs at least one column");
    std::vector<AnsiString> names;
    for (const TExportColumn& column : Columns())
        names.push_back(ValidUtf8(column.Name));
    names = UniqueColumnNames(names, MaxIdentifierBytes);

    AnsiString create = "BEGIN;\nCREATE TABLE " + Identifier(FTable) + " (\n";
    for (size_t i = 0; i < Columns().size(); ++i) {
        FTypes.push_back(ColumnType(i));
        create += "  " + Identifier(names[i]) + " " + TypeName(FTypes[i]) + (i + 1 < Columns().size() ? ",\n" : "\n");
    }
    Write(create + ");\n");
    FInsert = "INSERT INTO " + Identifier(FTable) + " VALUES (";
}

void TSqlWriter::BeginRecord()
{
    FStatement = FInsert;
}

AnsiString TSqlWriter::Sql(size_t column, TSqlType type, const TFieldValue& value) const
{
    switch (value.Kind) {
    case TFieldValue::vkNull: return "NULL";
    case TFieldValue::vkInteger:
        return type == stText ? Literal(IntToStr(value.Integer)) : IntToStr(value.Integer);
    case TFieldValue::vkFloat:
        if (!std::isfinite(value.Float))
            return Literal(NonFiniteWord(value.Float));
        return type == stText ? Literal(FloatToStr(value.Float)) : FloatToStr(value.Float);
    case TFieldValue::vkBoolean:
        if (type == stText)
            return value.Integer ? "'true'" : "'false'";
        return value.Integer ? "TRUE" : "FALSE";
    case TFieldValue::vkDateTime: return Literal(IsoText(Column(column).Type, value.Float));
    case TFieldValue::vkText: return Literal(ValidUtf8(value.Text));
    case TFieldValue::vkBytes:
        return type == stText ? Literal(HexBytes(value.Text)) : "X'" + HexBytes(value.Text) + "'";
    }
    return "NULL";
}

void TSqlWriter::Value(size_t column, const TFieldValue& value)
{
    if (column > 0)
        FStatement += ", ";
    FStatement += Sql(column, FTypes[column], value);
}

void TSqlWriter::EndRecord()
{
    FStatement += ");\n";
    Write(FStatement);
}

void TSqlWriter::Finish()
{
    Write("COMMIT;\n");
}
