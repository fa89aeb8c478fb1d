#include "vcl50/Sysutils.h"

#include <langinfo.h>
#include <locale.h>
#include <wchar.h>
#include <wctype.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <type_traits>
#include <vector>

// ---- exceptions -------------------------------------------------------------------------------

Exception::Exception(AnsiString message) : FMessage(std::move(message)) {}

Exception::~Exception() = default;

const char* Exception::ClassName() const { return "Exception"; }

#define VCL_EXCEPTION_NAME(Name) \
    const char* Name::ClassName() const { return #Name; }

VCL_EXCEPTION_NAME(EConvertError)
VCL_EXCEPTION_NAME(EAbstractError)
VCL_EXCEPTION_NAME(EInvalidCast)
VCL_EXCEPTION_NAME(EInvalidOperation)
VCL_EXCEPTION_NAME(EInvalidPointer)
VCL_EXCEPTION_NAME(EOutOfMemory)
VCL_EXCEPTION_NAME(EListError)
VCL_EXCEPTION_NAME(EStringListError)
VCL_EXCEPTION_NAME(EComponentError)
VCL_EXCEPTION_NAME(EPropertyError)
VCL_EXCEPTION_NAME(EClassNotFound)
VCL_EXCEPTION_NAME(EStreamError)
VCL_EXCEPTION_NAME(EFilerError)
VCL_EXCEPTION_NAME(EReadError)
VCL_EXCEPTION_NAME(EWriteError)
VCL_EXCEPTION_NAME(EFCreateError)
VCL_EXCEPTION_NAME(EFOpenError)
VCL_EXCEPTION_NAME(EResNotFound)
VCL_EXCEPTION_NAME(EIniFileException)
VCL_EXCEPTION_NAME(EPackageError)

#undef VCL_EXCEPTION_NAME

// ---- Format -----------------------------------------------------------------------------------

namespace {

// Integers that fit 32 bits are shown as the platform's Integer: negative ones as their 32-bit
// two's complement in hex and unsigned output.
uint64_t TwosComplement(int64_t value)
{
    if (value < 0 && value >= std::numeric_limits<int32_t>::min())
        return static_cast<uint32_t>(value);
    return static_cast<uint64_t>(value);
}

AnsiString UnsignedToText(uint64_t value, unsigned base)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    AnsiString text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

// A width or precision beyond this is a broken format, not a request for gigabytes of blanks.
constexpr int MaxFieldSize = 1 << 20;

class TFormatter {
public:
    TFormatter(std::string_view format, std::initializer_list<TVarRec> args)
        : FFormat(format), FArgs(args.begin(), args.end())
    {
    }

    AnsiString Run()
    {
        AnsiString out;
        while (FPos < FFormat.size()) {
            char c = FFormat[FPos++];
            if (c != '%')
                out += c;
            else if (Peek() == '%') {
                ++FPos;
                out += '%';
            } else
                out += Directive();
        }
        return out;
    }

private:
    char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }
    bool Accept(char c)
    {
        if (Peek() != c)
            return false;
        ++FPos;
        return true;
    }

    [[noreturn]] void Invalid() const
    {
        throw EConvertError("Format '" + AnsiString(FFormat) + "' invalid or incompatible with argument");
    }

    const TVarRec& NextArg()
    {
        if (FArg >= FArgs.size())
            throw EConvertError("No argument for format '" + AnsiString(FFormat) + "'");
        return FArgs[FArg++];
    }

    // Digits or '*' (the next argument); -1 when neither is there.
    int Number()
    {
        if (Peek() == '*') {
            ++FPos;
            const TVarRec& arg = NextArg();
            if (arg.IsString() || arg.Integer() < 0 || arg.Integer() > MaxFieldSize)
                Invalid();
            return static_cast<int>(arg.Integer());
        }
        if (Peek() < '0' || Peek() > '9')
            return -1;
        int value = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            value = value * 10 + (FFormat[FPos++] - '0');
            if (value > MaxFieldSize)
                Invalid();
        }
        return value;
    }

    // "%" [index ":"] ["-"] [width] ["." precision] type, the '%' already read.
    AnsiString Directive()
    {
        bool leftAlign = Accept('-');
        int width = Number();
        if (Accept(':')) {  // an index: "%1:s" takes argument 1, the next directive argument 2
            if (leftAlign || width < 0)
                Invalid();
            FArg = static_cast<size_t>(width);
            leftAlign = Accept('-');
            width = Number();
        }
        int precision = Accept('.') ? Number() : -1;
        if (FPos >= FFormat.size())
            Invalid();
        char type = static_cast<char>(FFormat[FPos++] | 0x20);  // the type letter ignores case
        const TVarRec& arg = NextArg();

        AnsiString text;
        switch (type) {
        case 's':
            if (!arg.IsString())
                Invalid();
            text = arg.String();
            if (precision >= 0 && static_cast<size_t>(precision) < text.size())
                text.resize(static_cast<size_t>(precision));
            break;
        case 'd': {
            if (arg.IsString())
                Invalid();
            int64_t v = arg.Integer();
            uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
            text = ZeroPad(UnsignedToText(magnitude, 10), precision);
            if (v < 0)
                text.insert(text.begin(), '-');
            break;
        }
        case 'u':
        case 'x':
            if (arg.IsString())
                Invalid();
            text = ZeroPad(UnsignedToText(TwosComplement(arg.Integer()), type == 'x' ? 16 : 10), precision);
            break;
        default:
            Invalid();
        }
        if (width > 0 && static_cast<size_t>(width) > text.size()) {
            AnsiString blanks(static_cast<size_t>(width) - text.size(), ' ');
            text = leftAlign ? text + blanks : blanks + text;
        }
        return text;
    }

    static AnsiString ZeroPad(AnsiString digits, int precision)
    {
        if (precision > 0 && static_cast<size_t>(precision) > digits.size())
            digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
        return digits;
    }

    std::string_view FFormat;
    std::vector<TVarRec> FArgs;
    size_t FPos = 0;
    size_t FArg = 0;
};

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

