#pragma once
// Colours and fonts: the non-visual part of the platform's graphics unit.

#include <cstdint>

#include "vcl50/Classes.h"

// A colour: red in the low byte, then green, then blue; a top byte of 0x80 names a system colour.
enum TColor : int32_t {
    clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
    clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
    clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
    clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
    clLtGray = 0xC0C0C0, clDkGray = 0x808080,
    clNone = 0x1FFFFFFF, clDefault = 0x20000000,
    clScrollBar = static_cast<int32_t>(0x80000000u),
    clBackground = static_cast<int32_t>(0x80000001u),
    clActiveCaption = static_cast<int32_t>(0x80000002u),
    clInactiveCaption = static_cast<int32_t>(0x80000003u),
    clMenu = static_cast<int32_t>(0x80000004u),
    clWindow = static_cast<int32_t>(0x80000005u),
    clWindowFrame = static_cast<int32_t>(0x80000006u),
    clMenuText = static_cast<int32_t>(0x80000007u),
    clWindowText = static_cast<int32_t>(0x80000008u),
    clCaptionText = static_cast<int32_t>(0x80000009u),
    clActiveBorder = static_cast<int32_t>(0x8000000Au),
    clInactiveBorder = static_cast<int32_t>(0x8000000Bu),
    clAppWorkSpace = static_cast<int32_t>(0x8000000Cu),
    clHighlight = static_cast<int32_t>(0x8000000Du),
    clHighlightText = static_cast<int32_t>(0x8000000Eu),
    clBtnFace = static_cast<int32_t>(0x8000000Fu),
    clBtnShadow = static_cast<int32_t>(0x80000010u),
    clGrayText = static_cast<int32_t>(0x80000011u),
    clBtnText = static_cast<int32_t>(0x80000012u),
    clInactiveCaptionText = static_cast<int32_t>(0x80000013u),
    clBtnHighlight = static_cast<int32_t>(0x80000014u),
    cl3DDkShadow = static_cast<int32_t>(0x80000015u),
    cl3DLight = static_cast<int32_t>(0x80000016u),
    clInfoText = static_cast<int32_t>(0x80000017u),
    clInfoBk = static_cast<int32_t>(0x80000018u),
};
template <> struct TypeInfoTraits<TColor> { static const TTypeInfo* Get(); };

// "clWhite" for a named colour, "$00FF8080" for any other.
AnsiString ColorToString(TColor color);
// A colour name (any letter case) or a number as StrToInt reads it; raises EConvertError.
TColor StringToColor(std::string_view text);
bool IdentToColor(std::string_view ident, int64_t& color);
bool ColorToIdent(int64_t color, std::string& ident);
// Calls `proc` with each colour name, in the platform's order (a colour property's value list).
void GetColorValues(const std::function<void(const AnsiString&)>& proc);
// The RGB value a colour shows as: system colours resolve to the classic desktop scheme.
int32_t ColorToRGB(TColor color);

enum TFontCharset : uint8_t {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77,
    SHIFTJIS_CHARSET = 128, HANGEUL_CHARSET = 129, JOHAB_CHARSET = 130, GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136, GREEK_CHARSET = 161, TURKISH_CHARSET = 162,
    VIETNAMESE_CHARSET = 163, HEBREW_CHARSET = 177, ARABIC_CHARSET = 178, BALTIC_CHARSET = 186,
    RUSSIAN_CHARSET = 204, THAI_CHARSET = 222, EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255
};
template <> struct TypeInfoTraits<TFontCharset> { static const TTypeInfo* Get(); };

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
template <> struct TypeInfoTraits<TFontStyle> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TFontStyles> { static const TTypeInfo* Get(); };

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
template <> struct TypeInfoTraits<TFontPitch> { static const TTypeInfo* Get(); };

// Screen resolution the forms are designed at.
constexpr int PixelsPerInch = 96;

class TFont : public TDerived<TFont, TPersistent> {
public:
    TFont();
    ~TFont() override;
    static TClass StaticClass();

    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& name);
    // Height in pixels; negative is the character height without internal leading, as form
    // resources store it. Size is in points and is derived from Height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);

    void Assign(TPersistent* source) override;
    bool SameAs(const TFont& other) const;
    TPersistent* GetOwner() const override { return FOwner; }
    void SetOwner(TPersistent* owner) { FOwner = owner; }

    TNotifyEvent OnChange;

private:
    void Changed();

    AnsiString FName = "MS Sans Serif";
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    TPersistent* FOwner = nullptr;
};
