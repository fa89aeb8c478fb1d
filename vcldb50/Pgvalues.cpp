#include "vcldb50/Pgvalues.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>

namespace {

// The built-in types' OIDs, fixed in every server since they were made.
enum : Oid {
    BoolOid = 16, ByteaOid = 17, NameOid = 19, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, TextOid = 25, OidOid = 26,
    JsonOid = 114, XmlOid = 142, Float4Oid = 700, Float8Oid = 701, BpcharOid = 1042, VarcharOid = 1043,
    DateOid = 1082, TimeOid = 1083, TimestampOid = 1114, TimestamptzOid = 1184, NumericOid = 1700, JsonbOid = 3802,
};

constexpr int64_t MicrosPerDay = 86400000000;

// ---- moments ----

// A day and a time of it in microseconds, to the nearest millisecond; false when TDateTime has no
// such value. A time alone that rounds to 24:00 has none; a moment's is the next day's.
bool StoreMoment(bool withDate, int year, int month, int day, int64_t micros, TFieldValue& value)
{
    if (micros < 0 || micros >= MicrosPerDay)
        return false;
    int64_t ms = (micros + 500) / 1000;
    TDateTime date;
    if (ms == 86400000) {
        if (!withDate || !TryEncodeDate(year, month, day, date) || (year == 9999 && month == 12 && day == 31))
            return false;
        DecodeDate(date + 1, year, month, day);
        ms = 0;
    }
    const int time = static_cast<int>(ms);
    if (!TryEncodeDateTime(year, month, day, time / 3600000, time / 60000 % 60, time / 1000 % 60, time % 1000, date))
        return false;
    value.Kind = TFieldValue::vkDateTime;
    value.Float = date;
    return true;
}

bool Digits(std::string_view s, size_t at, size_t count, int& value)
{
    if (at + count > s.size())
        return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

// "HH:MM:SS[.ffffff]" from `at`, in microseconds; `at` ends after it.
bool ReadClock(std::string_view s, size_t& at, int64_t& micros)
{
    int hour, minute, second;
    if (!Digits(s, at, 2, hour) || s.size() < at + 8 || s[at + 2] != ':' || !Digits(s, at + 3, 2, minute) ||
        s[at + 5] != ':' || !Digits(s, at + 6, 2, second))
        return false;
    at += 8;
    int fraction = 0;
    if (at < s.size() && s[at] == '.') {
        int scale = 100000;
        for (++at; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at, scale /= 10)
            fraction += (s[at] - '0') * scale;
    }
    micros = ((hour * 60 + minute) * 60 + second) * int64_t{1000000} + fraction;
    return true;
}

bool ReadTextMoment(std::string_view s, bool withDate, bool withTime, bool withZone, TFieldValue& value)
{
    int year = 1899, month = 12, day = 30;
    size_t at = 0;
    if (withDate) {
        // Years past 9999, BC and infinity are kept as the server's text: TDateTime has no such day.
        if (!Digits(s, 0, 4, year) || s.size() < 10 || s[4] != '-' || !Digits(s, 5, 2, month) || s[7] != '-' ||
            !Digits(s, 8, 2, day))
            return false;
        at = 10;
    }
    int64_t micros = 0;
    if (withDate && withTime && !(at < s.size() && s[at++] == ' '))
        return false;
    if (withTime && !ReadClock(s, at, micros))
        return false;
    if (withZone && at < s.size() && (s[at] == '+' || s[at] == '-')) {
        // The session's time zone is the one the time is in; its offset is left out.
        for (++at; at < s.size() && ((s[at] >= '0' && s[at] <= '9') || s[at] == ':'); ++at) {
        }
    }
    return at == s.size() && StoreMoment(withDate, year, month, day, micros, value);
}

// The day `days` after 2000-01-01 in the proleptic Gregorian calendar (year 0 is 1 BC), as the
// server counts its dates.
void CivilDate(int64_t days, int& year, int& month, int& day)
{
    const int64_t z = days + 10957 + 719468;  // from 1970-01-01, then from 0000-03-01
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

void AppendNumber(AnsiString& out, int64_t number, int width)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(static_cast<size_t>(std::max<int64_t>(0, width - (end - digits))), '0');
    out.append(digits, end);
}

// The server's text of what TDateTime cannot hold, written as its ISO date style writes it:
// "YYYY-MM-DD", "HH:MM:SS" with the fraction's trailing zeros cut, " BC" after a moment before
// year 1.
AnsiString DateText(int year, int month, int day)
{
    AnsiString text;
    AppendNumber(text, year > 0 ? year : 1 - year, 4);
    text += '-';
    AppendNumber(text, month, 2);
    text += '-';
    AppendNumber(text, day, 2);
    return text;
}

AnsiString ClockText(int64_t micros)
{
    AnsiString text;
    AppendNumber(text, micros / 3600000000, 2);
    text += ':';
    AppendNumber(text, micros / 60000000 % 60, 2);
    text += ':';
    AppendNumber(text, micros / 1000000 % 60, 2);
    if (int64_t fraction = micros % 1000000) {
        int width = 6;
        for (; fraction % 10 == 0; fraction /= 10)
            --width;
        text += '.';
        AppendNumber(text, fraction, width);
    }
    return text;
}

bool StoreInteger(int64_t number, TFieldValue& value)
{
    value.Kind = TFieldValue::vkInteger;
    value.Integer = number;
    return true;
}

void StoreText(std::string_view text, TFieldValue& value)
{
    value.Kind = TFieldValue::vkText;
    value.Text.assign(text);
}

// The server counts days and microseconds from 2000-01-01 00:00.
constexpr int64_t DaysTo2000 = 36526;  // from 1899-12-30
constexpr int64_t MsPerDay = 86400000;

// Microseconds to the nearest millisecond, halves up, before the epoch too. The bytes may hold
// any 64-bit number, so the half is not added first: near the largest it would overflow.
int64_t Milliseconds(int64_t micros)
{
    int64_t ms = micros / 1000, rest = micros % 1000;
    if (rest < 0) {
        --ms;
        rest += 1000;
    }
    return ms + (rest >= 500);
}

bool StoreMilliseconds(int64_t milliseconds, TFieldValue& value)
{
    if (!TryMillisecondsToDateTime(milliseconds, value.Float))
        return false;
    value.Kind = TFieldValue::vkDateTime;
    return true;
}

// Days since 2000-01-01 (its ends are infinity).
void ReadBinaryDate(int32_t days, TFieldValue& value)
{
    if (days == INT32_MAX || days == INT32_MIN)
        return StoreText(days > 0 ? "infinity" : "-infinity", value);
    if (StoreMilliseconds((days + DaysTo2000) * MsPerDay, value))
        return;
    int year, month, day;
    CivilDate(days, year, month, day);
    StoreText(DateText(year, month, day) + (year > 0 ? "" : " BC"), value);
}

// Microseconds since 2000-01-01 00:00 (its ends are infinity).
void ReadBinaryTimestamp(int64_t micros, TFieldValue& value)
{
    if (micros == INT64_MAX || micros == INT64_MIN)
        return StoreText(micros > 0 ? "infinity" : "-infinity", value);
    // A moment that rounds past 9999-12-31 24:00 has no TDateTime either.
    if (StoreMilliseconds(Milliseconds(micros) + DaysTo2000 * MsPerDay, value))
        return;
    int64_t days = micros / MicrosPerDay, time = micros % MicrosPerDay;
    if (time < 0) {
        --days;
        time += MicrosPerDay;
    }
    int year, month, day;
    CivilDate(days, year, month, day);
    StoreText(DateText(year, month, day) + " " + ClockText(time) + (year > 0 ? "" : " BC"), value);
}

// Microseconds since midnight; a time that rounds to 24:00 has no TDateTime.
void ReadBinaryTime(int64_t micros, TFieldValue& value)
{
    if (micros < 0 || Milliseconds(micros) >= MsPerDay || !StoreMilliseconds(Milliseconds(micros), value))
        StoreText(ClockText(micros), value);
}

// ---- numbers, bytes ----

bool ReadInteger(std::string_view s, TFieldValue& value)
{
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value.Integer);
    value.Kind = TFieldValue::vkInteger;
    return error == std::errc() && end == s.data() + s.size();
}

// NaN, Infinity and -Infinity included.
bool ReadFloat(std::string_view s, TFieldValue& value)
{
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value.Float);
    value.Kind = TFieldValue::vkFloat;
    return error == std::errc() && end == s.data() + s.size();
}

