#include "vcl50/Dateutils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

// Both decodes shown as ISODateTime shows them, checking on the way that the three agree.
AnsiString Decoded(TDateTime value)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, n, s, ms);
    AnsiString text = Format("%.4d-%.2d-%.2dT%.2d:%.2d:%.2d", {y, m, d, h, n, s}) + (ms ? Format(".%.3d", {ms}) : "");
    EXPECT_EQ(ISODateTime(value), text) << value;
    return text;
}

}  // namespace

// ---- encoding and decoding --------------------------------------------------------------------

TEST(DateutilsEncode, KnownDays)
{
    struct Row { int y, m, d; double serial; };
    for (const Row& r : std::initializer_list<Row>{
             {1, 1, 1, -693593}, {1600, 2, 29, -109512}, {1899, 12, 29, -1}, {1899, 12, 30, 0}, {1900, 1, 1, 2},
             {1900, 2, 28, 60}, {1900, 3, 1, 61}, {1970, 1, 1, 25569}, {2000, 2, 29, 36585}, {9999, 12, 31, 2958465}})
        EXPECT_EQ(EncodeDate(r.y, r.m, r.d), r.serial) << r.y << '-' << r.m << '-' << r.d;
}

// Every day of the range decodes to the day after the one before, a date that EncodeDate
// accepts and encodes back to the same number.
TEST(DateutilsEncode, EveryDayRoundTrips)
{
    int py = 0, pm = 12, pd = 31;
    for (int serial = -693593; serial <= 2958465; ++serial) {
        int y = 0, m = 0, d = 0;
        DecodeDate(serial, y, m, d);
        bool sameMonth = y == py && m == pm && d == pd + 1;
        bool nextMonth = d == 1 && pd >= 28 && ((y == py && m == pm + 1) || (y == py + 1 && m == 1 && pm == 12));
        ASSERT_TRUE(sameMonth || nextMonth) << serial << ": " << y << '-' << m << '-' << d;
        ASSERT_EQ(EncodeDate(y, m, d), serial);
        py = y;
        pm = m;
        pd = d;
    }
}

TEST(DateutilsEncode, RefusesWhatDoesNotExist)
{
    struct Row { int a, b, c, d; };
    TDateTime value = 7;
    for (const Row& r : std::initializer_list<Row>{{0, 1, 1, 0}, {10000, 1, 1, 0}, {2024, 0, 1, 0}, {2024, 13, 1, 0},
                                                   {2024, 1, 0, 0}, {2024, 1, 32, 0}, {2024, 4, 31, 0},
                                                   {2023, 2, 29, 0}, {1900, 2, 29, 0}}) {
        EXPECT_FALSE(TryEncodeDate(r.a, r.b, r.c, value)) << r.a << '-' << r.b << '-' << r.c;
        EXPECT_THROW(EncodeDate(r.a, r.b, r.c), EConvertError);
    }
    for (const Row& r : std::initializer_list<Row>{{24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0},
                                                   {0, 0, 0, 1000}, {0, 0, 0, -1}}) {
        EXPECT_FALSE(TryEncodeTime(r.a, r.b, r.c, r.d, value)) << r.a << ':' << r.b << ':' << r.c << '.' << r.d;
        EXPECT_THROW(EncodeTime(r.a, r.b, r.c, r.d), EConvertError);
        EXPECT_FALSE(TryEncodeDateTime(2024, 1, 1, r.a, r.b, r.c, r.d, value));
    }
    EXPECT_EQ(value, 7);
}

// Before 1899-12-30 the day is the integral part and the time the fraction's absolute value;
// times round to the millisecond, 24:00 being the next day's midnight in both decodes.
TEST(DateutilsDecode, Moments)
{
    struct Row { TDateTime value; const char* expected; };
    for (const Row& r : std::initializer_list<Row>{
             {0.5, "1899-12-30T12:00:00"}, {-0.5, "1899-12-30T12:00:00"}, {-1.25, "1899-12-29T06:00:00"},
             {EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), "1899-12-29T06:00:00"},
             {EncodeDateTime(1, 1, 1, 12, 0, 0, 0), "0001-01-01T12:00:00"},
             {EncodeTime(23, 59, 59, 0) + EncodeTime(0, 0, 0, 999), "1899-12-30T23:59:59.999"},
             {EncodeTime(12, 0, 0, 0) + EncodeTime(11, 59, 59, 999) + EncodeTime(0, 0, 0, 1), "1899-12-31T00:00:00"},
             {0.1 + 0.2, "1899-12-30T07:12:00"},
             {(10 * 3600 + 59.9996) / 86400, "1899-12-30T10:01:00"},
             {(10 * 3600 + 59.4999) / 86400, "1899-12-30T10:00:59.500"},
             {1.99999999999, "1900-01-01T00:00:00"},
             {-1.99999999999, "1899-12-30T00:00:00"},
             {-693593.9999999999, "0001-01-02T00:00:00"},
             {2958465.99999999, "9999-12-31T23:59:59.999"},
         })
        EXPECT_EQ(Decoded(r.value), r.expected) << r.value;
    EXPECT_EQ(ISODate(-1.25) + ' ' + ISOTime(-1.25) + ' ' + ISOTime(-1.25 - EncodeTime(0, 0, 0, 7)),
              "1899-12-29 06:00:00 06:00:00.007");
}

