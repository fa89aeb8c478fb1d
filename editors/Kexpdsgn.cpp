#include "editors/Kexpdsgn.h"

#include <iterator>

#include "dialogs/Kexpabout.h"
#include "dialogs/Khtmltemplateeditdlg.h"
#include "rowcastb5/Kasciiexport.h"
#include "rowcastb5/Khtmlexport.h"
#include "vcl50/Dialogs.h"
#include "vcl50/Resstrings.h"
#include "vcl50/Sysutils.h"

AnsiString CaptionSeparator()
{
    return "->";
}

namespace {

const TResStringRec STemplateEditorTitle{"STemplateEditorTitle"};
const TResStringRec SAboutValue{"SAboutValue"};

// A component always has an owner in the designer; one without shows an empty name.
AnsiString OwnerName(const TComponent* component)
{
    return component->Owner() ? component->Owner()->Name() : AnsiString();
}

}  // namespace

AnsiString ComponentDialogCaption(const TComponent* component, const AnsiString& title)
{
    return Format("%s%s%s -- " + title, {OwnerName(component), CaptionSeparator(), component->Name()});
}

// ---- TKHTMLTemplateProperty -------------------------------------------------------------------

TClass TKHTMLTemplateProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TKHTMLTemplateProperty, TEnumProperty>("TKHTMLTemplateProperty").Build();
    return &meta;
}

bool TKHTMLTemplateProperty::EditOpensDialog()
{
    return true;
}

void TKHTMLTemplateProperty::Edit()
{
    auto* component = As<TKHTMLExport>(GetComponent(0));

    auto dialog = ConstructUnique<TfmKHTMLTemplateEditDlg>(nullptr);
    dialog->SetCaption(ComponentDialogCaption(component, LoadResString(STemplateEditorTitle)));
    const auto current = static_cast<THTMLTemplate>(static_cast<uint8_t>(GetOrdValue()));
    dialog->SetTemplate(current);
    if (current == htCustom)
        dialog->SetSchemeFrom(*component);
    if (dialog->ShowModal() != mrOk)
        return;

    // The template goes to every selected component; the custom settings to the first only. The
    // template is written last: it is what tells the designer, which must hear of the change once
    // it is all written, and not at all when a write fails on the way.
    if (dialog->Template() == htCustom)
        dialog->WriteSchemeTo(*component);
    SetOrdValue(dialog->Template());
}

// ---- file name properties ----------------------------------------------------------------------

namespace {

// The metaclass of an editor class that publishes nothing of its own.
template <class Editor, class Parent>
TClass EditorClass(const char* name)
{
    static const TMetaClass meta = TClassBuilder<Editor, Parent>(name).Build();
    return &meta;
}

// Read afresh on each call, so the dialog follows the component's current kind.
const TExportFileKind& AsciiFileKindOf(TPersistent* component)
{
    return ExportFiles::Ascii(As<TKASCIIExport>(component)->ExportType());
}

}  // namespace

TClass TKFileNameProperty::StaticClass()
{
    return EditorClass<TKFileNameProperty, TStringProperty>("TKFileNameProperty");
}

TPropertyAttributes TKFileNameProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() << paDialog;
}

bool TKFileNameProperty::NamesFile()
{
    return true;
}

// Only filter, default extension and file name are set: title, folder, filter index and options
// stay the dialog's own. It is an open dialog for every property, also for files an export will
// write, so it never asks to overwrite.
void TKFileNameProperty::Edit()
{
    auto dialog = ConstructUnique<TOpenDialog>(nullptr);
    dialog->SetFilter(GetFilter());
    dialog->SetDefaultExt(GetDefaultExt());
    dialog->SetFileName(GetStrValue());
    if (dialog->Execute())
        SetStrValue(dialog->FileName());
}

TClass TKExcelFileNameProperty::StaticClass()
{
    return EditorClass<TKExcelFileNameProperty, TKFileNameProperty>("TKExcelFileNameProperty");
}

TClass TKRTFFileNameProperty::StaticClass()
{
    return EditorClass<TKRTFFileNameProperty, TKFileNameProperty>("TKRTFFileNameProperty");
}

TClass TKHTMLFileNameProperty::StaticClass()
{
    return EditorClass<TKHTMLFileNameProperty, TKFileNameProperty>("TKHTMLFileNameProperty");
}

