#include "rowcastb5/Kexportdlg.h"

#include <filesystem>

#include "rowcastb5/Kexportdlgform.h"
#include "vcl50/Documentfolder.h"
#include "vcl50/Resstrings.h"
#include "vcldb50/Db.h"

namespace {

const bool registered = (RegisterClasses({TKExportDialog::StaticClass()}), true);

const TResStringRec SNoDataSetOf{"SNoDataSetOf"};
const TResStringRec SSettingsUnreadable{"SSettingsUnreadable"};
const TResStringRec SSettingsUnsaved{"SSettingsUnsaved"};

// Keeps the dataset open while the dialog lists its fields, and closes it again when it was closed.
class TOpenWhileShown {
public:
    explicit TOpenWhileShown(TDataSet* dataSet) : FDataSet(dataSet->Active() ? nullptr : dataSet)
    {
        if (FDataSet)
            FDataSet->Open();
    }
    ~TOpenWhileShown()
    {
        if (FDataSet)
            FDataSet->Close();
    }

private:
    TDataSet* FDataSet;
};

// Every field checked, in the dataset's order: what a first run shows.
TExportDialogSettings Defaults(const TDataSet& dataSet)
{
    TExportDialogSettings settings;
    for (int i = 0; i < dataSet.FieldCount(); ++i)
        settings.Fields.push_back(dataSet.Fields()->Fields(i)->FieldName());
    return settings;
}

// The file as its name in a message says it: the person knows it by that.
AnsiString Shown(const AnsiString& path)
{
    return std::filesystem::path(path).filename().string();
}

}  // namespace

TKExportDialog::TKExportDialog(TComponent* owner) : TDerived(owner) {}

TKExportDialog::~TKExportDialog() = default;

TClass TKExportDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKExportDialog, TComponent>("TKExportDialog")
        .Property("About", &TKExportDialog::About, &TKExportDialog::SetAbout)
        .Property("Caption", &TKExportDialog::Caption, &TKExportDialog::SetCaption)
        .Property("DataSet", &TKExportDialog::DataSet, &TKExportDialog::SetDataSet)
        .Property("SaveFileName", &TKExportDialog::SaveFileName, &TKExportDialog::SetSaveFileName)
        .Build();
    return &meta;
}

bool TKExportDialog::Execute()
{
    if (!DataSet())
        throw EExportError(Format(LoadResString(SNoDataSetOf), {Name()}));
    TOpenWhileShown open(DataSet());
    const AnsiString config = FSaveFileName.empty() ? AnsiString() : ExpandDocumentPath(this, FSaveFileName);
    TExportDialogSettings settings = Defaults(*DataSet());
    if (!config.empty()) {
        try {
            if (std::optional<TExportDialogSettings> saved = ReadExportSettings(config))
                settings = std::move(*saved);
        } catch (const EExportSettingsError& e) {
            Application->MessageBox(Format(LoadResString(SSettingsUnreadable), {Shown(config), e.Message()}),
                                    FCaption, MB_OK | MB_ICONWARNING);
        }
    }

    auto form = ConstructUnique<TfmKExportDlg>(nullptr);
    form->SetCaption(FCaption);
    form->Prepare(DataSet(), Name(), settings);
    if (form->ShowModal() != mrOk)
        return false;
    FLastExport = form->Result();
    if (!config.empty()) {
        // The file is written: its settings failing to save leaves the export done.
        try {
            WriteExportSettings(config, form->Settings());
        } catch (const Exception& e) {
            Application->MessageBox(Format(LoadResString(SSettingsUnsaved), {e.Message()}), FCaption,
                                    MB_OK | MB_ICONWARNING);
        }
    }
    return true;
}
