#include "rowcastb5/Kexportdlgform.h"

#include <filesystem>

#include "vcl50/Resstrings.h"
#include "vcldb50/Db.h"

namespace {

const TResStringRec SCheckFields{"SCheckFields"};
const TResStringRec SProgressOfTotal{"SProgressOfTotal"};
const TResStringRec SProgress{"SProgress"};

}  // namespace

TfmKExportDlg::~TfmKExportDlg() = default;

TClass TfmKExportDlg::StaticClass()
{
    using T = TfmKExportDlg;
    static const TMetaClass meta = TClassBuilder<T, TForm>("TfmKExportDlg")
        .Field("lblFormat", &T::lblFormat)
        .Field("cbxFormat", &T::cbxFormat)
        .Field("lblFields", &T::lblFields)
        .Field("lbFields", &T::lbFields)
        .Field("btUp", &T::btUp)
        .Field("btDown", &T::btDown)
        .Field("lblFileName", &T::lblFileName)
        .Field("edFileName", &T::edFileName)
        .Field("btBrowse", &T::btBrowse)
        .Field("Bevel1", &T::Bevel1)
        .Field("lblProgress", &T::lblProgress)
        .Field("btExport", &T::btExport)
        .Field("btCancel", &T::btCancel)
        .Field("sdFile", &T::sdFile)
        .Method("cbxFormatChange", &T::cbxFormatChange)
        .Method("lbFieldsClick", &T::lbFieldsClick)
        .Method("lbFieldsClickCheck", &T::lbFieldsClickCheck)
        .Method("btUpClick", &T::btUpClick)
        .Method("btDownClick", &T::btDownClick)
        .Method("edFileNameChange", &T::edFileNameChange)
        .Method("btBrowseClick", &T::btBrowseClick)
        .Method("btExportClick", &T::btExportClick)
        .Method("btCancelClick", &T::btCancelClick)
        .Method("FormCloseQuery", &T::FormCloseQuery)
        .Build();
    return &meta;
}

// ---- the choices ------------------------------------------------------------------------------

void TfmKExportDlg::Prepare(TDataSet* dataSet, const AnsiString& exportName, const TExportDialogSettings& settings)
{
    FDataSet = dataSet;
    FExportName = exportName;
    for (const TExportFormat& format : ExportFormats())
        cbxFormat->Items()->Add(LoadResString(format.Caption));
    cbxFormat->SetItemIndex(settings.Format);
    FShownFormat = settings.Format;

    TStrings* items = lbFields->Items();
    items->BeginUpdate();
    auto add = [&](TField* field) {
        if (field && items->IndexOf(field->FieldName()) < 0)
            items->Add(field->FieldName());
    };
    for (const AnsiString& name : settings.Order)
        add(dataSet->FindField(name));
    for (int i = 0; i < dataSet->FieldCount(); ++i)
        add(dataSet->Fields()->Fields(i));
    for (const AnsiString& name : settings.Fields)
        if (TField* field = dataSet->FindField(name))
            lbFields->SetChecked(items->IndexOf(field->FieldName()), true);
    items->EndUpdate();
    if (items->Count() > 0)
        lbFields->SetItemIndex(0);

    edFileName->SetText(settings.FileName);
    UpdateButtons();
}

TExportDialogSettings TfmKExportDlg::Settings() const
{
    TExportDialogSettings settings;
    settings.Format = cbxFormat->ItemIndex();
    settings.FileName = edFileName->Text();
    for (int i = 0; i < lbFields->Items()->Count(); ++i) {
        settings.Order.push_back(lbFields->Items()->Get(i));
        if (lbFields->Checked(i))
            settings.Fields.push_back(lbFields->Items()->Get(i));
    }
    return settings;
}

const TExportFormat& TfmKExportDlg::Chosen() const
{
    return ExportFormats()[static_cast<size_t>(cbxFormat->ItemIndex())];
}

void TfmKExportDlg::UpdateButtons()
{
    const int current = lbFields->ItemIndex();
    btUp->SetEnabled(current > 0);
    btDown->SetEnabled(current >= 0 && current < lbFields->Items()->Count() - 1);
    const bool writesFile = Chosen().File != nullptr;
    edFileName->SetEnabled(writesFile);
    btBrowse->SetEnabled(writesFile);
    bool anyField = false;
    for (int i = 0; i < lbFields->Items()->Count() && !anyField; ++i)
        anyField = lbFields->Checked(i);
    btExport->SetEnabled(anyField && (!writesFile || !edFileName->Text().empty()));
}

void TfmKExportDlg::MoveCurrent(int by)
{
    const int from = lbFields->ItemIndex();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= lbFields->Items()->Count())
        return;
    const bool checked = lbFields->Checked(from);
    lbFields->Items()->BeginUpdate();
    lbFields->Items()->Move(from, to);
    lbFields->SetChecked(to, checked);
    lbFields->SetItemIndex(to);
    lbFields->Items()->EndUpdate();
    UpdateButtons();
}

