#pragma once
// The HTML template editor: a clickable preview of an HTML page and its table, the list of the
// templates, and save and load of the colour scheme as an .htf template file.

#include <cstdint>
#include <memory>

#include "package/Ownunits.h"
#include "vcl50/Forms.h"

// Users reach the controls through their own includes; the dialog's header stays light.
class TBitBtn;
class TButton;
class TColorDialog;
class TComboBox;
class THexIniFile;
class TKHTMLExport;
class TLabel;
class TOpenDialog;
class TPanel;
class TSaveDialog;
enum THTMLTemplate : uint8_t;

class TfmKHTMLTemplateEditDlg : public TDerived<TfmKHTMLTemplateEditDlg, TForm> {
public:
    explicit TfmKHTMLTemplateEditDlg(TComponent* owner);
    // Reads no form resource: the reference copy a designer writes the form against.
    TfmKHTMLTemplateEditDlg(TComponent* owner, int dummy);
    ~TfmKHTMLTemplateEditDlg() override;
    static TClass StaticClass();

    // Controls, filled from the form resource. The preview's cells and their labels are found
    // by name (prefix and number) instead.
    TPanel* Panel1 = nullptr;
    TBitBtn* btStart = nullptr;
    TBitBtn* btCancel = nullptr;
    TPanel* HTMLPanel = nullptr;
    TLabel* lbTemplate = nullptr;
    TPanel* BackPanel = nullptr;
    TLabel* lbHTMLDefaultText = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* lbHTMLLink = nullptr;
    TLabel* lbHTMLVLink = nullptr;
    TLabel* lbHTMLALink = nullptr;
    TComboBox* cbxTemplate = nullptr;
    TButton* btSaveTemplate = nullptr;
    TButton* btLoadTemplate = nullptr;
    TColorDialog* ColorDialog = nullptr;
    TSaveDialog* sdTemplate = nullptr;
    TOpenDialog* odTemplate = nullptr;

    // The scheme, read by the caller after the OK result.
    THTMLTemplate Template() const { return FTemplate; }
    const AnsiString& TextFontName() const { return FTextFontName; }
    TColor HeadersRowBgColor() const { return FHeadersRowBgColor; }
    TColor ALinkColor() const { return FALinkColor; }
    TColor HeadersRowFontColor() const { return FHeadersRowFontColor; }
    TColor OddRowBgColor() const { return FOddRowBgColor; }
    TColor LinkColor() const { return FLinkColor; }
    TColor BackGroundColor() const { return FBackGroundColor; }
    TColor TableFontColor() const { return FTableFontColor; }
    TColor TableBgColor() const { return FTableBgColor; }
    TColor DefaultTextColor() const { return FDefaultTextColor; }
    TColor VLinkColor() const { return FVLinkColor; }

    // The custom scheme that an HTML export keeps in its options: shown through the setters
    // below, and written back into the export's options.
    void SetSchemeFrom(const TKHTMLExport& source);
    void WriteSchemeTo(TKHTMLExport& target) const;

    // A predefined template loads its ten colours; the custom one keeps those shown. The same
    // template again applies nothing. The list's selection is left as it is.
    void SetTemplate(const THTMLTemplate Value);
    // Selects the list's custom entry (raising no change event) and the custom template.
    void SetCustomTemplate();
    // Each stores its value and repaints its preview elements, only when the value is new.
    void SetTextFontName(const AnsiString Value);
    void SetHeadersRowBgColor(const TColor Value);
    void SetALinkColor(const TColor Value);
    void SetHeadersRowFontColor(const TColor Value);
    void SetOddRowBgColor(const TColor Value);
    void SetLinkColor(const TColor Value);
    void SetBackGroundColor(const TColor Value);
    void SetTableFontColor(const TColor Value);
    void SetTableBgColor(const TColor Value);
    void SetDefaultTextColor(const TColor Value);
    void SetVLinkColor(const TColor Value);

    // Event handlers, bound by name in the form resource.
    void FormShow(TObject* Sender);
    void cbxTemplateChange(TObject* Sender);
    void btCancelKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void BackPanelClick(TObject* Sender);
    void Row1Click(TObject* Sender);
    void OddRow1Click(TObject* Sender);
    void ColHead1Click(TObject* Sender);
    void Head3Click(TObject* Sender);
    void btSaveTemplateClick(TObject* Sender);
    void btLoadTemplateClick(TObject* Sender);
    void lbHTMLDefaultTextClick(TObject* Sender);
    void Data1Click(TObject* Sender);
    void FormCreate(TObject* Sender);

private:
    using TColorSetter = void (TfmKHTMLTemplateEditDlg::*)(TColor);
    // Runs the shared colour dialog from `start`; on OK hands the colour to `setter` and makes
    // the template custom, even when the colour is unchanged.
    void EditColor(TColor start, TColorSetter setter);
    // The preview controls named prefix1 to prefixN, set in rising order.
    void SetPanelColors(const char* prefix, int count, TColor color);
    void SetLabelFontColors(const char* prefix, int count, TColor color);
    TComponent* PreviewControl(const AnsiString& name) const;
    TPanel* Cell(const AnsiString& name) const;
    TLabel* CellLabel(const AnsiString& name) const;

    THTMLTemplate FTemplate;
    AnsiString FTextFontName;
    TColor FHeadersRowBgColor = clBlack;
    TColor FALinkColor = clBlack;
    TColor FHeadersRowFontColor = clBlack;
    TColor FOddRowBgColor = clBlack;
    TColor FLinkColor = clBlack;
    TColor FBackGroundColor = clBlack;
    TColor FTableFontColor = clBlack;
    TColor FTableBgColor = clBlack;
    TColor FDefaultTextColor = clBlack;
    TColor FVLinkColor = clBlack;
    std::unique_ptr<THexIniFile> FIniFile;  // the open template file during one save or load
};

// The form's global variable: exported only; the package neither sets nor reads it.
extern TfmKHTMLTemplateEditDlg* fmKHTMLTemplateEditDlg;

VCL_UNIT(Khtmltemplateeditdlg)