TEST(DateutilsDecode, RefusesValuesOutsideTheYears)
{
    int a = 0, b = 0, c = 0, d = 0;
    for (TDateTime value : {-693594.0, -693594.5, 2958466.0, 2958465.999999999, 1e300, NaN, -Infinity}) {
        EXPECT_THROW(DecodeDate(value, a, b, c), EConvertError) << value;
        EXPECT_THROW(DecodeTime(value, a, b, c, d), EConvertError) << value;
        EXPECT_THROW(FormatDateTime("hh", value), EConvertError) << value;
    }
}

// ---- FormatDateTime ---------------------------------------------------------------------------

namespace {

class DateutilsFormat : public testing::Test {
protected:
    DateutilsFormat()
    {
        ShortDateFormat = "dd/mm/yyyy";
        LongDateFormat = "dddd, d mmmm yyyy";
        ShortTimeFormat = "hh:nn";
        LongTimeFormat = "hh:nn:ss";
    }
    ~DateutilsFormat() override
    {
        ShortDateFormat = FSaved[0];
        LongDateFormat = FSaved[1];
        ShortTimeFormat = FSaved[2];
        LongTimeFormat = FSaved[3];
    }

private:
    AnsiString FSaved[4] = {ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat};
};

}  // namespace

TEST_F(DateutilsFormat, Patterns)
{
    const TDateTime tuesday = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45), midnight = EncodeDate(2024, 3, 5);
    struct Row { const char* pattern; TDateTime value; const char* expected; };
    for (const Row& r : std::initializer_list<Row>{
             {"d dd ddd dddd|ddddd|dddddd", tuesday, "5 05 Tue Tuesday|05/03/2024|Tuesday, 5 March 2024"},
             {"m mm mmm mmmm y yy yyyy", tuesday, "3 03 Mar March 24 24 2024"},
             {"yy yyyy dddd", EncodeDate(5, 1, 1), "05 0005 Saturday"},
             {"h hh n nn s ss z zzz", tuesday, "14 14 7 07 9 09 45 045"},
             {"DD/MM/YYYY HH:NN:SS.ZZZ", tuesday, "05/03/2024 14:07:09.045"},
             // m and mm right after an hour or right before a second are minutes
             {"hh:mm|H MM|hh'h'mm|m:ss", tuesday, "14:07|14 07|14h07|7:09"},
             {"mm-dd ss|hh mmm|mm hh", tuesday, "03-05 09|14 Mar|03 14"},
             // the 12-hour clock, markers as written
             {"h:nn am/pm|hh AM/PM|h Am/Pm", tuesday, "2:07 pm|02 PM|2 Pm"},
             {"h a/p|h A/P|h ampm", tuesday, "2 p|2 P|2 PM"},
             {"h am/pm", midnight, "12 am"},
             {"h am/pm", midnight + 0.5, "12 pm"},
             // regional patterns; c leaves out midnight
             {"c", tuesday, "05/03/2024 14:07:09"},
             {"", tuesday, "05/03/2024 14:07:09"},
             {"c", midnight, "05/03/2024"},
             {"c", midnight + EncodeTime(0, 0, 0, 1), "05/03/2024 00:00:00"},
             {"t|tt", tuesday, "14:07|14:07:09"},
             // literal text
             {"'day' d \"of\" mmmm|\"it's\"|d 'hh", tuesday, "day 5 of March|it's|5 hh"},
             {"d-m x@q, yyyy年 a ap", tuesday, "5-3 x@q, 2024年 a ap"},
             // a time that rounds to midnight shows the next day in every token
             {"yyyy-mm-dd hh:nn:ss.zzz dddd", EncodeDate(1999, 12, 31) + 0.99999999999,
              "2000-01-01 00:00:00.000 Saturday"},
             {"yyyy-mm-dd hh:nn dddd", -1.99999999999, "1899-12-30 00:00 Saturday"},
         })
        EXPECT_EQ(FormatDateTime(r.pattern, r.value), r.expected) << r.pattern;
}

// Regional patterns that name each other stop after a few levels.
TEST_F(DateutilsFormat, RegionalPatternsThatLoop)
{
    ShortDateFormat = "c";
    LongTimeFormat = "tt";
    EXPECT_LT(FormatDateTime("c", 0.5).size(), 100u);
}

// ---- stored dates -----------------------------------------------------------------------------

