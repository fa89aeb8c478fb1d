#include "dialogs/Khtmltemplateeditdlg.h"

#include <filesystem>
#include <system_error>
#include <variant>

#include "rowcastb5/Kbaseexport.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Templates.h"
#include "vcl50/Buttons.h"
#include "vcl50/Dialogs.h"
#include "vcl50/Resstrings.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Sysutils.h"

TfmKHTMLTemplateEditDlg* fmKHTMLTemplateEditDlg = nullptr;

namespace {

const char* const HTMLOptionsSection = "HTML options";
const char* const TableOptionsSection = "Table options";
const TResStringRec STemplateFileMissing{"STemplateFileMissing"};

// The colour sets of the predefined templates 1 to 9; null for the custom template.
const RHTMLTemplate* PredefinedTemplate(THTMLTemplate value)
{
    static const RHTMLTemplate* const sets[] = {&RhtBW,       &RhtClassic, &RhtColorFul,
                                                &RhtGray,     &RhtMS_Money, &RhtMurky,
                                                &RhtOlive,    &RhtPlain,    &RhtSimple};
    return value >= htBW && value <= htSimple ? sets[value - htBW] : nullptr;
}

// The template file lives in the dialog's member for one save or load only: released on every
// way out, a failing read or write included.
struct TReleaseTemplateFile {
    std::unique_ptr<THexIniFile>& File;
    ~TReleaseTemplateFile() { File.reset(); }
};

// Nothing at all at `path`; a path that cannot be examined is left to the reading to report.
bool NothingAt(const AnsiString& path)
{
    std::error_code error;
    return !std::filesystem::exists(path, error) && !error;
}

// The parts of an HTML export that hold the scheme.
THTMLOptions* Page(const TKHTMLExport& e)
{
    return e.HTMLOptions();
}

TFont* PageFont(const TKHTMLExport& e)
{
    return e.HTMLOptions()->DefaultFont();
}

TTableOptions* Table(const TKHTMLExport& e)
{
    return e.TableOptions();
}

// A getter and a setter of one part of an HTML export, as plain functions of the export.
template <auto Part, auto Get>
auto FromExport(const TKHTMLExport& e)
{
    return (Part(e)->*Get)();
}

template <auto Part, auto Set, class Value>
void ToExport(const TKHTMLExport& e, Value value)
{
    (Part(e)->*Set)(value);
}

using TDlg = TfmKHTMLTemplateEditDlg;

// One value of the scheme: the name the dialog publishes it under, where the template file keeps
// it, the dialog's getter and setter, and an HTML export's.
template <class Value, class Stored>
struct TSchemeValue {
    const char* Name;
    const char* Section;
    const char* Key;
    Stored (TDlg::*Get)() const;
    void (TDlg::*Set)(Value);
    Value (*GetOfExport)(const TKHTMLExport&);
    void (*SetOfExport)(const TKHTMLExport&, Value);
};
using TSchemeColor = TSchemeValue<TColor, TColor>;
using TSchemeText = TSchemeValue<AnsiString, const AnsiString&>;

// The scheme in the template file's key order, which saves keep and loads follow.
const std::variant<TSchemeColor, TSchemeText> Scheme[] = {
    TSchemeColor{"BackGroundColor", HTMLOptionsSection, "Background-color", &TDlg::BackGroundColor,
                 &TDlg::SetBackGroundColor, FromExport<Page, &THTMLOptions::BackGroundColor>,
                 ToExport<Page, &THTMLOptions::SetBackGroundColor>},
    TSchemeColor{"DefaultTextColor", HTMLOptionsSection, "Font-color", &TDlg::DefaultTextColor,
                 &TDlg::SetDefaultTextColor, FromExport<PageFont, &TFont::Color>, ToExport<PageFont, &TFont::SetColor>},
    TSchemeText{"TextFontName", HTMLOptionsSection, "Font-family", &TDlg::TextFontName, &TDlg::SetTextFontName,
                FromExport<PageFont, &TFont::Name>, ToExport<PageFont, &TFont::SetName>},
    TSchemeColor{"LinkColor", HTMLOptionsSection, "LinkColor", &TDlg::LinkColor, &TDlg::SetLinkColor,
                 FromExport<Page, &THTMLOptions::LinkColor>, ToExport<Page, &THTMLOptions::SetLinkColor>},
    TSchemeColor{"VLinkColor", HTMLOptionsSection, "VLinkColor", &TDlg::VLinkColor, &TDlg::SetVLinkColor,
                 FromExport<Page, &THTMLOptions::VLinkColor>, ToExport<Page, &THTMLOptions::SetVLinkColor>},
    TSchemeColor{"ALinkColor", HTMLOptionsSection, "ALinkColor", &TDlg::ALinkColor, &TDlg::SetALinkColor,
                 FromExport<Page, &THTMLOptions::ALinkColor>, ToExport<Page, &THTMLOptions::SetALinkColor>},
    TSchemeColor{"HeadersRowBgColor", TableOptionsSection, "Header-bgcolor", &TDlg::HeadersRowBgColor,
                 &TDlg::SetHeadersRowBgColor, FromExport<Table, &TTableOptions::HeadersRowBgColor>,
                 ToExport<Table, &TTableOptions::SetHeadersRowBgColor>},
    TSchemeColor{"HeadersRowFontColor", TableOptionsSection, "Header-color", &TDlg::HeadersRowFontColor,
                 &TDlg::SetHeadersRowFontColor, FromExport<Table, &TTableOptions::HeadersRowFontColor>,
                 ToExport<Table, &TTableOptions::SetHeadersRowFontColor>},
    TSchemeColor{"TableFontColor", TableOptionsSection, "Table-color", &TDlg::TableFontColor,
                 &TDlg::SetTableFontColor, FromExport<Table, &TTableOptions::TableFontColor>,
                 ToExport<Table, &TTableOptions::SetTableFontColor>},
    TSchemeColor{"TableBgColor", TableOptionsSection, "Even_row-bgcolor", &TDlg::TableBgColor, &TDlg::SetTableBgColor,
                 FromExport<Table, &TTableOptions::TableBgColor>, ToExport<Table, &TTableOptions::SetTableBgColor>},
    TSchemeColor{"OddRowBgColor", TableOptionsSection, "Odd_row-bgcolor", &TDlg::OddRowBgColor,
                 &TDlg::SetOddRowBgColor, FromExport<Table, &TTableOptions::OddRowBgColor>,
                 ToExport<Table, &TTableOptions::SetOddRowBgColor>},
};

// Colours as "$" and eight hex digits, the font name as it is.
void WriteValue(THexIniFile& file, const char* section, const char* key, TColor value)
{
    file.WriteHex(section, key, value);
}

void WriteValue(THexIniFile& file, const char* section, const char* key, const AnsiString& value)
{
    file.WriteString(section, key, value);
}

// A missing key or a colour that is no number keeps `current`.
TColor ReadValue(THexIniFile& file, const char* section, const char* key, TColor current)
{
    return static_cast<TColor>(file.ReadInteger(section, key, current));
}

AnsiString ReadValue(THexIniFile& file, const char* section, const char* key, const AnsiString& current)
{
    return file.ReadString(section, key, current);
}

}  // namespace

