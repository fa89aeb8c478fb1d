// The component editors of the exports: their context-menu verbs and the fields verb.

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_set>
#include <vector>

#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "editors/Kexpdsgn.h"
#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Dialogs.h"
#include "vcl50/Resstrings.h"
#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"
#include "vcldb50/Db.h"

namespace {

// The texts live in the package's string table, where a language module translates them.
const TResStringRec SFieldsEditorVerb{"SFieldsEditorVerb"};
const TResStringRec SAboutVerb{"SAboutVerb"};
const TResStringRec SEditTemplateVerb{"SEditTemplateVerb"};
const TResStringRec SNoDataSet{"SNoDataSet"};
const TResStringRec SDataSetNotOpened{"SDataSetNotOpened"};
const TResStringRec SFieldsEditorTitle{"SFieldsEditorTitle"};

// Answers "IndexOf(name) != -1" of a string list with the same comparison, without a linear
// search per field, which a table of thousands of columns would make quadratic: a hash set of
// keys where equal keys mean equal names, else a binary search of the names' sorted order.
class TNameLookup {
public:
    explicit TNameLookup(const TStrings& names)
    {
        const auto count = static_cast<uint32_t>(names.Count());
        if (TAnsiTextKey::Hashable()) {
            FKeySet.reserve(count);
            for (uint32_t i = 0; i < count; ++i)
                FKeySet.emplace(names.Get(static_cast<int>(i)));
            return;
        }
        FNames.reserve(count);
        FKeys.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            FNames.push_back(names.Get(static_cast<int>(i)));
            FKeys.emplace_back(FNames.back());
        }
        FOrder.resize(count);
        std::iota(FOrder.begin(), FOrder.end(), 0u);
        std::sort(FOrder.begin(), FOrder.end(), [this](uint32_t a, uint32_t b) {
            return AnsiCompareText(FNames[a], FKeys[a], FNames[b], FKeys[b]) < 0;
        });
    }

    bool Contains(const AnsiString& name)
    {
        TAnsiTextKey& key = FQuery;
        key.Assign(name);
        if (TAnsiTextKey::Hashable())
            return FKeySet.contains(key);
        auto at = std::lower_bound(FOrder.begin(), FOrder.end(), 0u, [&](uint32_t i, uint32_t) {
            return AnsiCompareText(FNames[i], FKeys[i], name, key) < 0;
        });
        return at != FOrder.end() && AnsiCompareText(FNames[*at], FKeys[*at], name, key) == 0;
    }

private:
    struct THash {
        size_t operator()(const TAnsiTextKey& key) const { return key.Hash(); }
    };
    std::unordered_set<TAnsiTextKey, THash> FKeySet;
    std::vector<AnsiString> FNames;
    std::vector<TAnsiTextKey> FKeys;
    std::vector<uint32_t> FOrder;
    TAnsiTextKey FQuery;  // the key of the name asked about last
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
    case 0: return LoadResString(SFieldsEditorVerb);
    case 1: return LoadResString(SAboutVerb);
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
        ShowMessage(LoadResString(SNoDataSet));
        return;
    }
    const bool opensIt = !dataSet->Active();
    if (opensIt) {
        try {
            dataSet->SetActive(true);
        } catch (...) {
            ShowMessage(LoadResString(SDataSetNotOpened));
            dataSet->SetActive(false);
            return;
        }
    }
    // The dataset is left as it was found, also when an exception passes on to the host.
    const auto restore = [&] { dataSet->SetActive(!opensIt); };
    try {
        auto dialog = ConstructUnique<TfmKFieldsEditDlg>(nullptr);
        dialog->SetCaption(ComponentDialogCaption(component, LoadResString(SFieldsEditorTitle)));
        TStrings* exported = component->ExportedFields();
        TNameLookup exportedNames(*exported);
        TFields* fields = dataSet->Fields();
        TStringList available;  // added at once: the sorted list places them in one pass
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            const AnsiString& name = fields->Fields(i)->FieldName();
            if (!exportedNames.Contains(name))
                available.Add(name);
        }
        dialog->SrcList->Items()->AddStrings(&available);
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
    return Index == 2 ? LoadResString(SEditTemplateVerb) : TKExportEditor::GetVerb(Index);
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
