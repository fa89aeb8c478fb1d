#pragma once
// What the HTML template editor's tests share: the dialog made from its form resource, a person's
// session in it, a record of the common dialogs and message boxes it ran, and repaint counts.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/Khtmltemplateeditdlg.h"
#include "rowcastb5/Kbaseexport.h"
#include "rowcastb5/Khtmlexport.h"
#include "tests/ScriptFiles.h"
#include "tests/ShopDatabase.h"
#include "vcl50/Buttons.h"
#include "vcl50/Dialogs.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Headless.h"
#include "vcl50/Interaction.h"
#include "vcl50/StdCtrls.h"

// Every common dialog, message box and error box, one line each, as they happen.
class TRecordingObserver : public TInteractionObserver {
public:
    void ColorDialogRan(TColor start, const std::optional<TColor>& chosen) override;
    void FileDialogRan(const TFileDialogRequest& request, const std::optional<AnsiString>& chosen) override;
    void MessageShown(const AnsiString& text) override;
    void ErrorShown(const AnsiString& text) override;

    std::vector<std::string> Events;
};

// A fresh dialog per test with the observer installed and the interaction queues empty.
class TemplateDialogTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Made as the property editor makes it: no owner.
    std::unique_ptr<TfmKHTMLTemplateEditDlg> NewDialog() const;
    // Shows the dialog modally and runs `session` in it as a person would; a session that
    // leaves it open ends with btCancel. Returns the modal result.
    int Run(TfmKHTMLTemplateEditDlg& dialog, const std::function<void(TfmKHTMLTemplateEditDlg&)>& session);

    TRecordingObserver Observer;
    // A scratch folder of the test's own, removed afterwards.
    std::string Folder;
};

// The ten colours as the members hold them, in the order of the template file, and the same
// ten handed to their setters.
std::vector<TColor> Colors(const TfmKHTMLTemplateEditDlg& dialog);
void SetColors(TfmKHTMLTemplateEditDlg& dialog, const std::vector<TColor>& colors);

// Colour and font changes the shown dialog's controls were told of since the last ResetRepaints
// (focus moving to a clicked button is no repaint of the preview).
void ResetRepaints(const TfmKHTMLTemplateEditDlg& dialog);
int Repaints(const TfmKHTMLTemplateEditDlg& dialog);

// A widget set whose peers write down each colour and font change of their control, in the order
// they come ("Row3 color", "Data7 font"), so a test can see in what order the preview was painted.
class TLoggingWidgetSet : public THeadlessWidgetSet {
public:
    std::unique_ptr<TControlPeer> CreatePeer(TControl* control) override;
    std::vector<std::string> Log;
};

// The entries of `log` that `wanted` names, in the log's order: what a preview change painted,
// without the colour that labels and the table inherit from their parents.
std::vector<std::string> OnlyThese(const std::vector<std::string>& log, const std::vector<std::string>& wanted);
// "PREFIX1 KIND" to "PREFIXcount KIND".
std::vector<std::string> Numbered(const char* prefix, int count, const char* kind);

// The preview control of that name, as the setters find it.
TPanel* PreviewPanel(const TfmKHTMLTemplateEditDlg& dialog, const char* name);
TLabel* PreviewLabel(const TfmKHTMLTemplateEditDlg& dialog, const char* name);

void WriteText(const std::string& path, const std::string& text);