AnsiString Format(std::string_view format, std::initializer_list<TVarRec> args)
{
    return TFormatter(format, args).Run();
}

// ---- comparison and case ----------------------------------------------------------------------

int CompareText(std::string_view a, std::string_view b)
{
    // Upper case, as the platform folds: '_' sorts after the letters.
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int diff = static_cast<unsigned char>(AsciiUpper(a[i])) - static_cast<unsigned char>(AsciiUpper(b[i]));
        if (diff != 0)
            return diff;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

size_t TTextHash::operator()(std::string_view s) const
{
    // FNV-1a over the bytes SameText compares.
    uint64_t hash = 14695981039346656037ull;
    for (char c : s)
        hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
    return static_cast<size_t>(hash);
}

namespace {

struct TLocaleFree {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using TLocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, TLocaleFree>;

// The user's collation, from the environment (LC_ALL, LC_COLLATE, LANG), without touching the
// process locale. Null when no locale could be made.
struct TCollation {
    TLocaleHandle Locale;
    // No collation rules (C, POSIX, C.UTF-8): wcscoll is then wcscmp, which keys can use directly.
    bool CodePoints = false;
    // towlower_l of each ASCII character, asked once: most text is ASCII, and a call per
    // character was the larger part of decoding.
    wchar_t AsciiLower[0x80] = {};
};

const TCollation& UserCollation()
{
    static const TCollation collation = [] {
        TCollation c;
        for (const char* name : {"", "C.UTF-8", "C"})
            if (locale_t l = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, name, locale_t(nullptr))) {
                c.Locale.reset(l);
                break;
            }
        if (c.Locale) {
            // A word item comes back in the low 32 bits of the pointer; the rest is not defined
            // (reading it all took C.UTF-8 for a collating locale).
            const auto rules = reinterpret_cast<uintptr_t>(nl_langinfo_l(_NL_COLLATE_NRULES, c.Locale.get()));
            c.CodePoints = static_cast<uint32_t>(rules) == 0;
            for (wint_t ch = 0; ch < 0x80; ++ch)
                c.AsciiLower[ch] = static_cast<wchar_t>(towlower_l(ch, c.Locale.get()));
        }
        return c;
    }();
    return collation;
}

// Decodes UTF-8 into `out` (room for s.size() + 1 characters: UTF-8 never takes fewer bytes than
// characters) and lower-cases it, NUL-terminated. Returns the length, or -1 for bytes that are no
// valid UTF-8 or that hold a NUL (wcscoll would stop there; the byte comparison decides then).
ptrdiff_t DecodeFolded(std::string_view s, const TCollation& collation, wchar_t* out)
{
    locale_t locale = collation.Locale.get();
    wchar_t* at = out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {  // most text is ASCII; the locale still decides its case
            if (c == 0)
                return -1;
            *at++ = collation.AsciiLower[c];
            ++i;
            continue;
        }
        int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || s.size() - i <= static_cast<size_t>(extra))
            return -1;
        char32_t cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80)
                return -1;
            cp = (cp << 6) | (cc & 0x3F);
        }
        i += static_cast<size_t>(extra) + 1;
        if (cp == 0)
            return -1;
        *at++ = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(cp), locale));
    }
    *at = L'\0';
    return at - out;
}

