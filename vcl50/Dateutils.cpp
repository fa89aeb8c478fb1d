#include "vcl50/Dateutils.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int64_t MSecsPerDay = 86400000;
constexpr int64_t UnixEpochDay = 25569;  // 1970-01-01
constexpr int64_t FirstDay = -693593;    // 0001-01-01
constexpr int64_t LastDay = 2958465;     // 9999-12-31

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
    moment = static_cast<int64_t>(whole) * MSecsPerDay + std::llround(std::fabs(value - whole) * MSecsPerDay);
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

AnsiString Padded(int64_t value, int width)
{
    AnsiString text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    return text;
}

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

AnsiString DateText(int64_t day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(day, year, month, dayOfMonth);
    return Padded(year, 4) + '-' + Padded(month, 2) + '-' + Padded(dayOfMonth, 2);
}

AnsiString TimeText(int ms)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    TimeFields(ms, hour, minute, second, millisecond);
    AnsiString text = Padded(hour, 2) + ':' + Padded(minute, 2) + ':' + Padded(second, 2);
    if (millisecond != 0)
        text += '.' + Padded(millisecond, 3);
    return text;
}

}  // namespace

AnsiString ISODate(TDateTime value) { return DateText(Split(value).Day); }

AnsiString ISOTime(TDateTime value) { return TimeText(Split(value).Millisecond); }

AnsiString ISODateTime(TDateTime value)
{
    TDayAndTime split = Split(value);
    return DateText(split.Day) + 'T' + TimeText(split.Millisecond);
}
