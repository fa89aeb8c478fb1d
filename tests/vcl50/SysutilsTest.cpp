#include "vcl50/Sysutils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <locale.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <vector>

using testing::HasSubstr;

namespace {

// What start-up left, before any test refills the patterns.
const AnsiString StartupShortDate = ShortDateFormat;
const AnsiString StartupLongTime = LongTimeFormat;
const AnsiString StartupProcessLocale = setlocale(LC_ALL, nullptr);

template <class E>
AnsiString MessageOf(void (*call)())
{
    try {
        call();
    } catch (const E& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

}  // namespace

// ---- exceptions -------------------------------------------------------------------------------

TEST(SysutilsException, ClassNameIsTheClassOwnThroughTheBase)
{
    EReadError read("bad stream");
    EInvalidCast cast("Invalid class typecast");
    const Exception& asBase = read;
    EXPECT_STREQ(asBase.ClassName(), "EReadError");
    EXPECT_STREQ(static_cast<const Exception&>(cast).ClassName(), "EInvalidCast");
    EXPECT_STREQ(Exception("x").ClassName(), "Exception");
    EXPECT_EQ(asBase.Message(), "bad stream");
    EXPECT_STREQ(asBase.what(), "bad stream");
    // The platform's hierarchy: a read error is a filer and a stream error.
    EXPECT_THROW(throw EReadError("r"), EStreamError);
    EXPECT_THROW(throw EFCreateError("c"), EStreamError);
}

// ---- Format -----------------------------------------------------------------------------------

TEST(SysutilsFormat, Directives)
{
    EXPECT_EQ(Format("%s%s%s -- Fields Editor", {"Form1", ".", "Table1"}), "Form1.Table1 -- Fields Editor");
    EXPECT_EQ(Format("Data%d", {12}), "Data12");
    EXPECT_EQ(Format("100%% %d", {-7}), "100% -7");
    EXPECT_EQ(Format("[%5d|%-5d|%.3d|%6.3d]", {42, 42, -5, 7}), "[   42|42   |-005|   007]");
    EXPECT_EQ(Format("[%x|%.4X|%x|%u]", {255, 10, -1, -1}), "[FF|000A|FFFFFFFF|4294967295]");
    EXPECT_EQ(Format("[%.2s|%4s|%-4s]", {"abcdef", "ab", "ab"}), "[ab|  ab|ab  ]");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
    EXPECT_EQ(Format("[%*d]", {4, 9}), "[   9]");
    EXPECT_EQ(Format("%d", {static_cast<long long>(LLONG_MIN)}), "-9223372036854775808");
    EXPECT_EQ(Format("no directives", {1}), "no directives");
}

TEST(SysutilsFormat, WrongOrMissingArgumentsRaise)
{
    try {
        Format("Data%d", {"text"});
        ADD_FAILURE() << "nothing raised";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format 'Data%d' invalid or incompatible with argument");
    }
    EXPECT_THROW(Format("%s", {5}), EConvertError);
    EXPECT_THROW(Format("%x", {"f"}), EConvertError);
    EXPECT_THROW(Format("%q", {5}), EConvertError);
    EXPECT_THROW(Format("trailing %", {5}), EConvertError);
    EXPECT_THROW(Format("%99999999d", {5}), EConvertError);
    try {
        Format("%s and %s", {"one"});
        ADD_FAILURE() << "nothing raised";
    } catch (const EConvertError& e) {
        EXPECT_THAT(e.Message(), HasSubstr("'%s and %s'"));
    }
}

// ---- comparison -------------------------------------------------------------------------------

TEST(SysutilsCompare, CompareTextFoldsAsciiToUpperCase)
{
    EXPECT_EQ(CompareText("Fields", "fIELDS"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0);
    EXPECT_GT(CompareText("abc", "AB"), 0);
    // Folding to upper case puts '_' after the letters, as the platform sorts.
    EXPECT_GT(CompareText("a_", "aB"), 0);
    // Only ASCII letters fold; other bytes compare as they are.
    EXPECT_NE(CompareText("\xC3\x84", "\xC3\xA4"), 0);
    EXPECT_TRUE(SameText("Row1Click", "ROW1CLICK"));
    EXPECT_FALSE(SameText("Row1", "Row1 "));
    EXPECT_LT(CompareStr("ABC", "abc"), 0);
}

TEST(SysutilsCompare, AnsiCompareTextIgnoresCaseAndOrdersConsistently)
{
    EXPECT_EQ(AnsiCompareText("Table", "tABLE"), 0);
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_GT(AnsiCompareText("Banana", "apple"), 0);
    // Bytes that are no UTF-8 still compare, never crash.
    EXPECT_NE(AnsiCompareText("\xFF\xFE", "\xFF"), 0);
    std::vector<AnsiString> words{"delta", "Alpha", "charlie", "Bravo", "alpha2", "ALPHA"};
    std::stable_sort(words.begin(), words.end(),
                     [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
    EXPECT_EQ(words, (std::vector<AnsiString>{"Alpha", "ALPHA", "alpha2", "Bravo", "charlie", "delta"}));
}

TEST(SysutilsCase, AsciiOnlyAndTrimOfControlCharacters)
{
    EXPECT_EQ(UpperCase("abc\xC3\xA4z"), "ABC\xC3\xA4Z");
    EXPECT_EQ(LowerCase("ABC_Z"), "abc_z");
    EXPECT_EQ(Trim(std::string("\t \r\n x y \0", 11)), "x y");
    EXPECT_EQ(Trim("   "), "");
}

// ---- integers ---------------------------------------------------------------------------------

TEST(SysutilsInteger, IntToHexOfEveryBitPatternClass)
{
    EXPECT_EQ(IntToHex(0, 8), "00000000");
    EXPECT_EQ(IntToHex(1, 1), "1");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x7FFFFFFF, 8), "7FFFFFFF");
    EXPECT_EQ(IntToHex(INT_MIN, 8), "80000000");
    EXPECT_EQ(IntToHex(static_cast<int32_t>(0x80000008u), 8), "80000008");
    EXPECT_EQ(IntToHex(-1, 8), "FFFFFFFF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");  // never fewer digits than the value needs
    EXPECT_EQ(IntToHex(0x100000000LL, 1), "100000000");
    EXPECT_EQ(IntToHex(-0x100000000LL, 1), "FFFFFFFF00000000");
}

TEST(SysutilsInteger, HexRoundTripsEvery32BitClass)
{
    std::vector<uint32_t> patterns{0, 1, 0x7FFFFFFF, 0x80000000, 0x80000008, 0xFFFFFFFF, 0xFFFFFFFE};
    for (int bit = 0; bit < 32; ++bit) {
        patterns.push_back(1u << bit);
        patterns.push_back(~(1u << bit));
        patterns.push_back((1u << bit) - 1);
    }
    for (uint32_t bits : patterns) {
        int value = static_cast<int32_t>(bits);
        SCOPED_TRACE(IntToHex(value, 8));
        EXPECT_EQ(StrToInt("$" + IntToHex(value, 8)), value);
        EXPECT_EQ(StrToInt("0x" + IntToHex(value, 1)), value);
        EXPECT_EQ(StrToInt("0X" + LowerCase(IntToHex(value, 1))), value);
        EXPECT_EQ(StrToInt(IntToStr(value)), value);
    }
}

TEST(SysutilsInteger, StrToIntAcceptsThePlatformNotations)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-0"), 0);
    EXPECT_EQ(StrToInt("+17"), 17);
    EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000008"), -2147483640);
    EXPECT_EQ(StrToInt("$000000001"), 1);  // leading zeros do not count against eight digits
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("0xfF"), 255);
}

TEST(SysutilsInteger, StrToIntRejectsWhatIsNoNumber)
{
    for (const char* text : {"", " 1", "1 ", "+", "-", "$", "0x", "$G", "12a", "1.0", "--1", "2147483648",
                             "-2147483649", "$100000000", "0x1FFFFFFFF", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        int value = 0;
        EXPECT_FALSE(TryStrToInt(text, value));
        EXPECT_EQ(StrToIntDef(text, -42), -42);
        EXPECT_THROW(StrToInt(text), EConvertError);
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt("abc"); }), "'abc' is not a valid integer value");
}