// A string decoded and folded on the stack when short, so comparing allocates nothing.
class TFolded {
public:
    TFolded(std::string_view s, const TCollation& collation)
    {
        wchar_t* buffer = FLocal;
        if (s.size() >= std::size(FLocal)) {
            FHeap.resize(s.size() + 1);
            buffer = FHeap.data();
        }
        ptrdiff_t length = DecodeFolded(s, collation, buffer);
        FValid = length >= 0;
        FLength = FValid ? static_cast<size_t>(length) : 0;
        FData = buffer;
    }
    TFolded(const TFolded&) = delete;
    TFolded& operator=(const TFolded&) = delete;
    bool Valid() const { return FValid; }
    const wchar_t* CStr() const { return FData; }
    size_t Length() const { return FLength; }

private:
    wchar_t FLocal[256];
    std::vector<wchar_t> FHeap;
    const wchar_t* FData = nullptr;
    size_t FLength = 0;
    bool FValid = false;
};

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b)
{
    const TCollation& collation = UserCollation();
    if (!collation.Locale)
        return CompareText(a, b);
    TFolded fa(a, collation);
    TFolded fb(b, collation);
    if (!fa.Valid() || !fb.Valid())
        return CompareText(a, b);
    return Sign(wcscoll_l(fa.CStr(), fb.CStr(), collation.Locale.get()));
}

TAnsiTextKey::TAnsiTextKey(std::string_view s)
{
    Assign(s);
}

void TAnsiTextKey::Assign(std::string_view s)
{
    const TCollation& collation = UserCollation();
    if (collation.Locale) {
        FFolded.resize(s.size() + 1);  // decoded in place: a key per entry of a long list adds up
        const ptrdiff_t length = DecodeFolded(s, collation, FFolded.data());
        if (length >= 0) {
            FFolded.resize(static_cast<size_t>(length));
            FOrder = collation.CodePoints ? TOrder::CodePoints : TOrder::Collation;
            return;
        }
    }
    FFolded.resize(s.size());
    std::transform(s.begin(), s.end(), FFolded.begin(),
                   [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(AsciiUpper(c))); });
    FOrder = TOrder::Bytes;
}

bool TAnsiTextKey::Hashable()
{
    const TCollation& collation = UserCollation();
    return !collation.Locale || collation.CodePoints;
}

size_t TAnsiTextKey::Hash() const
{
    return std::hash<std::wstring_view>()(FFolded) ^ static_cast<size_t>(FOrder);
}

int AnsiCompareText(std::string_view a, const TAnsiTextKey& keyA, std::string_view b, const TAnsiTextKey& keyB)
{
    using TOrder = TAnsiTextKey::TOrder;
    if (keyA.FOrder == TOrder::Bytes || keyB.FOrder == TOrder::Bytes)
        return CompareText(a, b);
    // Decoded text holds no NUL, so the sized comparison is wcscmp's.
    if (keyA.FOrder == TOrder::CodePoints)
        return Sign(keyA.FFolded.compare(keyB.FFolded));
    // Not wcsxfrm keys made once: glibc's keys order some strings that wcscoll finds equal
    // (ignorable characters), and sorted lists must keep equal entries in arrival order.
    return Sign(wcscoll_l(keyA.FFolded.c_str(), keyB.FFolded.c_str(), UserCollation().Locale.get()));
}

