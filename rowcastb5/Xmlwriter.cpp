#include "rowcastb5/Xmlwriter.h"

#include <set>

#include "rowcastb5/Utf8text.h"

TXmlWriter::TXmlWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats)
{
    // Names that became the same ("a b", "a_b") are told apart by a number, so that a reader
    // going by element names finds each field.
    std::set<AnsiString> taken;
    for (const TExportColumn& column : columns) {
        const AnsiString base = ElementName(column.Name);
        AnsiString name = base;
        for (int n = 2; !taken.insert(name).second; ++n)
            name = base + "_" + IntToStr(n);
        AnsiString open = "    <" + name;
        if (name != column.Name) {
            open += " name=\"";
            AppendEscaped(open, ValidUtf8(column.Name), true);
            open += '"';
        }
        FOpen.push_back(std::move(open));
        FClose.push_back("</" + name + ">\n");
    }
}

TXmlWriter::~TXmlWriter() = default;

AnsiString TXmlWriter::ElementName(std::string_view fieldName)
{
    const auto ascii = [](unsigned char c, bool first) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
               (!first && ((c >= '0' && c <= '9') || c == '-' || c == '.'));
    };
    AnsiString name;
    const AnsiString valid = ValidUtf8(fieldName);
    for (size_t at = 0; at < valid.size();) {
        const size_t start = at;
        NextCodePoint(valid, at);
        name += at - start == 1 && ascii(valid[start], false) ? valid[start] : '_';
    }
    const bool reserved = name.size() >= 3 && (name[0] | 0x20) == 'x' && (name[1] | 0x20) == 'm' && (name[2] | 0x20) == 'l';
    if (name.empty() || !ascii(name[0], true) || reserved)
        name.insert(0, 1, '_');
    return name;
}

void TXmlWriter::AppendEscaped(AnsiString& out, std::string_view text, bool attribute)
{
    size_t copied = 0;
    auto put = [&](size_t at, size_t length, std::string_view replacement) {
        out.append(text.substr(copied, at - copied));
        out.append(replacement);
        copied = at + length;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&': put(i, 1, "&amp;"); break;
        case '<': put(i, 1, "&lt;"); break;
        case '>': put(i, 1, "&gt;"); break;  // "]]>" may not stand in character data
        case '"': if (attribute) put(i, 1, "&quot;"); break;
        case '\r': put(i, 1, "&#13;"); break;  // parsers turn a literal CR into LF
        case '\t': if (attribute) put(i, 1, "&#9;"); break;  // and these into spaces in attributes
        case '\n': if (attribute) put(i, 1, "&#10;"); break;
        case 0xEF:  // U+FFFE and U+FFFF are EF BF BE and EF BF BF
            if (i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
                (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
                put(i, 3, ReplacementCharacter);
                i += 2;
            }
            break;
        default:
            if (c < 0x20)
                put(i, 1, ReplacementCharacter);
        }
    }
    out.append(text.substr(copied));
}

AnsiString TXmlWriter::MachineText(const TExportColumn& column, const TFieldValue& value)
{
    switch (value.Kind) {
    case TFieldValue::vkNull: return {};
    case TFieldValue::vkInteger: return IntToStr(value.Integer);
    case TFieldValue::vkFloat: return FloatToStr(value.Float);
    case TFieldValue::vkBoolean: return value.Integer ? "true" : "false";
    case TFieldValue::vkDateTime:
        return column.Type == ftDate ? ISODate(value.Float)
             : column.Type == ftTime ? ISOTime(value.Float)
                                     : ISODateTime(value.Float);
    case TFieldValue::vkText: return ValidUtf8(value.Text);
    case TFieldValue::vkBytes: return HexBytes(value.Text);
    }
    return {};
}

void TXmlWriter::Begin()
{
    Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<records>\n");
}

void TXmlWriter::BeginRecord()
{
    FLine = "  <record>\n";
}

void TXmlWriter::Value(size_t column, const TFieldValue& value)
{
    FLine += FOpen[column];
    if (value.Kind == TFieldValue::vkNull) {
        FLine += " null=\"true\"/>\n";
        return;
    }
    const AnsiString text = MachineText(Column(column), value);
    if (text.empty()) {
        FLine += "/>\n";
        return;
    }
    FLine += '>';
    AppendEscaped(FLine, text, false);
    FLine += FClose[column];
}

void TXmlWriter::EndRecord()
{
    FLine += "  </record>\n";
    Write(FLine);
}

void TXmlWriter::Finish()
{
    Write("</records>\n");
}
