// A test package for the time before DRowcastB5 registers anything itself. It requires DRowcastB5
// and registers the HTML and XML exports and the export dialog with the package's HTMLTemplate
// and About editors and its component editors, so designer scripts can reach the dialogs of the
// real package module.

#include "editors/Kexpdsgn.h"
#include "rowcastb5/Kexportdlg.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Kxmlexport.h"
#include "vcl50/Modules.h"
#include "vcl50/Packages.h"

namespace {

TLibModule moduleRecord;
HMODULE requiredPackage = nullptr;

// This package starts nothing of its own; its module record is what tells the loader it started.
__attribute__((constructor)) void AttachAtLoad()
{
    moduleRecord.Instance = InstanceOfAddress(&moduleRecord);
    moduleRecord.ResInstance = moduleRecord.Instance;
    RegisterModule(&moduleRecord);
}

__attribute__((destructor)) void DetachAtUnload()
{
    UnregisterModule(&moduleRecord);
}

}  // namespace

// The required package is linked in, so the system has mapped it already; loading it as a package
// as well starts it as the loader starts packages (its module entry has run; its units start here).
extern "C" {
void Initialize()
{
    requiredPackage = LoadPackage("DRowcastB5.so");
}

void Finalize()
{
    UnloadPackage(requiredPackage);
    requiredPackage = nullptr;
}
}

namespace Htmltemplatereg {

void Register()
{
    const TComponentClass classes[] = {TKHTMLExport::StaticClass(), TKXMLExport::StaticClass(),
                                       TKExportDialog::StaticClass()};
    RegisterComponents("Tarnel Lumatab", classes, 2);
    RegisterPropertyEditor(TypeInfoOf<THTMLTemplate>(), TKHTMLExport::StaticClass(), "HTMLTemplate",
                           TKHTMLTemplateProperty::StaticClass());
    RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TKExport::StaticClass(), "About",
                           TKExportAboutProperty::StaticClass());
    RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TKExportDialog::StaticClass(), "About",
                           TKExportAboutProperty::StaticClass());
    RegisterComponentEditor(TKExport::StaticClass(), TKExportEditor::StaticClass());
    RegisterComponentEditor(TKHTMLExport::StaticClass(), TKHTMLExportEditor::StaticClass());
}

}  // namespace Htmltemplatereg