// ---- regional settings ------------------------------------------------------------------------

// FloatToStr has a fast way for the common values; whatever the way, its text is to_chars'
// shortest. Checked against to_chars itself on the edges of the fast way and on many values of
// the shapes data holds: money, measures, counts, fractions, and doubles of every kind.
TEST(SysutilsFloat, FloatToStrIsTheShortestTextThatReadsBack)
{
    auto shortest = [](double value) {
        char text[32];
        return AnsiString(text, std::to_chars(text, text + sizeof text, value).ptr);
    };
    std::vector<double> values = {0.001, 0.0009999, 0.37, -0.37, 1, 10, 100, 100000, 123456, 0.1 + 0.2, 1e-3 * 3,
                                  0.5, 8589934591.9999, 8589934592.5, 0x1p33, 1234567.0001, 99999.99995, 1e15, -0.0};
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int64_t> counts(-100000000, 100000000);
    std::uniform_int_distribution<int> decimals(0, 6);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        values.push_back(static_cast<double>(counts(random)) / std::pow(10.0, decimals(random)));
        values.push_back(static_cast<double>(counts(random)) * 0.37);
        values.push_back(std::bit_cast<double>(bits(random)));
    }
    int wrong = 0;
    for (double value : values)
        if (!std::isnan(value) && !std::isinf(value) && FloatToStr(value) != shortest(value) && ++wrong <= 5)
            ADD_FAILURE() << shortest(value) << " written as " << FloatToStr(value);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(FloatToStr(std::nan("")), "NaN");
    EXPECT_EQ(FloatToStr(-HUGE_VAL), "-INF");
}