TEST(DateutilsISO8601, Accepted)
{
    struct Row { const char* text; const char* expected; };
    for (const Row& r : std::initializer_list<Row>{
             {"2024-03-05", "2024-03-05T00:00:00"}, {"2024-03-05 14:07", "2024-03-05T14:07:00"},
             {"2024-03-05T14:07:09.045", "2024-03-05T14:07:09.045"},
             {"2024-03-05 14:07:09.5", "2024-03-05T14:07:09.500"},
             {"2024-03-05 14:07:09.04549", "2024-03-05T14:07:09.045"},
             {"2024-03-05 14:07:09.0455", "2024-03-05T14:07:09.046"},
             {"2024-03-05 23:59:59.9999", "2024-03-06T00:00:00"}, {"2024-03-05 14:07:09Z", "2024-03-05T14:07:09"},
             {"2024-03-05 01:00-03:30", "2024-03-05T04:30:00"}, {"2024-03-05T01:00+02:00", "2024-03-04T23:00:00"},
             {"2024-12-31 23:00:00-14:00", "2025-01-01T13:00:00"}, {"0001-01-01", "0001-01-01T00:00:00"},
             {"9999-12-31 23:59:59.999", "9999-12-31T23:59:59.999"}, {"14:07:09.045Z", "1899-12-30T14:07:09.045"},
             {"01:00+02:00", "1899-12-29T23:00:00"},
         }) {
        TDateTime value = NaN;
        ASSERT_TRUE(TryISO8601ToDate(r.text, value)) << r.text;
        EXPECT_EQ(ISODateTime(value), r.expected) << r.text;
    }
}

TEST(DateutilsISO8601, Refused)
{
    for (const char* text :
         {"", "2024-13-01", "2024-04-31", "2023-02-29", "1900-02-29", "0000-01-01", " 2024-03-05", "2024-03-05 ",
          "2024-03-05x", "2024-3-5", "2024/03/05", "-2024-03-05", "2024-03-05T", "2024-03-05t14:07",
          "2024-03-05  14:07", "2024-03-05 14", "2024-03-05 24:00", "2024-03-05 14:60", "2024-03-05 14:07:60",
          "2024-03-05 14:07:09.", "2024-03-05 14:07:09Zx", "2024-03-05 14:07 Z", "2024-03-05 14:07z",
          "2024-03-05 14:07+2:00", "2024-03-05 14:07+15:00", "2024-03-05+02:00", "0001-01-01 00:30+01:00",
          "9999-12-31 23:59:59.9995", "7:05", "now", "2460000.5"}) {
        TDateTime value = 7;
        EXPECT_FALSE(TryISO8601ToDate(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 7) << text;
    }
}

// The readers refuse a moment outside years 1..9999 rather than give another. NaN in the
// expected value: any value that decodes as the text.
TEST(DateutilsReaders, UnixSecondsAndJulianDays)
{
    struct Row { bool unix; double input; const char* text; double value; };
    for (const Row& r : std::initializer_list<Row>{
             {true, 0, "1970-01-01T00:00:00", 25569},
             {true, -1, "1969-12-31T23:59:59", NaN},
             {true, 1709647629, "2024-03-05T14:07:09", NaN},
             {true, -2209161600 - 64800, "1899-12-29T06:00:00", -1.25},
             {true, -62135596800, "0001-01-01T00:00:00", -693593},
             {true, 253402300799, "9999-12-31T23:59:59", NaN},
             {true, -62135596801, nullptr, NaN},
             {true, 253402300800, nullptr, NaN},
             {false, 2440587.5, "1970-01-01T00:00:00", 25569},
             {false, 2415018.25, "1899-12-29T18:00:00", -1.75},
             {false, 1721425.5, "0001-01-01T00:00:00", -693593},
             {false, 5373484.5 - 1.0 / 86400000, "9999-12-31T23:59:59.999", NaN},
             {false, 1721425.4, nullptr, NaN},
             {false, 5373484.5, nullptr, NaN},
             {false, NaN, nullptr, NaN},
             {false, 1e300, nullptr, NaN},
         }) {
        TDateTime value = 7;
        bool read = r.unix ? TryUnixToDateTime(static_cast<int64_t>(r.input), value)
                           : TryJulianDateToDateTime(r.input, value);
        ASSERT_EQ(read, r.text != nullptr) << r.input;
        if (!read) {
            EXPECT_THROW(r.unix ? UnixToDateTime(static_cast<int64_t>(r.input)) : JulianDateToDateTime(r.input),
                         EConvertError);
            continue;
        }
        EXPECT_EQ(Decoded(value), r.text);
        if (!std::isnan(r.value)) {
            EXPECT_EQ(value, r.value) << r.input;
        }
    }
    TDateTime value = 7;
    for (int64_t seconds : {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()})
        EXPECT_FALSE(TryUnixToDateTime(seconds, value)) << seconds;
}