int CompareStr(std::string_view a, std::string_view b)
{
    int result = a.compare(b);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

AnsiString UpperCase(std::string_view s)
{
    AnsiString out(s);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

AnsiString LowerCase(std::string_view s)
{
    AnsiString out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

AnsiString Trim(std::string_view s)
{
    // The platform trims every control character and the blank.
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0, last = s.size();
    while (first < last && blank(s[first]))
        ++first;
    while (last > first && blank(s[last - 1]))
        --last;
    return AnsiString(s.substr(first, last - first));
}

// ---- integers ---------------------------------------------------------------------------------

AnsiString IntToStr(int64_t value) { return std::to_string(value); }

AnsiString IntToHex(int64_t value, int digits)
{
    constexpr int MaxDigits = 32;  // as the platform, which never pads beyond this
    AnsiString text = UnsignedToText(TwosComplement(value), 16);
    int wanted = std::min(digits, MaxDigits);
    if (wanted > static_cast<int>(text.size()))
        text.insert(0, static_cast<size_t>(wanted) - text.size(), '0');
    return text;
}

bool TryStrToInt(std::string_view text, int& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size())
        return false;
    // Hex may fill all 32 bits (then wraps to a negative Integer); decimal must fit the range.
    const uint64_t limit = hex ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > limit)
            return false;
    }
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + AnsiString(text) + "' is not a valid integer value");
    return value;
}

int StrToIntDef(std::string_view text, int fallback)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : fallback;
}

bool TryStrToInt64(std::string_view text, int64_t& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    const bool plus = first != last && *first == '+';
    first += plus;  // from_chars takes '-' only
    if (first == last || *first == '+' || (plus && *first == '-'))
        return false;
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

AnsiString FloatToStr(double value)
{
    AnsiString text;
    AppendFloatToStr(text, value);
    return text;
}

namespace {

// The text to_chars writes, for the values most data holds: up to four decimals, between 0.001
// and 2^33, where it takes a fraction of the time. There a double's neighbours are far closer
// than the last decimal, so the one decimal number of the fewest decimals that reads back as the
// value is the shortest text; it is written as to_chars would, unless the exponent form is
// shorter (100000 is "1e+05"). False leaves the value to to_chars.
bool AppendFewDecimals(AnsiString& out, double value)
{
    static constexpr double Scales[] = {1, 10, 100, 1000, 10000};
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-3 && magnitude < 0x1p33))
        return false;
    for (int decimals = 0; decimals <= 4; ++decimals) {
        // Only the whole number nearest the scaled value can be it, and only when near: the
        // value's neighbours and the product's rounding keep it within 0.02.
        const double scaled = magnitude * Scales[decimals];
        const auto number = static_cast<uint64_t>(scaled + 0.5);
        if (std::fabs(scaled - static_cast<double>(number)) > 0.05 ||
            static_cast<double>(number) / Scales[decimals] != magnitude)
            continue;
        char text[32];
        char* const end = text + sizeof text;
        char* first = end;
        uint64_t rest = number;
        for (int i = 0; i < decimals; ++i, rest /= 10)
            *--first = static_cast<char>('0' + rest % 10);
        if (decimals > 0)
            *--first = '.';
        const char* const point = first;
        do {
            *--first = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        // The exponent form: the digits from the first to the last that is not 0, a point
        // between them when there are two or more, then "e+NN".
        const char* lead = first;
        while (*lead == '0' || *lead == '.')
            ++lead;
        const char* last = end - 1;
        while (*last == '0')
            --last;
        const auto digits = static_cast<int>(last - lead + 1) - (decimals > 0 && lead < point ? 1 : 0);
        if (digits + (digits > 1) + 4 < static_cast<int>(end - first))
            return false;
        if (value < 0)
            *--first = '-';
        out.append(first, end);
        return true;
    }
    return false;
}

}  // namespace

void AppendFloatToStr(AnsiString& out, double value)
{
    if (std::isnan(value))
        return out.append("NaN"), void();
    if (std::isinf(value))
        return out.append(value < 0 ? "-INF" : "INF"), void();
    if (AppendFewDecimals(out, value))
        return;
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, error == std::errc() ? end : buffer);
}

bool TryStrToFloat(std::string_view text, double& value)
{
    // from_chars is locale-free, unlike strtod, and refuses hex floats and blanks.
    const char* first = text.data();
    const char* last = first + text.size();
    const bool plus = first != last && *first == '+';
    first += plus;
    if (first == last || *first == '+' || (plus && *first == '-'))
        return false;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    return error == std::errc() && end == last;
}

// ---- regional settings ------------------------------------------------------------------------

AnsiString ShortDateFormat;
AnsiString LongDateFormat;
AnsiString ShortTimeFormat;
AnsiString LongTimeFormat;