// A numeric of up to 15 significant digits is the double nearest to it, which reads back as the
// same digits; one of more digits stays the server's exact text rather than lose some.
bool ReadNumeric(std::string_view s, TFieldValue& value)
{
    int significant = 0, zeros = 0;
    bool started = false;
    for (char c : s) {
        if (c < '0' || c > '9')
            continue;
        if (c == '0') {
            zeros += started;
            continue;
        }
        significant += started ? zeros + 1 : 1;
        started = true;
        zeros = 0;
    }
    return significant <= 15 && ReadFloat(s, value);
}

// bytea as "\x" and two hex digits a byte.
bool ReadHexBytes(std::string_view s, TFieldValue& value)
{
    if (!s.starts_with("\\x") || s.size() % 2 != 0)
        return false;
    auto nibble = [](char c) {
        return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    };
    value.Text.resize((s.size() - 2) / 2);
    for (size_t i = 2, o = 0; i < s.size(); i += 2, ++o)
        value.Text[o] = static_cast<char>(nibble(s[i]) << 4 | nibble(s[i + 1]));
    value.Kind = TFieldValue::vkBytes;
    return true;
}

}  // namespace

// Every other type (text, uuid, arrays, intervals, enums, ...) is text, as the server writes it.
TFieldType PgFieldTypeOf(Oid type)
{
    switch (type) {
    case Int2Oid:
    case Int4Oid: return ftInteger;
    case Int8Oid:
    case OidOid: return ftLargeint;
    case Float4Oid:
    case Float8Oid:
    case NumericOid: return ftFloat;
    case BoolOid: return ftBoolean;
    case DateOid: return ftDate;
    case TimeOid: return ftTime;
    case TimestampOid:
    case TimestamptzOid: return ftDateTime;
    case ByteaOid: return ftBlob;
    case JsonOid:
    case JsonbOid:
    case XmlOid: return ftMemo;
    default: return ftString;
    }
}

