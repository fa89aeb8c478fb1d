#pragma once
// The package's property editors and component editors.

#include <cstddef>

#include "package/Ownunits.h"
#include "rowcastb5/Kexportformats.h"
#include "vcl50/Dsgnintf.h"

// What stands between the owner's name and the component's in the caption of a dialog opened
// on one component: "MainForm->HtmlOut -- HTML Template Editor".
AnsiString CaptionSeparator();
// The caption of a dialog opened on one component: owner's name, separator, component's name,
// " -- " and `title`.
AnsiString ComponentDialogCaption(const TComponent* component, const AnsiString& title);

// HTMLTemplate of the HTML export: the enumeration's own drop-down, and Edit, which opens the
// HTML template editor on the first component's look and stores what it returns with OK.
class TKHTMLTemplateProperty : public TDerived<TKHTMLTemplateProperty, TEnumProperty> {
public:
    static TClass StaticClass();

    void Edit() override;
    bool EditOpensDialog() override;  // true: the template editor
};

// ---- file name properties ----------------------------------------------------------------------

// A string property that names a file: a dialog button opens the open-file dialog on the current
// value, with the filter and default extension of the descendant; OK stores the chosen path.
// Abstract: the host's virtual constructor refuses to make it (EAbstractError).
class TKFileNameProperty : public TDerived<TKFileNameProperty, TStringProperty> {
public:
    static TClass StaticClass();

    void Edit() override;
    TPropertyAttributes GetAttributes() override;  // + paDialog
    bool NamesFile() override;                     // true: the dialog's path is stored

    // Dialog-filter pairs ("Text files (*.txt)|*.txt") and the extension without its dot.
    virtual AnsiString GetFilter() = 0;
    virtual AnsiString GetDefaultExt() = 0;
};

// The body of the file name editors whose filter and extension never change: a kind of file of
// the export library. The class itself still declares StaticClass, defined in the unit, so its
// metaclass exists once, in the package.
template <class Self, const TExportFileKind& Kind>
class TKFixedFileNameProperty : public TDerived<Self, TKFileNameProperty> {
public:
    AnsiString GetFilter() override { return LoadResString(Kind.Filter); }
    AnsiString GetDefaultExt() override { return Kind.DefaultExt; }
};

class TKExcelFileNameProperty : public TKFixedFileNameProperty<TKExcelFileNameProperty, ExportFiles::Excel> {
public:
    static TClass StaticClass();
};

class TKRTFFileNameProperty : public TKFixedFileNameProperty<TKRTFFileNameProperty, ExportFiles::RTF> {
public:
    static TClass StaticClass();
};

class TKHTMLFileNameProperty : public TKFixedFileNameProperty<TKHTMLFileNameProperty, ExportFiles::HTML> {
public:
    static TClass StaticClass();
};

class TKLaTeXFileNameProperty : public TKFixedFileNameProperty<TKLaTeXFileNameProperty, ExportFiles::LaTeX> {
public:
    static TClass StaticClass();
};

// Follows ExportType of the first edited component, read on every call; raises EInvalidCast on a
// component that is no ASCII export, and offers no filter for a kind it does not know.
class TKASCIIFileNameProperty : public TDerived<TKASCIIFileNameProperty, TKFileNameProperty> {
public:
    static TClass StaticClass();
    AnsiString GetFilter() override;
    AnsiString GetDefaultExt() override;
};

class TKCSSFileNameProperty : public TKFixedFileNameProperty<TKCSSFileNameProperty, ExportFiles::CSS> {
public:
    static TClass StaticClass();
};

class TKSQLFileNameProperty : public TKFixedFileNameProperty<TKSQLFileNameProperty, ExportFiles::SQL> {
public:
    static TClass StaticClass();
};

// The clipboard export's viewer: a program, not an export file.
class TKAppFileNameProperty : public TKFixedFileNameProperty<TKAppFileNameProperty, ExportFiles::Program> {
public:
    static TClass StaticClass();
};

class TKXMLFileNameProperty : public TKFixedFileNameProperty<TKXMLFileNameProperty, ExportFiles::XML> {
public:
    static TClass StaticClass();
};

class TKDBFFileNameProperty : public TKFixedFileNameProperty<TKDBFFileNameProperty, ExportFiles::DBF> {
public:
    static TClass StaticClass();
};

// The export dialog's saved configuration.
class TKCFGFileNameProperty : public TKFixedFileNameProperty<TKCFGFileNameProperty, ExportFiles::Configuration> {
public:
    static TClass StaticClass();
};

// ---- date/time format properties ---------------------------------------------------------------

// The patterns of the user's regional settings as they stand when the drop-down opens, unsorted,
// duplicates and empty ones included; any typed pattern is stored as it is.
class TKDateTimeFormatProperty : public TDerived<TKDateTimeFormatProperty, TStringProperty> {
public:
    static TClass StaticClass();

    TPropertyAttributes GetAttributes() override;  // + paValueList
    // Each date pattern with each time pattern ("date time"), then the four patterns alone.
    void GetValues(const TGetStrProc& proc) override;
};

class TKDateFormatProperty : public TDerived<TKDateFormatProperty, TKDateTimeFormatProperty> {
public:
    static TClass StaticClass();
    void GetValues(const TGetStrProc& proc) override;  // short, long
};

class TKTimeFormatProperty : public TDerived<TKTimeFormatProperty, TKDateTimeFormatProperty> {
public:
    static TClass StaticClass();
    void GetValues(const TGetStrProc& proc) override;  // short, long
};

// About of the exports and the export dialog: a fixed text, and a button to the About box.
class TKExportAboutProperty : public TDerived<TKExportAboutProperty, TStringProperty> {
public:
    static TClass StaticClass();

    void Edit() override;
    TPropertyAttributes GetAttributes() override;  // exactly [paDialog, paReadOnly]
    AnsiString GetValue() override;                // the stored text is never read
};

// The context menu of the exports: the fields editor and the About box. A double-click has the
// host's default effect.
class TKExportEditor : public TDerived<TKExportEditor, TDefaultEditor> {
public:
    static TClass StaticClass();

    void Edit() override;
    void ExecuteVerb(int Index) override;
    AnsiString GetVerb(int Index) override;
    int GetVerbCount() override;

private:
    // Shows the fields editor on the component's dataset and, with OK, writes the exported
    // names back into the component's own list.
    void EditFields();
};

// The HTML export adds the template editor, which a double-click opens too.
class TKHTMLExportEditor : public TDerived<TKHTMLExportEditor, TKExportEditor> {
public:
    static TClass StaticClass();

    void Edit() override;
    void ExecuteVerb(int Index) override;
    AnsiString GetVerb(int Index) override;
    int GetVerbCount() override;
    // Ends the double-click's walk at HTMLTemplate, whose editor it runs.
    void EditProperty(TPropertyEditor* editor, bool& Continue, bool& FreeEditor) override;
};

VCL_UNIT(Kexpdsgn)
