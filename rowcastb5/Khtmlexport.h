#pragma once
// The HTML export: a page with the exported table, coloured by a predefined template or by the
// component's own settings.

#include <cstdint>
#include <memory>

#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Graphics.h"

// htCustom uses the component's HTMLOptions and TableOptions; the others the colour sets of the
// Templates unit, in the same order (htBW is RhtBW, ..., htSimple is RhtSimple).
enum THTMLTemplate : uint8_t {
    htCustom, htBW, htClassic, htColorFul, htGray, htMSMoney, htMurky, htOlive, htPlain, htSimple
};
template <> struct TypeInfoTraits<THTMLTemplate> { static const TTypeInfo* Get(); };

// The name a person reads for a template ("Black & White"); empty for a value out of range.
AnsiString TemplateToStr(THTMLTemplate value);

// The page's colours and text font.
class THTMLOptions : public TDerived<THTMLOptions, TPersistent> {
public:
    explicit THTMLOptions(TComponent* owner = nullptr);
    ~THTMLOptions() override;
    static TClass StaticClass();

    TColor BackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(TColor color) { FBackGroundColor = color; }
    TColor LinkColor() const { return FLinkColor; }
    void SetLinkColor(TColor color) { FLinkColor = color; }
    TColor VLinkColor() const { return FVLinkColor; }
    void SetVLinkColor(TColor color) { FVLinkColor = color; }
    TColor ALinkColor() const { return FALinkColor; }
    void SetALinkColor(TColor color) { FALinkColor = color; }
    // The font of the page text; the setter copies into the options' own font.
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* font);

    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TComponent* FOwner;
    TColor FBackGroundColor = clWhite;
    TColor FLinkColor = clBlue;
    TColor FVLinkColor = clPurple;
    TColor FALinkColor = clRed;
    std::unique_ptr<TFont> FDefaultFont;
};

// The table's colours. The defaults are those the template editor's preview is drawn in.
class TTableOptions : public TDerived<TTableOptions, TPersistent> {
public:
    explicit TTableOptions(TComponent* owner = nullptr) : FOwner(owner) {}
    ~TTableOptions() override;
    static TClass StaticClass();

    TColor HeadersRowBgColor() const { return FHeadersRowBgColor; }
    void SetHeadersRowBgColor(TColor color) { FHeadersRowBgColor = color; }
    TColor HeadersRowFontColor() const { return FHeadersRowFontColor; }
    void SetHeadersRowFontColor(TColor color) { FHeadersRowFontColor = color; }
    // Background of the first, third, ... data row.
    TColor TableBgColor() const { return FTableBgColor; }
    void SetTableBgColor(TColor color) { FTableBgColor = color; }
    TColor TableFontColor() const { return FTableFontColor; }
    void SetTableFontColor(TColor color) { FTableFontColor = color; }
    // Background of the second, fourth, ... data row.
    TColor OddRowBgColor() const { return FOddRowBgColor; }
    void SetOddRowBgColor(TColor color) { FOddRowBgColor = color; }

    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TComponent* FOwner;
    TColor FHeadersRowBgColor = static_cast<TColor>(0x00FF8080);
    TColor FHeadersRowFontColor = clWindowText;
    TColor FTableBgColor = static_cast<TColor>(0x0080FFFF);
    TColor FTableFontColor = clWindowText;
    TColor FOddRowBgColor = static_cast<TColor>(0x008080FF);
};

class TKHTMLExport : public TDerived<TKHTMLExport, TKFileExport> {
public:
    explicit TKHTMLExport(TComponent* owner);
    ~TKHTMLExport() override;
    static TClass StaticClass();

    // The style sheet the page links to; none when empty.
    const AnsiString& CSSFileName() const { return FCSSFileName; }
    void SetCSSFileName(const AnsiString& name) { FCSSFileName = name; }
    THTMLTemplate HTMLTemplate() const { return FHTMLTemplate; }
    void SetHTMLTemplate(THTMLTemplate value) { FHTMLTemplate = value; }
    // The custom template's settings. The setters copy into the component's own objects.
    THTMLOptions* HTMLOptions() const { return FHTMLOptions.get(); }
    void SetHTMLOptions(THTMLOptions* options);
    TTableOptions* TableOptions() const { return FTableOptions.get(); }
    void SetTableOptions(TTableOptions* options);

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;

private:
    AnsiString FCSSFileName;
    THTMLTemplate FHTMLTemplate = htCustom;
    std::unique_ptr<THTMLOptions> FHTMLOptions;
    std::unique_ptr<TTableOptions> FTableOptions;
};
