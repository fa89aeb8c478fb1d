#include "vcl50/Dateutils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <vector>

namespace {

constexpr int64_t MSecsPerDay = 86400000;
constexpr int64_t UnixEpochDay = 25569;  // 1970-01-01
constexpr int64_t FirstDay = -693593;    // 0001-01-01
constexpr int64_t LastDay = 2958465;     // 9999-12-31
constexpr double JulianEpoch = 2415018.5;  // the Julian day of 1899-12-30 00:00

// A moment as milliseconds from 1899-12-30 00:00 on a plain line, which the platform's
// encoding is not before that day (-1.25 comes after -1.0). Every conversion goes through it.
constexpr int64_t FirstMoment = FirstDay * MSecsPerDay;
constexpr int64_t LastMoment = (LastDay + 1) * MSecsPerDay - 1;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool IsDate(int year, int month, int day)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    return day <= days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsTime(int hour, int minute, int second, int millisecond)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           millisecond >= 0 && millisecond < 1000;
}

int64_t MillisecondOfDay(int hour, int minute, int second, int millisecond)
{
    return ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
}

// The days from 1899-12-30 to a valid date. The year is counted from March so that the leap
// day ends it; 400 years are always 146097 days.
int64_t DayNumber(int year, int month, int day)
{
    int y = year - (month <= 2 ? 1 : 0);  // not negative in years 1..9999
    int era = y / 400;
    int yearOfEra = y - era * 400;
    int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return int64_t(era) * 146097 + dayOfEra - 719468 + UnixEpochDay;  // 719468: 0000-03-01 to 1970-01-01
}

void CivilDate(int64_t dayNumber, int& year, int& month, int& day)
{
    int64_t z = dayNumber - UnixEpochDay + 719468;  // days since 0000-03-01, not negative in range
    int64_t era = z / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// The value to the nearest millisecond. A time that rounds to 24:00 lands on the next day's
// midnight by the arithmetic itself, before 1899 as after.
bool TryMomentOf(TDateTime value, int64_t& moment)
{
    if (!(value > FirstDay - 1 && value < LastDay + 1))  // NaN fails here too
        return false;
    double whole = std::trunc(value);
    // llround's halves away from zero, without its call: taking the whole part off is exact.
    const double ms = std::fabs(value - whole) * MSecsPerDay;
    auto rounded = static_cast<int64_t>(ms);
    rounded += ms - static_cast<double>(rounded) >= 0.5;
    moment = static_cast<int64_t>(whole) * MSecsPerDay + rounded;
    return moment >= FirstMoment && moment <= LastMoment;
}

TDateTime ValueOf(int64_t moment)
{
    int64_t day = FloorDiv(moment, MSecsPerDay);
    double time = static_cast<double>(moment - day * MSecsPerDay) / MSecsPerDay;
    return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

struct TDayAndTime {
    int64_t Day;      // from 1899-12-30
    int Millisecond;  // of the day
};

// The one way from a value to its day and time, so that every reader rounds alike.
TDayAndTime Split(TDateTime value)
{
    int64_t moment = 0;
    if (!TryMomentOf(value, moment)) {
        char text[32];
        auto end = std::to_chars(text, text + sizeof text, value).ptr;
        throw EConvertError("Date and time value " + AnsiString(text, end) + " is outside years 1 to 9999");
    }
    int64_t day = FloorDiv(moment, MSecsPerDay);
    return {day, static_cast<int>(moment - day * MSecsPerDay)};
}

void TimeFields(int ms, int& hour, int& minute, int& second, int& millisecond)
{
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    millisecond = ms % 1000;
}

// A formatted value gathered before it goes into the string in one piece: an export formats a
// date per record, and every small append to a string costs a call of its own.
class TPieces {
public:
    explicit TPieces(AnsiString& out) : FOut(out) {}
    ~TPieces() { Flush(); }
    TPieces(const TPieces&) = delete;
    TPieces& operator=(const TPieces&) = delete;

    void Append(std::string_view text)
    {
        if (FSize + text.size() > sizeof FBuffer) {
            Flush();
            if (text.size() > sizeof FBuffer)
                return FOut.append(text), void();
        }
        if (text.size() == 1)  // a separator, most literal text: no call
            FBuffer[FSize] = text[0];
        else
            std::memcpy(FBuffer + FSize, text.data(), text.size());
        FSize += text.size();
    }
    TPieces& operator+=(std::string_view text) { return Append(text), *this; }
    TPieces& operator+=(char c) { return Append(std::string_view(&c, 1)), *this; }
    // The number's digits, zeros before them up to `width` (at most 20).
    void Padded(uint64_t value, int width)
    {
        if (value < 100 && width <= 2 && FSize + 2 <= sizeof FBuffer) {  // most fields of a date
            if (value >= 10 || width == 2)
                FBuffer[FSize++] = static_cast<char>('0' + value / 10);
            FBuffer[FSize++] = static_cast<char>('0' + value % 10);
            return;
        }
        PaddedLong(value, width);
    }
    void Flush()
    {
        FOut.append(FBuffer, FSize);
        FSize = 0;
    }

private:
    [[gnu::noinline]] void PaddedLong(uint64_t value, int width)
    {
        int digits = 1;
        for (uint64_t rest = value / 10; rest != 0; rest /= 10)
            ++digits;
        const int length = std::max(digits, std::min(width, 20));
        if (FSize + static_cast<size_t>(length) > sizeof FBuffer)
            Flush();
        char* at = FBuffer + FSize + length;
        for (int i = 0; i < length; ++i, value /= 10)
            *--at = static_cast<char>('0' + value % 10);
        FSize += static_cast<size_t>(length);
    }

    AnsiString& FOut;
    char FBuffer[64];
    size_t FSize = 0;
};

}  // namespace

// ---- encoding and decoding --------------------------------------------------------------------

bool TryEncodeDate(int year, int month, int day, TDateTime& value)
{
    if (!IsDate(year, month, day))
        return false;
    value = static_cast<double>(DayNumber(year, month, day));
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value)
{
    if (!IsTime(hour, minute, second, millisecond))
        return false;
    value = static_cast<double>(MillisecondOfDay(hour, minute, second, millisecond)) / MSecsPerDay;
    return true;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond,
                       TDateTime& value)
{
    if (!IsDate(year, month, day) || !IsTime(hour, minute, second, millisecond))
        return false;
    value = ValueOf(DayNumber(year, month, day) * MSecsPerDay + MillisecondOfDay(hour, minute, second, millisecond));
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value))
        throw EConvertError("Invalid argument to date encode");
    return value;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime value = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, value))
        throw EConvertError("Invalid argument to time encode");
    return value;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    TDateTime value = 0;
    if (!TryEncodeDateTime(year, month, day, hour, minute, second, millisecond, value))
        throw EConvertError("Invalid argument to date and time encode");
    return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) { CivilDate(Split(value).Day, year, month, day); }

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    TimeFields(Split(value).Millisecond, hour, minute, second, millisecond);
}