TEST(SysutilsDates, StrftimeDirectivesBecomePatternLetters)
{
    EXPECT_EQ(StrftimeToPattern("%d.%m.%Y"), "dd.mm.yyyy");
    EXPECT_EQ(StrftimeToPattern("%e %b %y | %B %h"), "d mmm yy | mmmm mmm");
    EXPECT_EQ(StrftimeToPattern("%a, %A"), "ddd, dddd");
    EXPECT_EQ(StrftimeToPattern("%H:%M:%S|%k|%I|%l %p"), "hh:nn:ss|h|hh|h am/pm");
    EXPECT_EQ(StrftimeToPattern("%D|%F|%T|%R"), "mm/dd/yy|yyyy-mm-dd|hh:nn:ss|hh:nn");
    // glibc flags: '-' drops the padding; E and O modifiers keep the meaning.
    EXPECT_EQ(StrftimeToPattern("%-d.%-m. %-H:%-M:%-S %Ey"), "d.m. h:n:s yy");
    EXPECT_EQ(StrftimeToPattern("100%%"), "100%");
    // Literal letters would read as pattern letters and are quoted; quotes use the other quote.
    EXPECT_EQ(StrftimeToPattern("%Hh%M"), "hh\"h\"nn");
    EXPECT_EQ(StrftimeToPattern("%d de %B"), "dd \"de\" mmmm");
    EXPECT_EQ(StrftimeToPattern("%y'%m\""), "yy\"'\"mm'\"'");
    // No letter for a time zone: it goes, and with it the blank it leaves at the end.
    EXPECT_EQ(StrftimeToPattern("%H:%M %Z"), "hh:nn");
    EXPECT_EQ(StrftimeToPattern("%Y年%m月%d日"), "yyyy年mm月dd日");
}