TClass TKLaTeXFileNameProperty::StaticClass()
{
    return EditorClass<TKLaTeXFileNameProperty, TKFileNameProperty>("TKLaTeXFileNameProperty");
}

TClass TKASCIIFileNameProperty::StaticClass()
{
    return EditorClass<TKASCIIFileNameProperty, TKFileNameProperty>("TKASCIIFileNameProperty");
}

AnsiString TKASCIIFileNameProperty::GetFilter()
{
    return LoadResString(AsciiFileKindOf(GetComponent(0)).Filter);
}

AnsiString TKASCIIFileNameProperty::GetDefaultExt()
{
    return AsciiFileKindOf(GetComponent(0)).DefaultExt;
}

TClass TKCSSFileNameProperty::StaticClass()
{
    return EditorClass<TKCSSFileNameProperty, TKFileNameProperty>("TKCSSFileNameProperty");
}

TClass TKSQLFileNameProperty::StaticClass()
{
    return EditorClass<TKSQLFileNameProperty, TKFileNameProperty>("TKSQLFileNameProperty");
}

TClass TKAppFileNameProperty::StaticClass()
{
    return EditorClass<TKAppFileNameProperty, TKFileNameProperty>("TKAppFileNameProperty");
}

TClass TKXMLFileNameProperty::StaticClass()
{
    return EditorClass<TKXMLFileNameProperty, TKFileNameProperty>("TKXMLFileNameProperty");
}

TClass TKDBFFileNameProperty::StaticClass()
{
    return EditorClass<TKDBFFileNameProperty, TKFileNameProperty>("TKDBFFileNameProperty");
}

TClass TKCFGFileNameProperty::StaticClass()
{
    return EditorClass<TKCFGFileNameProperty, TKFileNameProperty>("TKCFGFileNameProperty");
}

// ---- date/time format properties ---------------------------------------------------------------

namespace {

void OfferDatePatterns(const TGetStrProc& proc)
{
    proc(ShortDateFormat);
    proc(LongDateFormat);
}

void OfferTimePatterns(const TGetStrProc& proc)
{
    proc(ShortTimeFormat);
    proc(LongTimeFormat);
}

}  // namespace

TClass TKDateTimeFormatProperty::StaticClass()
{
    return EditorClass<TKDateTimeFormatProperty, TStringProperty>("TKDateTimeFormatProperty");
}

// Unsorted, so the combined patterns come first; not read-only, so any pattern can be typed.
TPropertyAttributes TKDateTimeFormatProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() << paValueList;
}

void TKDateTimeFormatProperty::GetValues(const TGetStrProc& proc)
{
    proc(ShortDateFormat + " " + ShortTimeFormat);
    proc(ShortDateFormat + " " + LongTimeFormat);
    proc(LongDateFormat + " " + ShortTimeFormat);
    proc(LongDateFormat + " " + LongTimeFormat);
    OfferDatePatterns(proc);
    OfferTimePatterns(proc);
}

TClass TKDateFormatProperty::StaticClass()
{
    return EditorClass<TKDateFormatProperty, TKDateTimeFormatProperty>("TKDateFormatProperty");
}

void TKDateFormatProperty::GetValues(const TGetStrProc& proc)
{
    OfferDatePatterns(proc);
}

TClass TKTimeFormatProperty::StaticClass()
{
    return EditorClass<TKTimeFormatProperty, TKDateTimeFormatProperty>("TKTimeFormatProperty");
}

void TKTimeFormatProperty::GetValues(const TGetStrProc& proc)
{
    OfferTimePatterns(proc);
}

// ---- TKExportAboutProperty --------------------------------------------------------------------

TClass TKExportAboutProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TKExportAboutProperty, TStringProperty>("TKExportAboutProperty").Build();
    return &meta;
}

void TKExportAboutProperty::Edit()
{
    ShowAboutForm();
}

TPropertyAttributes TKExportAboutProperty::GetAttributes()
{
    return {paDialog, paReadOnly};
}

AnsiString TKExportAboutProperty::GetValue()
{
    return LoadResString(SAboutValue);
}

PACKAGE_UNIT_PROCS(Kexpdsgn)