// A float4 is a double only through its shortest text, and a numeric's binary digits would have
// to be written out again: both come as text. A moment with a zone comes as text too: its binary
// form is in UTC, and the session's zone, which only the server knows, gives its local time.
bool PgReadsBinary(Oid type)
{
    switch (type) {
    case BoolOid:
    case ByteaOid:
    case NameOid:
    case Int8Oid:
    case Int2Oid:
    case Int4Oid:
    case TextOid:
    case OidOid:
    case JsonOid:
    case Float8Oid:
    case BpcharOid:
    case VarcharOid:
    case DateOid:
    case TimeOid:
    case TimestampOid: return true;
    default: return false;
    }
}

bool ReadPgBinaryValue(Oid type, std::string_view bytes, TFieldValue& value)
{
    auto sized = [&](size_t size) {
        return bytes.size() == size;
    };
    switch (type) {
    case BoolOid:
        value.Kind = TFieldValue::vkBoolean;
        value.Integer = !bytes.empty() && bytes[0] != 0;
        return sized(1);
    case Int2Oid: return sized(2) && StoreInteger(PgBigEndian<int16_t>(bytes), value);
    case Int4Oid: return sized(4) && StoreInteger(PgBigEndian<int32_t>(bytes), value);
    case Int8Oid: return sized(8) && StoreInteger(PgBigEndian<int64_t>(bytes), value);
    case OidOid: return sized(4) && StoreInteger(PgBigEndian<uint32_t>(bytes), value);
    case Float8Oid:
        if (!sized(8))
            return false;
        value.Kind = TFieldValue::vkFloat;
        value.Float = std::bit_cast<double>(PgBigEndian<uint64_t>(bytes));
        return true;
    case ByteaOid:
        value.Kind = TFieldValue::vkBytes;
        value.Text.assign(bytes);
        return true;
    case DateOid:
        if (!sized(4))
            return false;
        ReadBinaryDate(PgBigEndian<int32_t>(bytes), value);
        return true;
    case TimeOid:
        if (!sized(8))
            return false;
        ReadBinaryTime(PgBigEndian<int64_t>(bytes), value);
        return true;
    case TimestampOid:
        if (!sized(8))
            return false;
        ReadBinaryTimestamp(PgBigEndian<int64_t>(bytes), value);
        return true;
    default:  // the text types, whose binary form is their text
        StoreText(bytes, value);
        return true;
    }
}

void ReadPgTextValue(Oid type, std::string_view text, TFieldValue& value)
{
    bool read = false;
    switch (type) {
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid: read = ReadInteger(text, value); break;
    case Float4Oid:
    case Float8Oid: read = ReadFloat(text, value); break;
    case NumericOid: read = ReadNumeric(text, value); break;
    case BoolOid:
        value.Kind = TFieldValue::vkBoolean;
        value.Integer = text == "t";
        return;
    case DateOid: read = ReadTextMoment(text, true, false, false, value); break;
    case TimeOid: read = ReadTextMoment(text, false, true, false, value); break;
    case TimestampOid: read = ReadTextMoment(text, true, true, false, value); break;
    case TimestamptzOid: read = ReadTextMoment(text, true, true, true, value); break;
    case ByteaOid: read = ReadHexBytes(text, value); break;
    default: break;
    }
    if (!read)
        StoreText(text, value);
}