namespace {

struct TPatterns {
    AnsiString ShortDate, LongDate, ShortTime, LongTime;
    bool operator==(const TPatterns&) const = default;
};

void PrintTo(const TPatterns& p, std::ostream* os)
{
    *os << '[' << p.ShortDate << "] [" << p.LongDate << "] [" << p.ShortTime << "] [" << p.LongTime << ']';
}

class SysutilsLocale : public testing::Test {
protected:
    void TearDown() override
    {
        ShortDateFormat = FSaved.ShortDate;
        LongDateFormat = FSaved.LongDate;
        ShortTimeFormat = FSaved.ShortTime;
        LongTimeFormat = FSaved.LongTime;
    }

    // The patterns GetFormatSettings makes for a locale; nullopt when the machine lacks it.
    static std::optional<TPatterns> PatternsOf(const char* localeName)
    {
        locale_t locale = newlocale(LC_TIME_MASK, localeName, locale_t(nullptr));
        if (!locale)
            return std::nullopt;
        locale_t previous = uselocale(locale);
        GetFormatSettings();
        uselocale(previous);
        freelocale(locale);
        return TPatterns{ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat};
    }

    void Expect(const char* localeName, const TPatterns& expected)
    {
        auto patterns = PatternsOf(localeName);
        if (!patterns)
            GTEST_SKIP() << localeName << " is not installed";
        EXPECT_EQ(*patterns, expected) << localeName;
    }

private:
    TPatterns FSaved{ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat};
};

}  // namespace

TEST_F(SysutilsLocale, C) { Expect("C", {"mm/dd/yy", "dddd, mmmm d, yyyy", "hh:nn", "hh:nn:ss"}); }

TEST_F(SysutilsLocale, German) { Expect("de_DE.UTF-8", {"dd.mm.yyyy", "dddd, d. mmmm yyyy", "hh:nn", "hh:nn:ss"}); }

TEST_F(SysutilsLocale, French) { Expect("fr_FR.UTF-8", {"dd/mm/yyyy", "dddd, d mmmm yyyy", "hh:nn", "hh:nn:ss"}); }

// A 12-hour clock: T_FMT is "%r", spelled out through T_FMT_AMPM.
TEST_F(SysutilsLocale, AmericanEnglish)
{
    Expect("en_US.UTF-8", {"mm/dd/yyyy", "dddd, mmmm d, yyyy", "hh:nn am/pm", "hh:nn:ss am/pm"});
}

// Units after the numbers: the seconds go with their unit, the long date keeps the units.
TEST_F(SysutilsLocale, Japanese)
{
    Expect("ja_JP.UTF-8", {"yyyy年mm月dd日", "yyyy年m月d日 dddd", "hh時nn分", "hh時nn分ss秒"});
}

TEST_F(SysutilsLocale, StartupReadsTheUserLocaleAndLeavesTheProcessLocale)
{
    EXPECT_EQ(StartupProcessLocale, "C");
    auto user = PatternsOf("");
    ASSERT_TRUE(user);
    EXPECT_EQ(StartupShortDate, user->ShortDate);
}

// Start-up runs once per process; a fresh process with German regional settings checks it.
TEST_F(SysutilsLocale, StartupInAGermanEnvironment)
{
    if (!PatternsOf("de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // re-executes the binary, start-up included
    const char* saved = getenv("LC_ALL");
    AnsiString savedValue = saved ? saved : "";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EXIT(
        {
            bool ok = StartupShortDate == "dd.mm.yyyy" && StartupLongTime == "hh:nn:ss" &&
                      StartupProcessLocale == "C";
            fprintf(stderr, "%s %s %s\n", ok ? "ok" : "wrong", StartupShortDate.c_str(), StartupLongTime.c_str());
            std::_Exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "ok");
    if (saved)
        setenv("LC_ALL", savedValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
}