namespace {

// One piece of a strftime pattern: literal text, or a conversion with its letter.
struct TStrftimeItem {
    char Conversion = 0;  // 0 for literal text
    bool Unpadded = false;
    AnsiString Text;
};
using TStrftimeItems = std::vector<TStrftimeItem>;

AnsiString LangInfo(nl_item item)
{
    const char* text = nl_langinfo(item);
    return text ? text : "";
}

void AddLiteral(TStrftimeItems& items, std::string_view text)
{
    if (!items.empty() && items.back().Conversion == 0)
        items.back().Text += text;
    else
        items.push_back({0, false, AnsiString(text)});
}

// Splits a strftime pattern; composite conversions (%D, %T, %r, %x...) are spelled out so that
// every conversion left has a pattern letter of its own.
void ParseStrftime(std::string_view f, TStrftimeItems& items, int depth = 0)
{
    auto expand = [&](std::string_view inner) { ParseStrftime(inner, items, depth + 1); };
    // Locale items may name each other (%c holds %x); the bound stops a locale that loops.
    auto expandLocale = [&](nl_item item, std::string_view fallback) {
        AnsiString inner = LangInfo(item);
        expand(depth < 4 && !inner.empty() ? std::string_view(inner) : fallback);
    };
    for (size_t i = 0; i < f.size();) {
        if (f[i] != '%' || i + 1 == f.size()) {
            AddLiteral(items, f.substr(i, 1));
            ++i;
            continue;
        }
        ++i;
        bool unpadded = false;
        while (i < f.size() && std::string_view("-_0^#").find(f[i]) != std::string_view::npos) {
            unpadded = unpadded || f[i] == '-' || f[i] == '_';
            ++i;
        }
        while (i < f.size() && f[i] >= '0' && f[i] <= '9')
            ++i;
        if (i < f.size() && (f[i] == 'E' || f[i] == 'O'))
            ++i;
        if (i == f.size())
            break;
        char c = f[i++];
        switch (c) {
        case '%': AddLiteral(items, "%"); break;
        case 'n':
        case 't': AddLiteral(items, " "); break;
        case 'D': expand("%m/%d/%y"); break;
        case 'F': expand("%Y-%m-%d"); break;
        case 'T': expand("%H:%M:%S"); break;
        case 'R': expand("%H:%M"); break;
        case 'r': expandLocale(T_FMT_AMPM, "%I:%M:%S %p"); break;
        case 'x': expandLocale(D_FMT, "%m/%d/%y"); break;
        case 'X': expandLocale(T_FMT, "%H:%M:%S"); break;
        case 'c': expandLocale(D_T_FMT, "%a %b %e %H:%M:%S %Y"); break;
        default: items.push_back({c, unpadded, {}});
        }
    }
}

// The pattern letters of one conversion; empty for those the platform has none for (%Z, %j...).
AnsiString PatternOf(const TStrftimeItem& item)
{
    bool u = item.Unpadded;
    switch (item.Conversion) {
    case 'd': return u ? "d" : "dd";
    case 'e': return "d";
    case 'm': return u ? "m" : "mm";
    case 'b':
    case 'h': return "mmm";
    case 'B': return "mmmm";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'H':
    case 'I': return u ? "h" : "hh";
    case 'k':
    case 'l': return "h";
    case 'M': return u ? "n" : "nn";
    case 'S': return u ? "s" : "ss";
    case 'p':
    case 'P': return "am/pm";
    default: return {};
    }
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Literal text in a pattern: letters would be read as pattern letters and are quoted, as the
// platform quotes ("h" in "hh\"h\"nn"); a quote character is quoted with the other quote.
AnsiString QuoteLiteral(std::string_view text)
{
    AnsiString out;
    for (size_t i = 0; i < text.size();) {
        if (IsAsciiLetter(text[i])) {
            size_t end = i;
            while (end < text.size() && IsAsciiLetter(text[end]))
                ++end;
            out += '"' + AnsiString(text.substr(i, end - i)) + '"';
            i = end;
        } else if (text[i] == '"') {
            out += "'\"'";
            ++i;
        } else if (text[i] == '\'') {
            out += "\"'\"";
            ++i;
        } else
            out += text[i++];
    }
    return out;
}

AnsiString Translate(const TStrftimeItems& items)
{
    AnsiString out;
    for (const auto& item : items)
        out += item.Conversion ? PatternOf(item) : QuoteLiteral(item.Text);
    return Trim(out);  // a dropped conversion (%Z) may leave a blank at either end
}

bool Has(const TStrftimeItems& items, std::string_view conversions)
{
    for (const auto& item : items)
        if (item.Conversion && conversions.find(item.Conversion) != std::string_view::npos)
            return true;
    return false;
}

bool IsAsciiPunctuation(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || IsAsciiLetter(c) || (c >= '0' && c <= '9'))
            return false;
    return true;
}

// The time without seconds: "%H:%M:%S" loses ":%S"; "%H時%M分%S秒" loses "%S秒", since there the
// unit follows the number.
TStrftimeItems WithoutSeconds(TStrftimeItems items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].Conversion != 'S')
            continue;
        size_t first = i, last = i + 1;
        if (i > 0 && items[i - 1].Conversion == 0 && IsAsciiPunctuation(items[i - 1].Text))
            first = i - 1;
        else if (i + 1 < items.size() && items[i + 1].Conversion == 0)
            last = i + 2;
        items.erase(items.begin() + static_cast<ptrdiff_t>(first), items.begin() + static_cast<ptrdiff_t>(last));
        break;
    }
    return items;
}