// ---- machine forms ----------------------------------------------------------------------------

namespace {

// Digits written in place: machine forms are written once per exported value.
char* Digits(char* at, int value, int width)
{
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = static_cast<char>('0' + value % 10);
    return at + width;
}

AnsiString DateText(int64_t day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(day, year, month, dayOfMonth);
    char text[10];
    char* at = Digits(text, year, 4);
    *at++ = '-';
    at = Digits(at, month, 2);
    *at++ = '-';
    Digits(at, dayOfMonth, 2);
    return AnsiString(text, sizeof text);
}

AnsiString TimeText(int ms)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    TimeFields(ms, hour, minute, second, millisecond);
    char text[12];
    char* at = Digits(text, hour, 2);
    *at++ = ':';
    at = Digits(at, minute, 2);
    *at++ = ':';
    at = Digits(at, second, 2);
    if (millisecond != 0) {
        *at++ = '.';
        at = Digits(at, millisecond, 3);
    }
    return AnsiString(text, at);
}

}  // namespace

AnsiString ISODate(TDateTime value) { return DateText(Split(value).Day); }

AnsiString ISOTime(TDateTime value) { return TimeText(Split(value).Millisecond); }

AnsiString ISODateTime(TDateTime value)
{
    TDayAndTime split = Split(value);
    return DateText(split.Day) + 'T' + TimeText(split.Millisecond);
}

// ---- FormatDateTime ---------------------------------------------------------------------------

namespace {

constexpr const char* ShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* LongDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* ShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* LongMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};

struct TFields {
    int Year, Month, Day, WeekDay;  // WeekDay 0 is Sunday
    int Hour, Minute, Second, Millisecond;
    bool Midnight;
};

