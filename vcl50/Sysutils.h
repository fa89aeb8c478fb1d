#pragma once
// The runtime library's strings, exceptions and conversions.

#include <cstdint>
#include <exception>
#include <string>
#include <initializer_list>
#include <string_view>

// The platform's byte string.
using AnsiString = std::string;

// Root of the platform's exceptions: a message and the class name that error reports show.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message);
    ~Exception() override;

    const AnsiString& Message() const { return FMessage; }
    virtual const char* ClassName() const;
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    AnsiString FMessage;
};

// Each platform exception class: its own name, the base's constructors.
#define VCL_EXCEPTION_CLASS(Name, Base)                 \
    class Name : public Base {                          \
    public:                                             \
        using Base::Base;                               \
        const char* ClassName() const override;         \
    }

VCL_EXCEPTION_CLASS(EConvertError, Exception);
VCL_EXCEPTION_CLASS(EAbstractError, Exception);
VCL_EXCEPTION_CLASS(EInvalidCast, Exception);
VCL_EXCEPTION_CLASS(EInvalidOperation, Exception);
VCL_EXCEPTION_CLASS(EInvalidPointer, Exception);
VCL_EXCEPTION_CLASS(EOutOfMemory, Exception);
VCL_EXCEPTION_CLASS(EListError, Exception);
VCL_EXCEPTION_CLASS(EStringListError, Exception);
VCL_EXCEPTION_CLASS(EComponentError, Exception);
VCL_EXCEPTION_CLASS(EPropertyError, Exception);
VCL_EXCEPTION_CLASS(EClassNotFound, Exception);
VCL_EXCEPTION_CLASS(EStreamError, Exception);
VCL_EXCEPTION_CLASS(EFilerError, EStreamError);
VCL_EXCEPTION_CLASS(EReadError, EFilerError);
VCL_EXCEPTION_CLASS(EWriteError, EFilerError);
VCL_EXCEPTION_CLASS(EFCreateError, EStreamError);
VCL_EXCEPTION_CLASS(EFOpenError, EStreamError);
VCL_EXCEPTION_CLASS(EResNotFound, Exception);
VCL_EXCEPTION_CLASS(EIniFileException, Exception);
VCL_EXCEPTION_CLASS(EPackageError, Exception);

// ---- formatting and conversion ----------------------------------------------------------------

// printf-style formatting as the platform's Format: %s, %d, %x, %u, %%, with an argument index
// ("%1:s"), width, precision ('*' takes them from the arguments) and '-' flags. %x is upper case;
// %x and %u show a negative value that fits 32 bits as its 32-bit two's complement. A directive
// whose argument is missing or has the wrong kind raises EConvertError.
class TVarRec;
AnsiString Format(std::string_view format, std::initializer_list<TVarRec> args);

// One argument of Format: a string or an integer.
class TVarRec {
public:
    TVarRec(const char* s) : FIsString(true), FString(s ? s : "") {}
    TVarRec(const AnsiString& s) : FIsString(true), FString(s) {}
    TVarRec(std::string_view s) : FIsString(true), FString(s) {}
    TVarRec(int v) : FInteger(v) {}
    TVarRec(long v) : FInteger(v) {}
    TVarRec(long long v) : FInteger(v) {}
    TVarRec(unsigned v) : FInteger(v) {}
    bool IsString() const { return FIsString; }
    const AnsiString& String() const { return FString; }
    int64_t Integer() const { return FInteger; }

private:
    bool FIsString = false;
    AnsiString FString;
    int64_t FInteger = 0;
};

// ASCII-only, case-insensitive comparison: <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Hash and equality as SameText has it, for hash maps of names that match without regard to case.
struct TTextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
};
struct TTextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};
// Case-insensitive comparison in the user's collation. Bytes that are no UTF-8 (or a missing
// locale) make it compare as CompareText.
int AnsiCompareText(std::string_view a, std::string_view b);

// A string made ready for AnsiCompareText once, so that sorting many strings decodes and folds
// each only once. A default key compares as CompareText.
class TAnsiTextKey {
public:
    TAnsiTextKey() = default;
    explicit TAnsiTextKey(std::string_view s);
    // Makes this the key of `s`, reusing its storage: a key per lookup in a loop allocates nothing.
    void Assign(std::string_view s);

    // Whether keys made from strings are equal exactly when AnsiCompareText finds the strings
    // equal, so that a hash set of keys answers a list's IndexOf: so unless the user's locale
    // has collation rules, under which strings that differ can collate equal.
    static bool Hashable();
    friend bool operator==(const TAnsiTextKey&, const TAnsiTextKey&) = default;
    size_t Hash() const;

private:
    friend int AnsiCompareText(std::string_view, const TAnsiTextKey&, std::string_view, const TAnsiTextKey&);
    // How the key compares, decided once rather than at each comparison: the locale has no
    // collation rules (a plain comparison of code points) or it has some.
    enum class TOrder : uint8_t { Bytes, CodePoints, Collation };
    // The decoded, lower-cased text; for Bytes, the bytes with ASCII letters upper-cased (what
    // CompareText equates), which no decoded text equals.
    std::wstring FFolded;
    TOrder FOrder = TOrder::Bytes;  // Bytes: compares as CompareText
};
// Exactly AnsiCompareText(a, b), given the keys made from a and b.
int AnsiCompareText(std::string_view a, const TAnsiTextKey& keyA, std::string_view b, const TAnsiTextKey& keyB);
int CompareStr(std::string_view a, std::string_view b);
AnsiString UpperCase(std::string_view s);
AnsiString LowerCase(std::string_view s);
// Removes blanks and control characters at both ends.
AnsiString Trim(std::string_view s);

AnsiString IntToStr(int64_t value);
// Upper-case hexadecimal of the value's two's complement, at least `digits` digits
// (IntToHex(-1, 8) is "FFFFFFFF").
AnsiString IntToHex(int64_t value, int digits);
// Decimal, `$` hex or `0x` hex, with an optional sign. Hex texts of up to eight digits wrap to
// 32 bits as the platform does ("$FFFFFFFF" is -1); decimal must fit 32 bits; no blanks around.
// Raises EConvertError "'TEXT' is not a valid integer value".
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);
bool TryStrToInt(std::string_view text, int& value);

// 64-bit decimal with an optional sign, nothing around it.
bool TryStrToInt64(std::string_view text, int64_t& value);

// The shortest decimal text that reads back as the same double, with '.' whatever the locale
// ("0.1", "1e+300", "-0"); "NaN", "INF" and "-INF" for the values that have no digits.
AnsiString FloatToStr(double value);
// The same, appended to `out`: an export writes a number per record.
void AppendFloatToStr(AnsiString& out, double value);
// A decimal number with '.' (and an exponent), nothing around it; whatever the locale.
bool TryStrToFloat(std::string_view text, double& value);

// ---- regional settings ------------------------------------------------------------------------

// The process-wide date and time patterns, in the platform's pattern letters (d, dd, ddd, dddd,
// m, mm, mmm, mmmm, yy, yyyy, h, hh, nn, ss, am/pm). Filled at start-up from the LC_TIME locale.
extern AnsiString ShortDateFormat;
extern AnsiString LongDateFormat;
extern AnsiString ShortTimeFormat;
extern AnsiString LongTimeFormat;

// Refills the four patterns from the calling thread's LC_TIME locale: the process locale
// (setlocale(LC_TIME, ...)) unless uselocale installed another.
void GetFormatSettings();
// Translates a strftime pattern ("%d/%m/%Y") into the platform's pattern letters ("dd/mm/yyyy").
AnsiString StrftimeToPattern(std::string_view strftimeFormat);
