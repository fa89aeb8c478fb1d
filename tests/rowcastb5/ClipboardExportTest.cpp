// The clipboard export: text and HTML in one change, a preview written to a file, and the viewer
// started only when the person confirmed it.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "rowcastb5/Kclipboardexport.h"
#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "vcl50/Clipbrd.h"
#include "vcldb50/Sqlitedataset.h"

namespace fs = std::filesystem;

namespace {

class ClipboardExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeTrickyDatabase(Folder.Path() / "tricky.db");
        Data.SetDatabaseName(Folder.Path() / "tricky.db");
        // Markup, a tab and both kinds of line break, and NULL.
        Data.SetSQL("SELECT id, name, note, amount AS \"a<b\" FROM tricky WHERE id IN (2, 3, 4)");
        Out.SetDataSet(&Data);
    }

    // A program that leaves a file beside itself when it runs.
    fs::path Viewer(const std::string& name) const
    {
        const fs::path path = Folder.Path() / name;
        std::ofstream(path) << "#!/bin/sh\n: > \"$0.started\"\n";
        chmod(path.c_str(), 0700);
        return path;
    }

    TTempFolder Folder{"clipboard-export"};
    TSQLiteDataSet Data{nullptr};
    TKClipboardExport Out{nullptr};
};

const char* const Text = "id\tname\tnote\ta<b\n"
                         "2\t\t\t\n"
                         "3\tsay \"hi\", then; leave\tline one line two tab end\t0.1\n"
                         "4\t<b>&amp;</b> # $ % & ~ _ ^ \\ { }\temoji \U0001F600 and \u00FCn\u00EFc\u00F6d\u00E9\t-2.5e-300\n";

const char* const Html =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n<table>\n"
    "<tr><th>id</th><th>name</th><th>note</th><th>a&lt;b</th></tr>\n"
    "<tr><td>2</td><td></td><td></td><td></td></tr>\n"
    "<tr><td>3</td><td>say &quot;hi&quot;, then; leave</td><td>line one<br>line two<br>tab\tend</td><td>0.1</td></tr>\n"
    "<tr><td>4</td><td>&lt;b&gt;&amp;amp;&lt;/b&gt; # $ % &amp; ~ _ ^ \\ { }</td>"
    "<td>emoji \U0001F600 and \u00FCn\u00EFc\u00F6d\u00E9</td><td>-2.5e-300</td></tr>\n"
    "</table>\n</body></html>\n";

}  // namespace

TEST_F(ClipboardExport, FillsTheClipboardOrAPreviewFile)
{
    Clipboard()->SetAsText("before");
    TExportOptions preview;
    preview.FileName = (Folder.Path() / "preview.txt").string();
    const TExportResult toFile = Out.Export(preview);
    EXPECT_EQ(toFile.Destination, preview.FileName);
    EXPECT_EQ(ReadText(preview.FileName), Text);
    EXPECT_EQ(Clipboard()->AsText(), "before");

    const TExportResult toClipboard = Out.Export();
    EXPECT_EQ(toClipboard.Destination, "clipboard");
    EXPECT_EQ(toClipboard.Rows, 3);
    EXPECT_EQ(Clipboard()->AsText(), Text);
    EXPECT_EQ(Clipboard()->AsHtml(), Html);
}

TEST_F(ClipboardExport, StartsTheViewerOnlyWhenConfirmed)
{
    enum TConfirm { NotAsked, Refused, Confirmed };
    struct Case {
        const char* Viewer;  // made as a program unless it names none
        TConfirm Confirm;
        bool Started;
    };
    const Case cases[] = {
        {"unasked", NotAsked, false},
        {"refused", Refused, false},
        {"", Confirmed, false},
        {"confirmed", Confirmed, true},  // last: its start tells that the others had their chance
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Viewer);
        Out.SetClipboardViewer(*c.Viewer ? Viewer(c.Viewer).string() : "");
        TExportOptions options;
        AnsiString asked;
        if (c.Confirm != NotAsked)
            options.ConfirmProgram = [&](const AnsiString& program) {
                asked = program;
                return c.Confirm == Confirmed;
            };
        Out.Export(options);
        EXPECT_EQ(asked, c.Confirm != NotAsked && *c.Viewer ? Out.ClipboardViewer() : "");
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(Folder.Path() / "confirmed.started") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (const Case& c : cases)
        if (*c.Viewer)
            EXPECT_EQ(fs::exists(Folder.Path() / (std::string(c.Viewer) + ".started")), c.Started) << c.Viewer;

    // A viewer that cannot start is the export's failure, after the rows reached the clipboard.
    Clipboard()->SetAsText("before");
    Out.SetClipboardViewer((Folder.Path() / "missing").string());
    TExportOptions options;
    options.ConfirmProgram = [](const AnsiString&) { return true; };
    try {
        Out.Export(options);
        ADD_FAILURE() << "a missing viewer started";
    } catch (const EExportError& e) {
        EXPECT_NE(e.Message().find("No such file or directory"), AnsiString::npos) << e.Message();
    }
    EXPECT_EQ(Clipboard()->AsText(), Text);
}
