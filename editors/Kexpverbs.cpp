// The component editors of the exports: their context-menu verbs and the fields verb.

#include <algorithm>
#include <vector>

#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "editors/Kexpdsgn.h"
#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Dialogs.h"
#include "vcl50/Sysutils.h"
#include "vcldb50/Db.h"

namespace {

// Answers "IndexOf(name) != -1" of a string list with the same comparison, in logarithmic time:
// a table of thousands of columns would otherwise take one linear search per field.
class TNameLookup {
public:
    explicit TNameLookup(const TStrings& names)
    {
        FNames.reserve(static_cast<size_t>(names.Count()));
        for (int i = 0; i < names.Count(); ++i) {
            AnsiString name = names.Get(i);
            TAnsiTextKey key(name);
            FNames.push_back({std::move(name), std::move(key)});
        }
        std::sort(FNames.begin(), FNames.end(), Less);
    }

    bool Contains(const AnsiString& name) const
    {
        return std::binary_search(FNames.begin(), FNames.end(), TKeyed{name, TAnsiTextKey(name)}, Less);
    }

private:
    struct TKeyed {
        AnsiString Text;
        TAnsiTextKey Key;
    };
    static bool Less(const TKeyed& a, const TKeyed& b)
    {
        return AnsiCompareText(a.Text, a.Key, b.Text, b.Key) < 0;
    }

    std::vector<TKeyed> FNames;
};

}  // namespace

// ---- TKExportEditor ---------------------------------------------------------------------------

TClass TKExportEditor::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKExportEditor, TDefaultEditor>("TKExportEditor").Build();
    return &meta;
}

void TKExportEditor::Edit()
{
    TDefaultEditor::Edit();
}

void TKExportEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        EditFields();
    else if (Index == 1)
        ShowAboutForm();
}

AnsiString TKExportEditor::GetVerb(int Index)
{
    switch (Index) {
    case 0: return "F&ields editor...";
    case 1: return "&About Tarnel Lumatab...";
    default: return AnsiString();
    }
}

int TKExportEditor::GetVerbCount()
{
    return 2;
}

void TKExportEditor::EditFields()
{
    auto* component = As<TKExport>(Component());
    TDataSet* dataSet = component->DataSet();
    if (!dataSet) {
        ShowMessage("Sorry, Dataset property not assigned :-(");
        return;
    }
    const bool opensIt = !dataSet->Active();
    if (opensIt) {
        try {
            dataSet->SetActive(true);
        } catch (...) {
            ShowMessage("Sorry, could not open Dataset :-(");
            dataSet->SetActive(false);
            return;
        }
    }
    // The dataset is left as it was found, also when an exception passes on to the host.
    const auto restore = [&] { dataSet->SetActive(!opensIt); };
    try {
        auto dialog = ConstructUnique<TfmKFieldsEditDlg>(nullptr);
        dialog->SetCaption(ComponentDialogCaption(component, "Fields Editor"));
        TStrings* exported = component->ExportedFields();
        const TNameLookup exportedNames(*exported);
        TFields* fields = dataSet->Fields();
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            const AnsiString& name = fields->Fields(i)->FieldName();
            if (!exportedNames.Contains(name))
                dialog->SrcList->Items()->Add(name);
        }
        dialog->DstList->Items()->Assign(exported);
        if (dialog->ShowModal() == mrOk) {
            exported->Assign(dialog->DstList->Items());
            GetDesigner()->Modified();
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

// ---- TKHTMLExportEditor -----------------------------------------------------------------------

TClass TKHTMLExportEditor::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TKHTMLExportEditor, TKExportEditor>("TKHTMLExportEditor").Build();
    return &meta;
}

void TKHTMLExportEditor::Edit()
{
    TKExportEditor::Edit();
}

void TKHTMLExportEditor::ExecuteVerb(int Index)
{
    if (Index == 2)
        Edit();
    else
        TKExportEditor::ExecuteVerb(Index);
}

AnsiString TKHTMLExportEditor::GetVerb(int Index)
{
    return Index == 2 ? AnsiString("Edit HTML template...") : TKExportEditor::GetVerb(Index);
}

int TKHTMLExportEditor::GetVerbCount()
{
    return 3;
}

void TKHTMLExportEditor::EditProperty(TPropertyEditor* editor, bool& Continue, bool&)
{
    if (CompareText(editor->GetName(), "HTMLTemplate") != 0)
        return;
    editor->Edit();
    Continue = false;
}