TfmKHTMLTemplateEditDlg::TfmKHTMLTemplateEditDlg(TComponent* owner) : TDerived(owner), FTemplate(htCustom) {}
TfmKHTMLTemplateEditDlg::TfmKHTMLTemplateEditDlg(TComponent* owner, int dummy)
    : TDerived(owner, dummy), FTemplate(htCustom)
{
}
TfmKHTMLTemplateEditDlg::~TfmKHTMLTemplateEditDlg() = default;

TClass TfmKHTMLTemplateEditDlg::StaticClass()
{
    using T = TfmKHTMLTemplateEditDlg;
    static const TMetaClass meta = [] {
        TClassBuilder<T, TForm> builder("TfmKHTMLTemplateEditDlg");
        builder
            .Field("Panel1", &T::Panel1)
            .Field("btStart", &T::btStart)
            .Field("btCancel", &T::btCancel)
            .Field("HTMLPanel", &T::HTMLPanel)
            .Field("lbTemplate", &T::lbTemplate)
            .Field("BackPanel", &T::BackPanel)
            .Field("lbHTMLDefaultText", &T::lbHTMLDefaultText)
            .Field("Panel2", &T::Panel2)
            .Field("lbHTMLLink", &T::lbHTMLLink)
            .Field("lbHTMLVLink", &T::lbHTMLVLink)
            .Field("lbHTMLALink", &T::lbHTMLALink)
            .Field("cbxTemplate", &T::cbxTemplate)
            .Field("btSaveTemplate", &T::btSaveTemplate)
            .Field("btLoadTemplate", &T::btLoadTemplate)
            .Field("ColorDialog", &T::ColorDialog)
            .Field("sdTemplate", &T::sdTemplate)
            .Field("odTemplate", &T::odTemplate)
            .Method("FormShow", &T::FormShow)
            .Method("cbxTemplateChange", &T::cbxTemplateChange)
            .Method("btCancelKeyDown", &T::btCancelKeyDown)
            .Method("BackPanelClick", &T::BackPanelClick)
            .Method("Row1Click", &T::Row1Click)
            .Method("OddRow1Click", &T::OddRow1Click)
            .Method("ColHead1Click", &T::ColHead1Click)
            .Method("Head3Click", &T::Head3Click)
            .Method("btSaveTemplateClick", &T::btSaveTemplateClick)
            .Method("btLoadTemplateClick", &T::btLoadTemplateClick)
            .Method("lbHTMLDefaultTextClick", &T::lbHTMLDefaultTextClick)
            .Method("Data1Click", &T::Data1Click)
            .Method("FormCreate", &T::FormCreate)
            // Read-only, as is the scheme below, so designer scripts can read what the caller
            // will read back.
            .Property("Template", &T::Template);
        for (const auto& value : Scheme)
            std::visit([&builder](const auto& v) { builder.Property(v.Name, v.Get); }, value);
        return builder.Build();
    }();
    return &meta;
}