TFields FieldsOf(TDateTime value)
{
    TDayAndTime split = Split(value);
    TFields f{};
    // An export's dates often come a day after a day: each day's calendar is worked out once.
    thread_local struct {
        int64_t Day = INT64_MIN;
        int Year, Month, DayOfMonth;
    } last;
    if (split.Day != last.Day) {
        CivilDate(split.Day, last.Year, last.Month, last.DayOfMonth);
        last.Day = split.Day;
    }
    f.Year = last.Year;
    f.Month = last.Month;
    f.Day = last.DayOfMonth;
    f.WeekDay = static_cast<int>((split.Day % 7 + 13) % 7);  // 1899-12-30 was a Saturday
    TimeFields(split.Millisecond, f.Hour, f.Minute, f.Second, f.Millisecond);
    f.Midnight = split.Millisecond == 0;
    return f;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// One piece of a pattern: a run of one pattern letter, a 12-hour marker, or literal text.
struct TToken {
    char Letter = 0;  // lower case; 'a' for a marker, 0 for literal text
    int Count = 0;
    AnsiString Text;  // the literal text, or the marker as written
    bool TwelveHour = false;      // an hour of a pattern with a marker
    bool SkipAtMidnight = false;  // the time "c" adds after the date
};

// The marker at the start of `rest`, as written; empty when there is none.
std::string_view MarkerAt(std::string_view rest)
{
    for (std::string_view marker : {"am/pm", "a/p", "ampm"}) {
        if (rest.size() >= marker.size() &&
            std::equal(marker.begin(), marker.end(), rest.begin(), [](char m, char c) { return m == Lower(c); }))
            return rest.substr(0, marker.size());
    }
    return {};
}

std::vector<TToken> Tokens(std::string_view pattern)
{
    std::vector<TToken> tokens;
    auto literal = [&](std::string_view text) {
        if (tokens.empty() || tokens.back().Letter != 0)
            tokens.emplace_back();
        tokens.back().Text += text;
    };
    for (size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        char letter = Lower(c);
        if (c == '\'' || c == '"') {  // to the matching quote, or to the end when there is none
            size_t close = std::min(pattern.find(c, i + 1), pattern.size());
            literal(pattern.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (std::string_view marker = MarkerAt(pattern.substr(i)); !marker.empty()) {
            tokens.push_back({'a', 1, AnsiString(marker)});
            i += marker.size();
        } else if (std::string_view("dmnyhszct").find(letter) != std::string_view::npos) {
            size_t end = i;
            while (end < pattern.size() && Lower(pattern[end]) == letter)
                ++end;
            tokens.push_back({letter, static_cast<int>(end - i), {}});
            i = end;
        } else
            literal(pattern.substr(i++, 1));
    }
    // m and mm between an hour and a second are minutes; literal text between does not part them.
    char previous = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        TToken& t = tokens[i];
        if (t.Letter == 0)
            continue;
        if (t.Letter == 'm' && t.Count <= 2) {
            auto next = std::find_if(tokens.begin() + static_cast<ptrdiff_t>(i) + 1, tokens.end(),
                                     [](const TToken& n) { return n.Letter != 0; });
            if (previous == 'h' || (next != tokens.end() && next->Letter == 's'))
                t.Letter = 'n';
        }
        previous = t.Letter;
    }
    return tokens;
}

// The regional patterns may name each other ("c" in ShortDateFormat); the depth stops a loop.
constexpr int MaxNesting = 2;

// A pattern's pieces with the regional patterns it names put in their place, and which of those
// it took in, as they were then.
struct TFlatPattern {
    std::vector<TToken> Tokens;
    std::vector<std::pair<const AnsiString*, AnsiString>> Regional;

    bool Current() const
    {
        return std::all_of(Regional.begin(), Regional.end(), [](const auto& r) { return *r.first == r.second; });
    }
};

void Flatten(std::string_view pattern, int depth, bool skipAtMidnight, TFlatPattern& flat)
{
    if (depth > MaxNesting)
        return;
    std::vector<TToken> tokens = Tokens(pattern);
    const bool twelveHour = std::any_of(tokens.begin(), tokens.end(), [](const TToken& t) { return t.Letter == 'a'; });
    auto nested = [&](const AnsiString& regional, bool skip) {
        flat.Regional.emplace_back(&regional, regional);
        Flatten(regional, depth + 1, skip, flat);
    };
    for (TToken& t : tokens) {
        if (t.Letter == 'c') {
            nested(ShortDateFormat, skipAtMidnight);
            flat.Tokens.push_back({0, 0, " ", false, true});
            nested(LongTimeFormat, true);
        } else if (t.Letter == 't') {
            nested(t.Count == 1 ? ShortTimeFormat : LongTimeFormat, skipAtMidnight);
        } else if (t.Letter == 'd' && t.Count >= 5) {
            nested(t.Count == 5 ? ShortDateFormat : LongDateFormat, skipAtMidnight);
        } else {
            t.TwelveHour = twelveHour;
            t.SkipAtMidnight = skipAtMidnight;
            flat.Tokens.push_back(std::move(t));
        }
    }
}

// The pieces of a pattern, worked out once per pattern and regional settings: an export formats
// every record's date with the same one or two. References stay valid as more patterns join (a
// deque only grows); an entry whose regional patterns changed since is worked out again.
const std::vector<TToken>* CachedTokens(std::string_view pattern)
{
    struct TEntry {
        AnsiString Pattern;
        TFlatPattern Flat;
    };
    thread_local std::deque<TEntry> cache;
    for (TEntry& entry : cache) {
        if (entry.Pattern != pattern)
            continue;
        if (!entry.Flat.Current()) {
            entry.Flat = {};
            Flatten(pattern, 0, false, entry.Flat);
        }
        return &entry.Flat.Tokens;
    }
    // A few patterns are in use at a time; a program that makes up new ones without end would
    // only lose the speed, never the memory.
    constexpr size_t Kept = 32;
    if (cache.size() == Kept)
        return nullptr;
    cache.push_back({AnsiString(pattern), {}});
    Flatten(pattern, 0, false, cache.back().Flat);
    return &cache.back().Flat.Tokens;
}

void AppendFormatted(TPieces& out, const std::vector<TToken>& tokens, const TFields& f)
{
    auto number = [&](int value, bool padded) { out.Padded(static_cast<uint64_t>(value), padded ? 2 : 1); };
    for (const TToken& t : tokens) {
        if (t.SkipAtMidnight && f.Midnight)
            continue;
        switch (t.Letter) {
        case 0: out += t.Text; break;
        case 'd':
            if (t.Count <= 2)
                number(f.Day, t.Count == 2);
            else
                out += (t.Count == 3 ? ShortDayNames : LongDayNames)[f.WeekDay];
            break;
        case 'm':
            if (t.Count <= 2)
                number(f.Month, t.Count == 2);
            else
                out += (t.Count == 3 ? ShortMonthNames : LongMonthNames)[f.Month - 1];
            break;
        case 'y': out.Padded(static_cast<uint64_t>(t.Count <= 2 ? f.Year % 100 : f.Year), t.Count <= 2 ? 2 : 4); break;
        case 'h': number(t.TwelveHour ? (f.Hour + 11) % 12 + 1 : f.Hour, t.Count >= 2); break;
        case 'n': number(f.Minute, t.Count >= 2); break;
        case 's': number(f.Second, t.Count >= 2); break;
        case 'z': out.Padded(static_cast<uint64_t>(f.Millisecond), t.Count >= 3 ? 3 : 1); break;
        case 'a':
            if (t.Text.size() == 4)  // ampm: the regional strings, English here
                out += f.Hour < 12 ? "AM" : "PM";
            else {
                size_t slash = t.Text.find('/');
                out += f.Hour < 12 ? t.Text.substr(0, slash) : t.Text.substr(slash + 1);
            }
            break;
        }
    }
}

}  // namespace

void AppendFormatDateTime(AnsiString& out, std::string_view pattern, TDateTime value)
{
    // Decoded before anything is appended: a value out of range leaves `out` as it was.
    TFields fields = FieldsOf(value);
    TPieces pieces(out);
    if (const std::vector<TToken>* cached = CachedTokens(pattern.empty() ? "c" : pattern))
        return AppendFormatted(pieces, *cached, fields);
    TFlatPattern own;
    Flatten(pattern.empty() ? "c" : pattern, 0, false, own);
    AppendFormatted(pieces, own.Tokens, fields);
}

AnsiString FormatDateTime(std::string_view pattern, TDateTime value)
{
    AnsiString out;
    AppendFormatDateTime(out, pattern, value);
    return out;
}

// ---- stored dates -----------------------------------------------------------------------------

bool TryMillisecondsToDateTime(int64_t milliseconds, TDateTime& value)
{
    if (milliseconds < FirstMoment || milliseconds > LastMoment)
        return false;
    value = ValueOf(milliseconds);
    return true;
}

bool TryUnixToDateTime(int64_t seconds, TDateTime& value)
{
    // Bounded in seconds first: most 64-bit values would overflow as milliseconds.
    constexpr int64_t first = (FirstDay - UnixEpochDay) * 86400;
    constexpr int64_t last = (LastDay + 1 - UnixEpochDay) * 86400 - 1;
    if (seconds < first || seconds > last)
        return false;
    value = ValueOf((seconds + UnixEpochDay * 86400) * 1000);
    return true;
}

TDateTime UnixToDateTime(int64_t seconds)
{
    TDateTime value = 0;
    if (!TryUnixToDateTime(seconds, value))
        throw EConvertError("Unix time " + IntToStr(seconds) + " is outside years 1 to 9999");
    return value;
}

bool TryJulianDateToDateTime(double julianDay, TDateTime& value)
{
    double days = julianDay - JulianEpoch;
    if (!(std::fabs(days) < 1e7))  // NaN too; keeps the milliseconds in 64 bits, the exact bounds follow
        return false;
    return TryMillisecondsToDateTime(std::llround(days * MSecsPerDay), value);
}

TDateTime JulianDateToDateTime(double julianDay)
{
    TDateTime value = 0;
    if (!TryJulianDateToDateTime(julianDay, value)) {
        char text[32];
        auto end = std::to_chars(text, text + sizeof text, julianDay).ptr;
        throw EConvertError("Julian day " + AnsiString(text, end) + " is outside years 1 to 9999");
    }
    return value;
}

namespace {

// Reads the fixed-width fields of the ISO forms. A field that does not match fails and the
// caller refuses the whole text, so nothing steps back.
class TIsoReader {
public:
    explicit TIsoReader(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FPos == FText.size(); }
    bool Accept(char c)
    {
        if (AtEnd() || FText[FPos] != c)
            return false;
        ++FPos;
        return true;
    }
    bool IsDigit() const { return !AtEnd() && FText[FPos] >= '0' && FText[FPos] <= '9'; }
    // Exactly `count` digits, at most `largest`.
    bool Number(int count, int largest, int& value)
    {
        value = 0;
        for (int i = 0; i < count; ++i) {
            if (!IsDigit())
                return false;
            value = value * 10 + (FText[FPos++] - '0');
        }
        return value <= largest;
    }

    // "HH:MM[:SS[.S...]]" as milliseconds of the day; beyond the millisecond the digits round,
    // so the result may be a whole day.
    bool Time(int64_t& ms)
    {
        int hour = 0, minute = 0, second = 0;
        if (!Number(2, 23, hour) || !Accept(':') || !Number(2, 59, minute))
            return false;
        ms = MillisecondOfDay(hour, minute, 0, 0);
        if (!Accept(':'))
            return true;
        if (!Number(2, 59, second))
            return false;
        ms += second * 1000;
        if (!Accept('.'))
            return true;
        if (!IsDigit())
            return false;
        int scale = 100;
        for (int digits = 0; IsDigit(); ++digits, ++FPos) {
            int digit = FText[FPos] - '0';
            if (digits < 3) {
                ms += digit * scale;
                scale /= 10;
            } else if (digits == 3 && digit >= 5)
                ++ms;
        }
        return true;
    }

    // "", "Z" or "+HH:MM"/"-HH:MM" (up to 14 hours, as SQLite reads them) as the offset from UTC.
    bool Zone(int64_t& offset)
    {
        offset = 0;
        if (AtEnd() || Accept('Z'))
            return true;
        int sign = Accept('+') ? 1 : Accept('-') ? -1 : 0;
        int hours = 0, minutes = 0;
        if (sign == 0 || !Number(2, 14, hours) || !Accept(':') || !Number(2, 59, minutes))
            return false;
        offset = sign * MillisecondOfDay(hours, minutes, 0, 0);
        return true;
    }

private:
    std::string_view FText;
    size_t FPos = 0;
};

}  // namespace

bool TryISO8601ToDate(std::string_view text, TDateTime& value)
{
    TIsoReader reader(text);
    int64_t moment = 0;
    if (text.size() > 4 && text[4] == '-') {
        int year = 0, month = 0, day = 0;
        if (!reader.Number(4, 9999, year) || !reader.Accept('-') || !reader.Number(2, 12, month) ||
            !reader.Accept('-') || !reader.Number(2, 31, day) || !IsDate(year, month, day))
            return false;
        moment = DayNumber(year, month, day) * MSecsPerDay;
        if (reader.AtEnd())
            return TryMillisecondsToDateTime(moment, value);
        if (!reader.Accept(' ') && !reader.Accept('T'))
            return false;
    }
    int64_t time = 0, offset = 0;
    if (!reader.Time(time) || !reader.Zone(offset) || !reader.AtEnd())
        return false;
    return TryMillisecondsToDateTime(moment + time - offset, value);
}