// ---- events -----------------------------------------------------------------------------------

void TfmKExportDlg::cbxFormatChange(TObject*)
{
    // A file name made for the format shown before takes the new format's extension.
    const TExportFileKind* before = FShownFormat >= 0 ? ExportFormats()[static_cast<size_t>(FShownFormat)].File : nullptr;
    const TExportFileKind* now = Chosen().File;
    FShownFormat = cbxFormat->ItemIndex();
    std::filesystem::path name(edFileName->Text());
    if (before && now && !name.empty() && name.extension() == std::string(".") + before->DefaultExt)
        edFileName->SetText(name.replace_extension(now->DefaultExt).string());
    UpdateButtons();
}

void TfmKExportDlg::lbFieldsClick(TObject*)
{
    UpdateButtons();
}

void TfmKExportDlg::lbFieldsClickCheck(TObject*)
{
    UpdateButtons();
}

void TfmKExportDlg::btUpClick(TObject*)
{
    MoveCurrent(-1);
}

void TfmKExportDlg::btDownClick(TObject*)
{
    MoveCurrent(+1);
}

void TfmKExportDlg::edFileNameChange(TObject*)
{
    UpdateButtons();
}

void TfmKExportDlg::btBrowseClick(TObject*)
{
    const TExportFileKind* kind = Chosen().File;
    if (!kind)
        return;
    sdFile->SetFilter(LoadResString(kind->Filter));
    sdFile->SetDefaultExt(kind->DefaultExt);
    sdFile->SetFileName(edFileName->Text());
    if (sdFile->Execute())
        edFileName->SetText(sdFile->FileName());
}

void TfmKExportDlg::btExportClick(TObject*)
{
    std::unique_ptr<TKExport> exporter = Chosen().Make();
    exporter->SetName(FExportName);
    exporter->SetDataSet(FDataSet);
    TStringList fields;
    for (int i = 0; i < lbFields->Items()->Count(); ++i)
        if (lbFields->Checked(i))
            fields.Add(lbFields->Items()->Get(i));
    if (fields.Count() == 0)
        throw EExportError(LoadResString(SCheckFields));  // an empty list would export them all
    exporter->SetExportedFields(&fields);
    // The person's file name means what it means in any program: a relative one is taken
    // against the working folder (the export has no form whose folder it could be).
    if (auto* file = dynamic_cast<TKFileExport*>(exporter.get()))
        file->SetFileName(edFileName->Text());

    TExportOptions options;
    options.OnProgress = [this](int64_t done, int64_t total) { return Progress(done, total); };
    SetRunning(true);
    struct TStopped {
        TfmKExportDlg& Form;
        ~TStopped() { Form.SetRunning(false); }
    } stopped{*this};
    FResult = exporter->Export(options);  // a file's error names the file
    SetModalResult(mrOk);
}

void TfmKExportDlg::btCancelClick(TObject*)
{
    // The button closes the form, but not in the middle of an export: it stops the export.
    if (!FExporting)
        return;
    FCancelRequested = true;
    SetModalResult(mrNone);
}

void TfmKExportDlg::FormCloseQuery(TObject*, bool& CanClose)
{
    if (!FExporting)
        return;
    FCancelRequested = true;
    CanClose = false;
}

void TfmKExportDlg::SetRunning(bool running)
{
    // While an export runs, only Cancel (and Escape, and the close box) acts.
    TWinControl* const choices[] = {cbxFormat, lbFields, btUp, btDown, edFileName, btBrowse, btExport};
    FExporting = running;
    if (running) {
        FCancelRequested = false;
        FStarted = std::chrono::steady_clock::now();
        FEnabledBefore.clear();
        for (TWinControl* control : choices) {
            FEnabledBefore.push_back(control->Enabled());
            control->SetEnabled(false);
        }
        return;
    }
    lblProgress->SetVisible(false);
    for (size_t i = 0; i < FEnabledBefore.size(); ++i)
        choices[i]->SetEnabled(FEnabledBefore[i]);
}

bool TfmKExportDlg::Progress(int64_t done, int64_t total)
{
    using namespace std::chrono_literals;
    if (!lblProgress->Visible()) {
        // A quick export shows nothing.
        if (std::chrono::steady_clock::now() - FStarted < 500ms)
            return !FCancelRequested;
        lblProgress->SetVisible(true);
    }
    lblProgress->SetCaption(total >= 0 ? Format(LoadResString(SProgressOfTotal), {IntToStr(done), IntToStr(total)})
                                       : Format(LoadResString(SProgress), {IntToStr(done)}));
    Application->ProcessMessages();
    return !FCancelRequested;
}
