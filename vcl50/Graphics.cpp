#include "vcl50/Graphics.h"

#include <cstdlib>
#include <utility>

#include "vcl50/Sysutils.h"

namespace {

struct NamedValue {
    int64_t Value;
    const char* Name;
};

constexpr NamedValue ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};

// The classic desktop scheme, indexed by the low byte of a system colour (RGB, red low).
constexpr int32_t SystemColors[] = {
    0xC8C8C8, 0x000000, 0x6A240A, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x6A240A, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000, 0xE1FFFF,
};

constexpr NamedValue CharsetNames[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"}, {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"}, {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"}, {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"}, {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"}, {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"}, {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"}, {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

template <size_t N>
bool IdentToValue(const NamedValue (&table)[N], std::string_view ident, int64_t& value)
{
    for (const NamedValue& entry : table)
        if (SameText(entry.Name, ident)) {
            value = entry.Value;
            return true;
        }
    return false;
}

template <size_t N>
bool ValueToIdent(const NamedValue (&table)[N], int64_t value, std::string& ident)
{
    for (const NamedValue& entry : table)
        if (entry.Value == value) {
            ident = entry.Name;
            return true;
        }
    return false;
}

bool IdentToCharset(std::string_view ident, int64_t& value)
{
    return IdentToValue(CharsetNames, ident, value);
}

bool CharsetToIdent(int64_t value, std::string& ident)
{
    return ValueToIdent(CharsetNames, value, ident);
}

}  // namespace

bool IdentToColor(std::string_view ident, int64_t& color)
{
    return IdentToValue(ColorNames, ident, color);
}

bool ColorToIdent(int64_t color, std::string& ident)
{
    return ValueToIdent(ColorNames, static_cast<int32_t>(color), ident);
}

void GetColorValues(const std::function<void(const AnsiString&)>& proc)
{
    for (const NamedValue& entry : ColorNames)
        proc(entry.Name);
}

const TTypeInfo* TypeInfoTraits<TColor>::Get()
{
    static const TTypeInfo info =
        IdentIntegerTypeInfo("TColor", otSLong, INT32_MIN, INT32_MAX, &IdentToColor, &ColorToIdent);
    return &info;
}

const TTypeInfo* TypeInfoTraits<TFontCharset>::Get()
{
    static const TTypeInfo info =
        IdentIntegerTypeInfo("TFontCharset", otUByte, 0, 255, &IdentToCharset, &CharsetToIdent);
    return &info;
}

const TTypeInfo* TypeInfoTraits<TFontStyle>::Get()
{
    static const TTypeInfo info =
        EnumTypeInfo<TFontStyle>("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TFontStyles>::Get()
{
    static const TTypeInfo info = SetTypeInfo("TFontStyles", TypeInfoOf<TFontStyle>());
    return &info;
}

const TTypeInfo* TypeInfoTraits<TFontPitch>::Get()
{
    static const TTypeInfo info =
        EnumTypeInfo<TFontPitch>("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    return &info;
}

AnsiString ColorToString(TColor color)
{
    std::string ident;
    if (ColorToIdent(color, ident))
        return ident;
    return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

TColor StringToColor(std::string_view text)
{
    int64_t value;
    if (IdentToColor(text, value))
        return static_cast<TColor>(value);
    return static_cast<TColor>(StrToInt(text));
}

int32_t ColorToRGB(TColor color)
{
    auto value = static_cast<uint32_t>(color);
    if ((value & 0xFF000000u) == 0x80000000u) {
        uint32_t index = value & 0xFFu;
        if (index < std::size(SystemColors))
            return SystemColors[index];
        return 0;
    }
    return static_cast<int32_t>(value & 0x00FFFFFFu);
}

// ---- TFont ------------------------------------------------------------------------------------

TFont::TFont() = default;
TFont::~TFont() = default;

TClass TFont::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TFont, TPersistent>("TFont")
        .Property("Charset", &TFont::Charset, &TFont::SetCharset)
        .Property("Color", &TFont::Color, &TFont::SetColor)
        .Property("Height", &TFont::Height, &TFont::SetHeight)
        .Property("Name", &TFont::Name, &TFont::SetName)
        .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
        .Property("Size", &TFont::Size, &TFont::SetSize)
        .Stored([](const TFont&) { return false; })  // Height holds it; both would not round-trip
        .Property("Style", &TFont::Style, &TFont::SetStyle)
        .Build();
    return &meta;
}

void TFont::SetName(const AnsiString& name)
{
    if (name.empty() || name == FName)
        return;  // the platform keeps the old face for an empty name
    FName = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == FHeight)
        return;
    FHeight = height;
    Changed();
}

int TFont::Size() const
{
    // Rounded as the platform's MulDiv does.
    int64_t n = -static_cast<int64_t>(FHeight) * 72;
    return static_cast<int>(n >= 0 ? (n + PixelsPerInch / 2) / PixelsPerInch
                                   : -((-n + PixelsPerInch / 2) / PixelsPerInch));
}

void TFont::SetSize(int points)
{
    int64_t n = static_cast<int64_t>(points) * PixelsPerInch;
    SetHeight(-static_cast<int>(n >= 0 ? (n + 36) / 72 : -((-n + 36) / 72)));
}

void TFont::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    Changed();
}

void TFont::SetCharset(TFontCharset charset)
{
    if (charset == FCharset)
        return;
    FCharset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == FPitch)
        return;
    FPitch = pitch;
    Changed();
}

void TFont::Assign(TPersistent* source)
{
    if (auto* font = dynamic_cast<TFont*>(source)) {
        if (SameAs(*font))
            return;
        FName = font->FName;
        FHeight = font->FHeight;
        FColor = font->FColor;
        FStyle = font->FStyle;
        FCharset = font->FCharset;
        FPitch = font->FPitch;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

bool TFont::SameAs(const TFont& other) const
{
    return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor &&
           FStyle == other.FStyle && FCharset == other.FCharset && FPitch == other.FPitch;
}

void TFont::Changed()
{
    OnChange(this);
}
