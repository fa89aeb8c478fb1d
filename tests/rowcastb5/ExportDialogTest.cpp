// The export dialog: its configuration file (what reads as settings, what is reported as
// malformed and why, a write that replaces the dialog's section alone), and a Cancel in the
// middle of a long export. Its other ways are in tests/qt/designer-scripts/export-dialog.dscript.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "rowcastb5/Kexportdlg.h"
#include "rowcastb5/Kexportdlgform.h"
#include "rowcastb5/Kexportformats.h"
#include "rowcastb5/Kexportsettings.h"
#include "tests/TempFolder.h"
#include "vcl50/Headless.h"
#include "vcl50/Input.h"
#include "vcl50/Interaction.h"
#include "vcl50/Strings.h"
#include "vcl50/Wholefiles.h"
#include "vcldb50/Db.h"

namespace {

// "FORMAT|FILE|ORDER|FIELDS" for settings read, "error: MESSAGE" for a malformed file, "none".
std::string Outcome(const AnsiString& path)
{
    try {
        std::optional<TExportDialogSettings> read = ReadExportSettings(path);
        if (!read)
            return "none";
        TStringList order, fields;
        for (const AnsiString& name : read->Order)
            order.Add(name);
        for (const AnsiString& name : read->Fields)
            fields.Add(name);
        return std::string(ExportFormats()[static_cast<size_t>(read->Format)].Key) + "|" + read->FileName + "|" +
               order.CommaText() + "|" + fields.CommaText();
    } catch (const EExportSettingsError& e) {
        return "error: " + e.Message();
    }
}

TEST(ExportSettings, WhatReadsAsSettingsAndWhatIsMalformed)
{
    TTempFolder folder("export-settings");
    const struct {
        const char* Content;  // null: no file
        const char* Outcome;
    } cases[] = {
        {nullptr, "none"},
        {"[Export]\nFormat=csv\nFileName=/tmp/o.csv\nOrder=b,\"a b\",c\nFields=c,b\n", "CSV|/tmp/o.csv|b,\"a b\",c|c,b"},
        {"; kept\n[Other]\nx=1\n[Export]\nFormat=Clipboard\n", "Clipboard|||"},
        {"", "error: it has no [Export] section"},
        {"object ShopForm: TForm\nend\n", "error: it has no [Export] section"},
        {"[Export]\nFileName=o.csv\n", "error: Format= names no format of the dialog"},
        {"[Export]\nFormat=Lotus\n", "error: Format=Lotus names no format of the dialog"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Content ? c.Content : "no file");
        const std::filesystem::path path = folder.Path() / "export.cfg";
        std::filesystem::remove(path);
        if (c.Content)
            std::ofstream(path, std::ios::binary) << c.Content;
        EXPECT_EQ(Outcome(path.string()), c.Outcome);
    }
    EXPECT_EQ(Outcome(folder.Path().string()).rfind("error: Cannot read ini file", 0), 0u) << "a folder";
}

TEST(ExportSettings, AWriteReplacesTheDialogsSectionAndKeepsTheRest)
{
    TTempFolder folder("export-settings");
    const std::string path = (folder.Path() / "export.cfg").string();
    std::ofstream(path, std::ios::binary) << "; the application's\n[Window]\nLeft=10\n[Export]\nFormat=Lotus\nJunk=1\n";
    WriteExportSettings(path, {5, "orders.csv", {"id", "note"}, {"id"}});
    EXPECT_EQ(ReadFileBytes(path, 1 << 16),
              "; the application's\n[Window]\nLeft=10\n\n[Export]\nFormat=CSV\nFileName=orders.csv\nOrder=id,note\n"
              "Fields=id\n");
    EXPECT_EQ(Outcome(path), "CSV|orders.csv|id,note|id");
}

// Records that come slowly, five milliseconds each: an export of them runs long enough for its
// progress to show.
class TSlowDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;

protected:
    void InternalOpen() override { CreateField("n", ftInteger); }
    bool InternalFirst() override { return Fill(0); }
    bool InternalNext() override { return Fill(FAt + 1); }

private:
    bool Fill(int at)
    {
        FAt = at;
        if (at >= 400)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Record()[0].Kind = TFieldValue::vkInteger;
        Record()[0].Integer = at;
        return true;
    }
    int FAt = 0;
};

// The person presses Cancel the first time the export lets the input in.
class TCancellingWidgetSet : public THeadlessWidgetSet {
public:
    void ProcessMessages() override
    {
        if (std::exchange(FPressed, true))
            return;
        TCustomForm* form = Screen->ActiveForm();
        Input::Click(static_cast<TControl*>(form->FindComponent("btCancel")));
    }

private:
    bool FPressed = false;
};

class TErrorBoxes : public TInteractionObserver {
public:
    void ErrorShown(const AnsiString& text) override { Shown.push_back(text); }
    std::vector<AnsiString> Shown;
};

TEST(ExportDialog, CancelStopsALongExportKeepsTheOldFileAndTheDialogOpen)
{
    TTempFolder folder("export-dialog");
    const std::string file = (folder.Path() / "slow.csv").string();
    std::ofstream(file) << "old";
    SetWidgetSet(std::make_unique<TCancellingWidgetSet>());
    TErrorBoxes errors;
    Interaction::SetObserver(&errors);
    TComponent owner(nullptr);
    auto* data = new TSlowDataSet(&owner);
    data->SetName("Slow");
    auto* dialog = new TKExportDialog(&owner);
    dialog->SetName("ExportDlg");
    dialog->SetDataSet(data);

    AnsiString progress;
    bool choicesBack = false;
    Interaction::QueueModalHandler([&](TCustomForm* form) {
        auto& d = static_cast<TfmKExportDlg&>(*form);
        Input::ChooseItem(d.cbxFormat, FindExportFormat("CSV"));
        Input::TypeText(d.edFileName, file);
        Input::Click(d.btExport);
        progress = d.lblProgress->Caption();
        choicesBack = d.btExport->Enabled() && d.lbFields->Enabled() && !d.lblProgress->Visible();
        Input::Click(d.btCancel);
    });
    EXPECT_FALSE(dialog->Execute());
    Interaction::SetObserver(nullptr);
    SetWidgetSet(nullptr);

    EXPECT_EQ(errors.Shown, std::vector<AnsiString>{"The export was cancelled"});
    EXPECT_EQ(ReadFileBytes(file, 1 << 16), "old");
    EXPECT_TRUE(progress.ends_with(" records")) << "past half a second the records done show: " << progress;
    EXPECT_TRUE(choicesBack);
    EXPECT_FALSE(data->Active()) << "closed again as the dialog found it";
}

}  // namespace
