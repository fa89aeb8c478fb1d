#include "package/Kexpreg.h"

#include "editors/Kexpdsgn.h"
#include "rowcastb5/Kasciiexport.h"
#include "rowcastb5/Kbaseexport.h"
#include "rowcastb5/Kclipboardexport.h"
#include "rowcastb5/Kdbfexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Kexportdlg.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Klatexexport.h"
#include "rowcastb5/Krtfexport.h"
#include "rowcastb5/Ksqlexport.h"
#include "rowcastb5/Kxmlexport.h"

// Straight through, no branches: should the host raise, what is registered before stays and the
// exception goes back to the host.
void Kexpreg::Register()
{
    // The order of the icons on the palette page.
    const TComponentClass classes[] = {
        TKExportDialog::StaticClass(), TKExcelExport::StaticClass(),   TKRTFExport::StaticClass(),
        TKHTMLExport::StaticClass(),   TKXMLExport::StaticClass(),     TKDBFExport::StaticClass(),
        TKASCIIExport::StaticClass(),  TKSQLExport::StaticClass(),     TKLaTeXExport::StaticClass(),
        TKClipboardExport::StaticClass(),
    };
    RegisterComponents("Tarnel Lumatab", classes, 9);

    const TTypeInfo* string = TypeInfoOf<AnsiString>();
    RegisterPropertyEditor(TypeInfoOf<THTMLTemplate>(), TKHTMLExport::StaticClass(), "HTMLTemplate",
                           TKHTMLTemplateProperty::StaticClass());
    RegisterPropertyEditor(string, TKFormats::StaticClass(), "DateTimeFormat", TKDateTimeFormatProperty::StaticClass());
    RegisterPropertyEditor(string, TKFormats::StaticClass(), "DateFormat", TKDateFormatProperty::StaticClass());
    RegisterPropertyEditor(string, TKFormats::StaticClass(), "TimeFormat", TKTimeFormatProperty::StaticClass());
    RegisterPropertyEditor(string, TKExcelExport::StaticClass(), "FileName", TKExcelFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKRTFExport::StaticClass(), "FileName", TKRTFFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKHTMLExport::StaticClass(), "FileName", TKHTMLFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKHTMLExport::StaticClass(), "CSSFileName", TKCSSFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKLaTeXExport::StaticClass(), "FileName", TKLaTeXFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKASCIIExport::StaticClass(), "FileName", TKASCIIFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKSQLExport::StaticClass(), "FileName", TKSQLFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKClipboardExport::StaticClass(), "ClipboardViewer",
                           TKAppFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKXMLExport::StaticClass(), "FileName", TKXMLFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKDBFExport::StaticClass(), "FileName", TKDBFFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKExportDialog::StaticClass(), "SaveFileName", TKCFGFileNameProperty::StaticClass());
    RegisterPropertyEditor(string, TKExport::StaticClass(), "About", TKExportAboutProperty::StaticClass());
    RegisterPropertyEditor(string, TKExportDialog::StaticClass(), "About", TKExportAboutProperty::StaticClass());

    // The most derived class's row wins, so HTML exports get their own editor.
    RegisterComponentEditor(TKExport::StaticClass(), TKExportEditor::StaticClass());
    RegisterComponentEditor(TKHTMLExport::StaticClass(), TKHTMLExportEditor::StaticClass());
}

PACKAGE_UNIT_PROCS(Kexpreg)
