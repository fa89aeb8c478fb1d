#pragma once
// The platform's date and time values: making and taking them apart, showing them in the
// platform's pattern letters, and reading the forms databases store them in.

#include "vcl50/Sysutils.h"

#include <cstdint>
#include <string_view>

// Days since 1899-12-30 00:00, the fraction being the time of day. Before that day the
// integral part is still the day and the fraction's absolute value the time, as the platform
// has it: -1.25 is 1899-12-29 06:00, and -0.5 is the same moment as 0.5.
using TDateTime = double;

// Proleptic Gregorian dates in years 1..9999 and times to the millisecond (hours 0..23).
// A date or time that does not exist raises EConvertError; the Try forms return false.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value);
// Date and time in one value; before 1899-12-30 the time is not simply added to the date.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond,
                       TDateTime& value);

// Both take the value to the nearest millisecond first, so a time that rounds to 24:00 is
// 00:00 of the next day in both. A value outside years 1..9999, or no number, raises EConvertError.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// Machine forms: "YYYY-MM-DD", "HH:MM:SS", "YYYY-MM-DDTHH:MM:SS"; the time ends in ".SSS"
// only when its milliseconds are not zero. Raises as DecodeDate does.
AnsiString ISODate(TDateTime value);
AnsiString ISOTime(TDateTime value);
AnsiString ISODateTime(TDateTime value);

// The value in the platform's pattern letters, case-insensitive:
//   d dd ddd dddd      day, day with zero, short and long day name
//   ddddd dddddd       ShortDateFormat, LongDateFormat
//   m mm mmm mmmm      month, month with zero, short and long month name; m and mm right after
//                      h or hh, or right before s or ss, are the minutes
//   yy yyyy            two- and four-digit year
//   h hh n nn s ss     hour, minute, second, without and with zero
//   z zzz              millisecond, without and with zeros
//   am/pm a/p ampm     12-hour clock for the pattern's h; am/pm and a/p show as written
//   c                  ShortDateFormat, then LongTimeFormat unless the time is midnight
//   t tt               ShortTimeFormat, LongTimeFormat
//   'x' "x"            literal text; any other character is literal too
// Names are English. An empty pattern is "c". Raises as DecodeDate does.
AnsiString FormatDateTime(std::string_view pattern, TDateTime value);
// The same, appended to `out`: an export formats a date per record.
void AppendFormatDateTime(AnsiString& out, std::string_view pattern, TDateTime value);

// ---- stored dates -----------------------------------------------------------------------------

// Seconds since 1970-01-01 00:00 UTC. A moment outside years 1..9999 has no TDateTime:
// TryUnixToDateTime returns false and UnixToDateTime raises EConvertError.
TDateTime UnixToDateTime(int64_t seconds);
bool TryUnixToDateTime(int64_t seconds, TDateTime& value);

// Milliseconds since 1899-12-30 00:00 (negative before it); out of years 1..9999 as for Unix
// seconds.
bool TryMillisecondsToDateTime(int64_t milliseconds, TDateTime& value);

// Julian day numbers (2440587.5 is 1970-01-01 00:00), to the nearest millisecond; out of
// years 1..9999 as for Unix seconds.
TDateTime JulianDateToDateTime(double julianDay);
bool TryJulianDateToDateTime(double julianDay, TDateTime& value);

// The text forms SQLite's date functions write and read:
//   YYYY-MM-DD, optionally followed by ' ' or 'T' and a time
//   HH:MM[:SS[.S...]] alone, on 1899-12-30
// A time may end in "Z" or "+HH:MM"/"-HH:MM"; an offset is taken away, giving UTC. Fraction
// digits beyond the millisecond round. Anything else (no such day, 24:00, blanks around)
// returns false and leaves the value alone.
bool TryISO8601ToDate(std::string_view text, TDateTime& value);