// A 12-hour clock shown without its marker would read as 24-hour in the platform's patterns.
TStrftimeItems WithMarker(TStrftimeItems items)
{
    if (Has(items, "Il") && !Has(items, "pP")) {
        AddLiteral(items, " ");
        items.push_back({'p', false, {}});
    }
    return items;
}

// The C library has no long date; the platform's long date names the weekday and the month.
// It is built in the order of the short date's day, month and year. Where the short date
// spells its units out (CJK "%Y年%m月%d日"), the long date keeps them with unpadded numbers
// and adds the weekday, as those locales write it.
AnsiString LongDateOf(const TStrftimeItems& date)
{
    std::string order;
    AnsiString separator;
    bool unitMarkers = false;
    for (const auto& item : date) {
        char field = std::string_view("de").find(item.Conversion) != std::string_view::npos ? 'd'
            : std::string_view("mbBh").find(item.Conversion) != std::string_view::npos       ? 'm'
            : std::string_view("yY").find(item.Conversion) != std::string_view::npos         ? 'y'
                                                                                             : 0;
        if (field && order.find(field) == std::string::npos)
            order += field;
        if (item.Conversion == 0) {
            unitMarkers = unitMarkers || !IsAsciiPunctuation(item.Text);
            if (order.size() == 1 && separator.empty())
                separator = Trim(item.Text);
        }
    }
    if (order.size() != 3)
        return "dddd, " + Translate(date);
    if (unitMarkers) {
        AnsiString out;
        for (const auto& item : date) {
            if (item.Conversion == 'd' || item.Conversion == 'e')
                out += "d";
            else if (item.Conversion == 'm')
                out += "m";
            else if (item.Conversion == 'y' || item.Conversion == 'Y')
                out += "yyyy";
            else
                out += item.Conversion ? PatternOf(item) : QuoteLiteral(item.Text);
        }
        return Trim(out) + " dddd";
    }
    if (order == "dmy")
        return separator == "." ? "dddd, d. mmmm yyyy" : "dddd, d mmmm yyyy";
    if (order == "mdy")
        return "dddd, mmmm d, yyyy";
    if (order == "ymd")
        return "dddd, yyyy mmmm d";
    return "dddd, " + Translate(date);
}

}  // namespace

AnsiString StrftimeToPattern(std::string_view strftimeFormat)
{
    TStrftimeItems items;
    ParseStrftime(strftimeFormat, items);
    return Translate(items);
}

void GetFormatSettings()
{
    TStrftimeItems date, time;
    ParseStrftime(LangInfo(D_FMT), date);
    ParseStrftime(LangInfo(T_FMT), time);
    time = WithMarker(std::move(time));
    ShortDateFormat = Translate(date);
    LongDateFormat = LongDateOf(date);
    ShortTimeFormat = Translate(WithoutSeconds(time));
    LongTimeFormat = Translate(time);
}

namespace {

// Fills the patterns at start-up from the user's LC_TIME (LC_ALL, LC_TIME, LANG), through a
// thread-local locale so that the process locale stays as it is.
const bool FormatSettingsLoaded = [] {
    locale_t user = newlocale(LC_TIME_MASK, "", locale_t(nullptr));
    locale_t previous = user ? uselocale(user) : locale_t(nullptr);
    GetFormatSettings();
    if (user) {
        uselocale(previous);
        freelocale(user);
    }
    return true;
}();

}  // namespace
