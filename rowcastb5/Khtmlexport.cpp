#include "rowcastb5/Khtmlexport.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "rowcastb5/Htmlwriter.h"
#include "vcl50/Resstrings.h"

namespace {

const bool registered = (RegisterClasses({TKHTMLExport::StaticClass()}), true);

// In the library's string table, where a language module translates them.
const TResStringRec TemplateNames[] = {
    {"STemplateCustom"}, {"STemplateBW"},    {"STemplateClassic"}, {"STemplateColorful"}, {"STemplateGray"},
    {"STemplateMoney"},  {"STemplateMurky"}, {"STemplateOlive"},   {"STemplatePlain"},    {"STemplateSimple"},
};

}  // namespace

const TTypeInfo* TypeInfoTraits<THTMLTemplate>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<THTMLTemplate>(
        "THTMLTemplate", {"htCustom", "htBW", "htClassic", "htColorFul", "htGray", "htMSMoney",
                          "htMurky", "htOlive", "htPlain", "htSimple"});
    return &info;
}

AnsiString TemplateToStr(THTMLTemplate value)
{
    // A form file or a raw ordinal write can hold any byte; such a value has no name.
    if (value >= std::size(TemplateNames))
        return AnsiString();
    return LoadResString(TemplateNames[value]);
}

// ---- THTMLOptions -----------------------------------------------------------------------------

THTMLOptions::THTMLOptions(TComponent* owner) : FOwner(owner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetOwner(this);
    FDefaultFont->SetName("Arial");  // a face every browser has, unlike the dialogs' default
}

THTMLOptions::~THTMLOptions() = default;

TClass THTMLOptions::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<THTMLOptions, TPersistent>("THTMLOptions")
        .Property("ALinkColor", &THTMLOptions::ALinkColor, &THTMLOptions::SetALinkColor)
        .Property("BackGroundColor", &THTMLOptions::BackGroundColor, &THTMLOptions::SetBackGroundColor)
        .Property("DefaultFont", &THTMLOptions::DefaultFont, &THTMLOptions::SetDefaultFont)
        .Property("LinkColor", &THTMLOptions::LinkColor, &THTMLOptions::SetLinkColor)
        .Property("VLinkColor", &THTMLOptions::VLinkColor, &THTMLOptions::SetVLinkColor)
        .Build();
    return &meta;
}

void THTMLOptions::SetDefaultFont(TFont* font)
{
    FDefaultFont->Assign(font);
}

void THTMLOptions::Assign(TPersistent* source)
{
    if (auto* options = dynamic_cast<THTMLOptions*>(source)) {
        FBackGroundColor = options->FBackGroundColor;
        FLinkColor = options->FLinkColor;
        FVLinkColor = options->FVLinkColor;
        FALinkColor = options->FALinkColor;
        FDefaultFont->Assign(options->FDefaultFont.get());
        return;
    }
    TPersistent::Assign(source);
}

// ---- TTableOptions ----------------------------------------------------------------------------

TTableOptions::~TTableOptions() = default;

TClass TTableOptions::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTableOptions, TPersistent>("TTableOptions")
        .Property("HeadersRowBgColor", &TTableOptions::HeadersRowBgColor, &TTableOptions::SetHeadersRowBgColor)
        .Property("HeadersRowFontColor", &TTableOptions::HeadersRowFontColor,
                  &TTableOptions::SetHeadersRowFontColor)
        .Property("OddRowBgColor", &TTableOptions::OddRowBgColor, &TTableOptions::SetOddRowBgColor)
        .Property("TableBgColor", &TTableOptions::TableBgColor, &TTableOptions::SetTableBgColor)
        .Property("TableFontColor", &TTableOptions::TableFontColor, &TTableOptions::SetTableFontColor)
        .Build();
    return &meta;
}

void TTableOptions::Assign(TPersistent* source)
{
    if (auto* options = dynamic_cast<TTableOptions*>(source)) {
        SetHeadersRowBgColor(options->FHeadersRowBgColor);
        SetHeadersRowFontColor(options->FHeadersRowFontColor);
        SetTableBgColor(options->FTableBgColor);
        SetTableFontColor(options->FTableFontColor);
        SetOddRowBgColor(options->FOddRowBgColor);
        return;
    }
    TPersistent::Assign(source);
}

// ---- TKHTMLExport -----------------------------------------------------------------------------

TKHTMLExport::TKHTMLExport(TComponent* owner)
    : TDerived(owner),
      FHTMLOptions(std::make_unique<THTMLOptions>(this)),
      FTableOptions(std::make_unique<TTableOptions>(this))
{
}

TKHTMLExport::~TKHTMLExport() = default;

TClass TKHTMLExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKHTMLExport, TKExport>("TKHTMLExport")
        .Property("CSSFileName", &TKHTMLExport::CSSFileName, &TKHTMLExport::SetCSSFileName)
        .Property("FileName", &TKHTMLExport::FileName, &TKHTMLExport::SetFileName)
        .Property("HTMLOptions", &TKHTMLExport::HTMLOptions, &TKHTMLExport::SetHTMLOptions)
        .Property("HTMLTemplate", &TKHTMLExport::HTMLTemplate, &TKHTMLExport::SetHTMLTemplate)
        .Property("TableOptions", &TKHTMLExport::TableOptions, &TKHTMLExport::SetTableOptions)
        .Build();
    return &meta;
}

void TKHTMLExport::SetHTMLOptions(THTMLOptions* options)
{
    FHTMLOptions->Assign(options);
}

void TKHTMLExport::SetTableOptions(TTableOptions* options)
{
    FTableOptions->Assign(options);
}

std::unique_ptr<TExportWriter> TKHTMLExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    static const RHTMLTemplate* const predefined[] = {
        &RhtBW, &RhtClassic, &RhtColorFul, &RhtGray, &RhtMS_Money, &RhtMurky, &RhtOlive, &RhtPlain, &RhtSimple,
    };
    THTMLPage page;
    const TFont* font = FHTMLOptions->DefaultFont();
    if (FHTMLTemplate == htCustom) {
        page.Look = {FHTMLOptions->BackGroundColor(), FHTMLOptions->LinkColor(), FHTMLOptions->VLinkColor(),
                     FHTMLOptions->ALinkColor(), font->Color(), font->Name(),
                     FTableOptions->HeadersRowBgColor(), FTableOptions->HeadersRowFontColor(),
                     FTableOptions->TableBgColor(), FTableOptions->TableFontColor(), FTableOptions->OddRowBgColor()};
        // A positive height counts the internal leading, which makes Size negative.
        page.FontSize = std::abs(font->Size());
        page.FontStyle = font->Style();
    } else if (FHTMLTemplate <= std::size(predefined)) {
        page.Look = *predefined[FHTMLTemplate - 1];  // the face and colours the template was drawn in
    } else {
        throw EExportError(Format("%s: HTMLTemplate %d is no known template", {Name(), static_cast<int>(FHTMLTemplate)}));
    }
    page.StyleSheet = FCSSFileName;
    page.Title = std::filesystem::path(FileName()).stem().string();
    if (page.Title.empty())
        page.Title = Name();
    return std::make_unique<THtmlWriter>(out, columns, *Formats(), std::move(page));
}
