#pragma once
// The export dialog component: lets the end user pick the export kind, file and fields for a
// dataset at run time, and keeps those choices in a configuration file.

#include "vcl50/Classes.h"

class TDataSet;

class TKExportDialog : public TComponent {
public:
    explicit TKExportDialog(TComponent* owner);
    ~TKExportDialog() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The dataset offered for export; null when none. Freeing the dataset clears it.
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    // The configuration file the dialog saves the user's choices to; none when empty.
    const AnsiString& SaveFileName() const { return FSaveFileName; }
    void SetSaveFileName(const AnsiString& name) { FSaveFileName = name; }
    // Title of the dialog window.
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption) { FCaption = caption; }
    // Shown by the designer as a button to the About box; the stored text is not used.
    const AnsiString& About() const { return FAbout; }
    void SetAbout(const AnsiString& about) { FAbout = about; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TDataSet* FDataSet = nullptr;
    AnsiString FSaveFileName;
    AnsiString FCaption = "Export";
    AnsiString FAbout;
};
