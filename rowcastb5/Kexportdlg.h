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

    // The configuration file the dialog saves the user's choices to; none when empty.
    const AnsiString& SaveFileName() const { return FSaveFileName; }
    void SetSaveFileName(const AnsiString& name) { FSaveFileName = name; }
    // Title of the dialog window.
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption) { FCaption = caption; }

private:
    AnsiString FSaveFileName;
    AnsiString FCaption = "Export";
};
