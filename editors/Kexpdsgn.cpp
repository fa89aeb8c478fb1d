#include "editors/Kexpdsgn.h"

#include "dialogs/Kexpabout.h"
#include "dialogs/Khtmltemplateeditdlg.h"
#include "rowcastb5/Khtmlexport.h"
#include "vcl50/Sysutils.h"

AnsiString CaptionSeparator()
{
    return "->";
}

namespace {

// A component always has an owner in the designer; one without shows an empty name.
AnsiString OwnerName(const TComponent* component)
{
    return component->Owner() ? component->Owner()->Name() : AnsiString();
}

}  // namespace

AnsiString ComponentDialogCaption(const TComponent* component, const char* title)
{
    return Format(AnsiString("%s%s%s -- ") + title, {OwnerName(component), CaptionSeparator(), component->Name()});
}

// ---- TKHTMLTemplateProperty -------------------------------------------------------------------

TClass TKHTMLTemplateProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TKHTMLTemplateProperty, TEnumProperty>("TKHTMLTemplateProperty").Build();
    return &meta;
}

TClass TKHTMLTemplateProperty::ClassType() const
{
    return StaticClass();
}

void TKHTMLTemplateProperty::Edit()
{
    auto* component = As<TKHTMLExport>(GetComponent(0));
    THTMLOptions* html = component->HTMLOptions();
    TTableOptions* table = component->TableOptions();

    auto dialog = ConstructUnique<TfmKHTMLTemplateEditDlg>(nullptr);
    dialog->SetCaption(ComponentDialogCaption(component, "HTML Template Editor"));
    const auto current = static_cast<THTMLTemplate>(static_cast<uint8_t>(GetOrdValue()));
    dialog->SetTemplate(current);
    if (current == htCustom) {
        dialog->SetBackGroundColor(html->BackGroundColor());
        dialog->SetDefaultTextColor(html->DefaultFont()->Color());
        dialog->SetLinkColor(html->LinkColor());
        dialog->SetVLinkColor(html->VLinkColor());
        dialog->SetALinkColor(html->ALinkColor());
        dialog->SetTextFontName(html->DefaultFont()->Name());
        dialog->SetHeadersRowBgColor(table->HeadersRowBgColor());
        dialog->SetHeadersRowFontColor(table->HeadersRowFontColor());
        dialog->SetTableBgColor(table->TableBgColor());
        dialog->SetTableFontColor(table->TableFontColor());
        dialog->SetOddRowBgColor(table->OddRowBgColor());
    }
    if (dialog->ShowModal() != mrOk)
        return;

    // The template goes to every selected component; the custom settings to the first only.
    SetOrdValue(dialog->Template());
    if (dialog->Template() != htCustom)
        return;
    html->SetBackGroundColor(dialog->BackGroundColor());
    html->DefaultFont()->SetColor(dialog->DefaultTextColor());
    html->SetLinkColor(dialog->LinkColor());
    html->SetVLinkColor(dialog->VLinkColor());
    html->SetALinkColor(dialog->ALinkColor());
    html->DefaultFont()->SetName(dialog->TextFontName());
    table->SetHeadersRowBgColor(dialog->HeadersRowBgColor());
    table->SetHeadersRowFontColor(dialog->HeadersRowFontColor());
    table->SetTableBgColor(dialog->TableBgColor());
    table->SetTableFontColor(dialog->TableFontColor());
    table->SetOddRowBgColor(dialog->OddRowBgColor());
}

// ---- TKExportAboutProperty --------------------------------------------------------------------

TClass TKExportAboutProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TKExportAboutProperty, TStringProperty>("TKExportAboutProperty").Build();
    return &meta;
}

TClass TKExportAboutProperty::ClassType() const
{
    return StaticClass();
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
    return "(About Tarnel Lumatab)";
}

PACKAGE_UNIT_PROCS(Kexpdsgn)
