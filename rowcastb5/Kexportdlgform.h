#pragma once
// The export dialog's form, as TKExportDialog::Execute shows it to an end user: the format, the
// fields (checked ones exported, top to bottom), the file, and Export, which runs the export with
// a progress line and a Cancel that stops it. A failed export is said in an error box and leaves
// the form open; one that succeeds closes it with mrOk.

#include <chrono>
#include <vector>

#include "rowcastb5/Kbaseexport.h"
#include "rowcastb5/Kexportformats.h"
#include "rowcastb5/Kexportsettings.h"
#include "vcl50/Dialogs.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Forms.h"
#include "vcl50/StdCtrls.h"

class TfmKExportDlg : public TDerived<TfmKExportDlg, TForm> {
public:
    using TDerived::TDerived;
    ~TfmKExportDlg() override;
    static TClass StaticClass();

    // Controls, filled from the form resource.
    TLabel* lblFormat = nullptr;
    TComboBox* cbxFormat = nullptr;
    TLabel* lblFields = nullptr;
    TCheckListBox* lbFields = nullptr;
    TButton* btUp = nullptr;
    TButton* btDown = nullptr;
    TLabel* lblFileName = nullptr;
    TEdit* edFileName = nullptr;
    TButton* btBrowse = nullptr;
    TBevel* Bevel1 = nullptr;
    TLabel* lblProgress = nullptr;
    TButton* btExport = nullptr;
    TButton* btCancel = nullptr;
    TSaveDialog* sdFile = nullptr;

    // Event handlers, bound by name in the form resource.
    void cbxFormatChange(TObject* Sender);
    void lbFieldsClick(TObject* Sender);
    void lbFieldsClickCheck(TObject* Sender);
    void btUpClick(TObject* Sender);
    void btDownClick(TObject* Sender);
    void edFileNameChange(TObject* Sender);
    void btBrowseClick(TObject* Sender);
    void btExportClick(TObject* Sender);
    void btCancelClick(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);

    // Shows `settings` on the fields `dataSet` has now: the saved order first, fields it does not
    // name after them unchecked; names the dataset lacks are dropped. The export made by Export
    // is named `exportName` (its messages say whose it is).
    void Prepare(TDataSet* dataSet, const AnsiString& exportName, const TExportDialogSettings& settings);
    // The choices as the form shows them.
    TExportDialogSettings Settings() const;
    // What Export wrote, once the form has closed with mrOk.
    const TExportResult& Result() const { return FResult; }

private:
    const TExportFormat& Chosen() const;
    // Up, Down, Browse and Export as the choices allow them.
    void UpdateButtons();
    // The current field one place up (-1) or down (+1), with its check mark, still current.
    void MoveCurrent(int by);
    // Disables the choices for the length of an export, and gives them back as they were.
    void SetRunning(bool running);
    // Told of the records done: past half a second shows them and lets Cancel in.
    bool Progress(int64_t done, int64_t total);

    TDataSet* FDataSet = nullptr;
    AnsiString FExportName;
    TExportResult FResult;
    int FShownFormat = -1;  // whose extension the file name has
    bool FExporting = false;
    bool FCancelRequested = false;
    std::vector<bool> FEnabledBefore;
    std::chrono::steady_clock::time_point FStarted;
};