// ---- templates --------------------------------------------------------------------------------

void TfmKHTMLTemplateEditDlg::SetTemplate(const THTMLTemplate Value)
{
    if (Value == FTemplate)
        return;
    FTemplate = Value;
    const RHTMLTemplate* predefined = PredefinedTemplate(Value);
    if (!predefined)
        return;  // the custom template keeps the colours shown
    // In the order templates have always been applied, not the scheme's: a preview cell missing
    // from a translated form stops the walk where it always did.
    const RHTMLTemplate t = *predefined;
    SetBackGroundColor(t.BackGroundColor);
    SetLinkColor(t.LinkColor);
    SetVLinkColor(t.VLinkColor);
    SetALinkColor(t.ALinkColor);
    SetDefaultTextColor(t.DefaultFontColor);
    SetHeadersRowFontColor(t.HeadersRowFontColor);
    SetHeadersRowBgColor(t.HeadersRowBgColor);
    SetTableBgColor(t.TableBgColor);
    SetOddRowBgColor(t.OddRowBgColor);
    SetTableFontColor(t.TableFontColor);
}

void TfmKHTMLTemplateEditDlg::SetCustomTemplate()
{
    cbxTemplate->SetItemIndex(htCustom);
    SetTemplate(htCustom);
}

void TfmKHTMLTemplateEditDlg::SetSchemeFrom(const TKHTMLExport& source)
{
    for (const auto& value : Scheme)
        std::visit([&](const auto& v) { (this->*v.Set)(v.GetOfExport(source)); }, value);
}

void TfmKHTMLTemplateEditDlg::WriteSchemeTo(TKHTMLExport& target) const
{
    for (const auto& value : Scheme)
        std::visit([&](const auto& v) { v.SetOfExport(target, (this->*v.Get)()); }, value);
}

// ---- members and their preview ----------------------------------------------------------------

TComponent* TfmKHTMLTemplateEditDlg::PreviewControl(const AnsiString& name) const
{
    // A form resource without the cell (a translated one) is refused, not painted through null.
    TComponent* control = FindComponent(name);
    if (!control)
        throw EComponentError("The HTML template editor's form has no " + name);
    return control;
}

TPanel* TfmKHTMLTemplateEditDlg::Cell(const AnsiString& name) const
{
    return As<TPanel>(PreviewControl(name));
}

TLabel* TfmKHTMLTemplateEditDlg::CellLabel(const AnsiString& name) const
{
    return As<TLabel>(PreviewControl(name));
}

void TfmKHTMLTemplateEditDlg::SetPanelColors(const char* prefix, int count, TColor color)
{
    for (int i = 1; i <= count; ++i)
        Cell(prefix + IntToStr(i))->SetColor(color);
}

