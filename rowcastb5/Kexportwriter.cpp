#include "rowcastb5/Kexportwriter.h"

#include "rowcastb5/Kbaseexport.h"

#include <charconv>

TExportOutput::~TExportOutput() = default;
TFileExportOutput::~TFileExportOutput() = default;
TMemoryExportOutput::~TMemoryExportOutput() = default;
TExportWriter::~TExportWriter() = default;

TValueText::TValueText(const TKFormats& formats)
    : FDate(formats.DateFormat().empty() ? ShortDateFormat : formats.DateFormat()),
      FTime(formats.TimeFormat().empty() ? LongTimeFormat : formats.TimeFormat()),
      FDateTime(formats.DateTimeFormat().empty() ? ShortDateFormat + " " + LongTimeFormat : formats.DateTimeFormat())
{
}

const AnsiString& TValueText::DatePattern(const TExportColumn& column) const
{
    return column.Type == ftDate ? FDate : column.Type == ftTime ? FTime : FDateTime;
}

AnsiString TValueText::Text(const TExportColumn& column, const TFieldValue& value) const
{
    AnsiString text;
    Append(text, column, value);
    return text;
}

void TValueText::Append(AnsiString& out, const TExportColumn& column, const TFieldValue& value) const
{
    char digits[32];
    switch (value.Kind) {
    case TFieldValue::vkNull: return;
    case TFieldValue::vkInteger: {
        auto [end, error] = std::to_chars(digits, digits + sizeof digits, value.Integer);
        out.append(digits, end);
        return;
    }
    case TFieldValue::vkFloat: AppendFloatToStr(out, value.Float); return;
    case TFieldValue::vkBoolean: out += value.Integer ? "True" : "False"; return;
    case TFieldValue::vkDateTime: AppendFormatDateTime(out, DatePattern(column), value.Float); return;
    case TFieldValue::vkText: AppendValidUtf8(out, value.Text); return;
    case TFieldValue::vkBytes: out += HexBytes(value.Text); return;
    }
}

namespace {

// The length of the valid UTF-8 sequence at the start of `s`, or 0 when there is none there:
// no overlong forms, no surrogates, nothing past U+10FFFF.
size_t SequenceLength(std::string_view s)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (s.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

}  // namespace

AnsiString ValidUtf8(std::string_view text)
{
    AnsiString valid;
    valid.reserve(text.size());
    AppendValidUtf8(valid, text);
    return valid;
}

void AppendValidUtf8(AnsiString& valid, std::string_view text)
{
    while (!text.empty()) {
        // Plain ASCII, most text, goes over in one piece.
        size_t ascii = 0;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80)
            ++ascii;
        valid.append(text.substr(0, ascii));
        text.remove_prefix(ascii);
        if (text.empty())
            break;
        const size_t length = SequenceLength(text);
        if (length == 0) {
            valid += "\xEF\xBF\xBD";
            text.remove_prefix(1);
        } else {
            valid.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
}

AnsiString HexBytes(std::string_view bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    AnsiString hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex += Digits[c >> 4];
        hex += Digits[c & 0xF];
    }
    return hex;
}
