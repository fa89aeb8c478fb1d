#pragma once
// The export dialog component: lets the end user pick the export kind, file and fields for a
// dataset at run time, and keeps those choices in a configuration file.

#include "rowcastb5/Kbaseexport.h"

// Not an export (it is no TKExport): it has only the dataset and the About button in common with them.
class TKExportDialog : public TDerived<TKExportDialog, TKDataSetComponent> {
public:
    explicit TKExportDialog(TComponent* owner);
    ~TKExportDialog() override;
    static TClass StaticClass();

    // The configuration file the dialog saves the user's choices to; none when empty. A relative
    // name is taken against the form file's folder.
    const AnsiString& SaveFileName() const { return FSaveFileName; }
    void SetSaveFileName(const AnsiString& name) { FSaveFileName = name; }
    // Title of the dialog window.
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption) { FCaption = caption; }

    // Shows the dialog (TfmKExportDlg) on the dataset's fields, with the choices the
    // configuration file holds (a malformed one is said in a message box, and its defaults
    // shown). True when the person exported, which writes the choices back; false when they
    // cancelled. Raises EExportError without a DataSet, or what opening the dataset raises.
    bool Execute();
    // What the last export that Execute ran wrote.
    const TExportResult& LastExport() const { return FLastExport; }

private:
    AnsiString FSaveFileName;
    AnsiString FCaption = "Export";
    TExportResult FLastExport;
};