void TfmKHTMLTemplateEditDlg::SetLabelFontColors(const char* prefix, int count, TColor color)
{
    for (int i = 1; i <= count; ++i)
        CellLabel(prefix + IntToStr(i))->Font()->SetColor(color);
}

void TfmKHTMLTemplateEditDlg::SetTextFontName(const AnsiString Value)
{
    if (Value != FTextFontName)
        FTextFontName = Value;
}

void TfmKHTMLTemplateEditDlg::SetHeadersRowBgColor(const TColor Value)
{
    if (Value == FHeadersRowBgColor)
        return;
    FHeadersRowBgColor = Value;
    SetPanelColors("ColHead", 3, Value);
}

void TfmKHTMLTemplateEditDlg::SetALinkColor(const TColor Value)
{
    if (Value == FALinkColor)
        return;
    FALinkColor = Value;
    lbHTMLALink->Font()->SetColor(Value);
}

void TfmKHTMLTemplateEditDlg::SetHeadersRowFontColor(const TColor Value)
{
    if (Value == FHeadersRowFontColor)
        return;
    FHeadersRowFontColor = Value;
    SetLabelFontColors("Head", 3, Value);
}

void TfmKHTMLTemplateEditDlg::SetOddRowBgColor(const TColor Value)
{
    if (Value == FOddRowBgColor)
        return;
    FOddRowBgColor = Value;
    SetPanelColors("OddRow", 6, Value);
}

void TfmKHTMLTemplateEditDlg::SetLinkColor(const TColor Value)
{
    if (Value == FLinkColor)
        return;
    FLinkColor = Value;
    lbHTMLLink->Font()->SetColor(Value);
}

void TfmKHTMLTemplateEditDlg::SetBackGroundColor(const TColor Value)
{
    if (Value == FBackGroundColor)
        return;
    FBackGroundColor = Value;
    BackPanel->SetColor(Value);
}

void TfmKHTMLTemplateEditDlg::SetTableFontColor(const TColor Value)
{
    if (Value == FTableFontColor)
        return;
    FTableFontColor = Value;
    SetLabelFontColors("Data", 12, Value);
}

void TfmKHTMLTemplateEditDlg::SetTableBgColor(const TColor Value)
{
    if (Value == FTableBgColor)
        return;
    FTableBgColor = Value;
    SetPanelColors("Row", 6, Value);
}

void TfmKHTMLTemplateEditDlg::SetDefaultTextColor(const TColor Value)
{
    if (Value == FDefaultTextColor)
        return;
    FDefaultTextColor = Value;
    lbHTMLDefaultText->Font()->SetColor(Value);
}

void TfmKHTMLTemplateEditDlg::SetVLinkColor(const TColor Value)
{
    if (Value == FVLinkColor)
        return;
    FVLinkColor = Value;
    lbHTMLVLink->Font()->SetColor(Value);
}

// ---- events -----------------------------------------------------------------------------------

void TfmKHTMLTemplateEditDlg::FormCreate(TObject*)
{
    for (int v = htCustom; v <= htSimple; ++v)
        cbxTemplate->Items()->Add(TemplateToStr(static_cast<THTMLTemplate>(v)));
    // The members start as the preview shows them, so that whatever colour a caller hands
    // over shows in the preview, black included.
    FBackGroundColor = BackPanel->Color();
    FDefaultTextColor = lbHTMLDefaultText->Font()->Color();
    FLinkColor = lbHTMLLink->Font()->Color();
    FVLinkColor = lbHTMLVLink->Font()->Color();
    FALinkColor = lbHTMLALink->Font()->Color();
    FHeadersRowBgColor = Cell("ColHead1")->Color();
    FHeadersRowFontColor = CellLabel("Head1")->Font()->Color();
    FTableBgColor = Cell("Row1")->Color();
    FOddRowBgColor = Cell("OddRow1")->Color();
    FTableFontColor = CellLabel("Data1")->Font()->Color();
}

void TfmKHTMLTemplateEditDlg::FormShow(TObject* Sender)
{
    cbxTemplate->SetItemIndex(FTemplate);
    cbxTemplateChange(Sender);
}

void TfmKHTMLTemplateEditDlg::cbxTemplateChange(TObject*)
{
    SetTemplate(static_cast<THTMLTemplate>(cbxTemplate->ItemIndex()));
}

void TfmKHTMLTemplateEditDlg::btCancelKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_ESCAPE)
        btCancel->Click();
}

void TfmKHTMLTemplateEditDlg::EditColor(TColor start, TColorSetter setter)
{
    ColorDialog->SetColor(start);
    if (!ColorDialog->Execute())
        return;
    (this->*setter)(ColorDialog->Color());
    SetCustomTemplate();
}

void TfmKHTMLTemplateEditDlg::BackPanelClick(TObject*)
{
    EditColor(FBackGroundColor, &TfmKHTMLTemplateEditDlg::SetBackGroundColor);
}

void TfmKHTMLTemplateEditDlg::Row1Click(TObject* Sender)
{
    EditColor(As<TPanel>(Sender)->Color(), &TfmKHTMLTemplateEditDlg::SetTableBgColor);
}

void TfmKHTMLTemplateEditDlg::OddRow1Click(TObject* Sender)
{
    EditColor(As<TPanel>(Sender)->Color(), &TfmKHTMLTemplateEditDlg::SetOddRowBgColor);
}

void TfmKHTMLTemplateEditDlg::ColHead1Click(TObject* Sender)
{
    EditColor(As<TPanel>(Sender)->Color(), &TfmKHTMLTemplateEditDlg::SetHeadersRowBgColor);
}

void TfmKHTMLTemplateEditDlg::Head3Click(TObject* Sender)
{
    EditColor(As<TLabel>(Sender)->Font()->Color(), &TfmKHTMLTemplateEditDlg::SetHeadersRowFontColor);
}

void TfmKHTMLTemplateEditDlg::Data1Click(TObject*)
{
    // The twelve data labels always share one colour; the first stands for them all.
    EditColor(CellLabel("Data1")->Font()->Color(), &TfmKHTMLTemplateEditDlg::SetTableFontColor);
}

void TfmKHTMLTemplateEditDlg::lbHTMLDefaultTextClick(TObject* Sender)
{
    auto* label = As<TLabel>(Sender);
    TColorSetter setter = nullptr;
    switch (label->Tag()) {
    case 1: setter = &TfmKHTMLTemplateEditDlg::SetDefaultTextColor; break;
    case 11: setter = &TfmKHTMLTemplateEditDlg::SetLinkColor; break;
    case 12: setter = &TfmKHTMLTemplateEditDlg::SetVLinkColor; break;
    case 13: setter = &TfmKHTMLTemplateEditDlg::SetALinkColor; break;
    default: return;
    }
    EditColor(label->Font()->Color(), setter);
}

// ---- the template file ------------------------------------------------------------------------

void TfmKHTMLTemplateEditDlg::btSaveTemplateClick(TObject*)
{
    if (!sdTemplate->Execute())
        return;
    FIniFile = std::make_unique<THexIniFile>(sdTemplate->FileName());
    TReleaseTemplateFile release{FIniFile};
    // One replacement of the file for all eleven values: a failure part way leaves the old file.
    FIniFile->BeginUpdate();
    for (const auto& value : Scheme)
        std::visit([this](const auto& v) { WriteValue(*FIniFile, v.Section, v.Key, (this->*v.Get)()); }, value);
    FIniFile->EndUpdate();
}

void TfmKHTMLTemplateEditDlg::btLoadTemplateClick(TObject*)
{
    if (!odTemplate->Execute())
        return;
    const AnsiString fileName = odTemplate->FileName();
    // A name that leads nowhere (a typing error) would otherwise load nothing and still make
    // the template custom, as if it had worked.
    if (NothingAt(fileName)) {
        ShowMessage(Format(LoadResString(STemplateFileMissing), {fileName}));
        return;
    }
    FIniFile = std::make_unique<THexIniFile>(fileName);
    {
        TReleaseTemplateFile release{FIniFile};
        // Each value is applied before the next is read: a failing read keeps what came before.
        for (const auto& value : Scheme)
            std::visit(
                [this](const auto& v) { (this->*v.Set)(ReadValue(*FIniFile, v.Section, v.Key, (this->*v.Get)())); },
                value);
    }
    SetCustomTemplate();
}

PACKAGE_UNIT_PROCS(Khtmltemplateeditdlg)
