// drowcast-designer as a person runs it, on the offscreen platform: the template editor's, the
// component editors' and the main job's scripts trace as under drowcast-host, and a screenshot is
// the dialog's client area.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include <filesystem>
#include <fstream>

#include "tests/ScriptFiles.h"
#include "tests/ShopDatabase.h"
#include "tests/qt/QtTestApp.h"

namespace fs = std::filesystem;

namespace {

const fs::path ScriptsDir = DIALOG_SCRIPTS_DIR;
const fs::path EditorScriptsDir = EDITOR_SCRIPTS_DIR;


// Runs the designer on `script` in a folder of its own, with no display.
THostRun Designer(const fs::path& script, const fs::path& folder)
{
    std::string command = "cd '" + folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                          DROWCAST_DESIGNER + "' --package '" + PACKAGE_FILE + "' --script '" +
                          script.string() + "' >out 2>err";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(folder / "out"), ReadText(folder / "err")};
}

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qt-designer-XXXXXX").string();
        Folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(Folder); }
    // Every script of `dir`, run in the test's folder, traces as its expected file says.
    void ExpectScriptsTraceAsExpected(const fs::path& dir)
    {
        const auto names = ScriptNames(dir);
        EXPECT_FALSE(names.empty()) << dir;
        for (const std::string& name : names) {
            THostRun run = Designer(dir / (name + ".dscript"), Folder);
            EXPECT_EQ(run.Status, 0) << name;
            EXPECT_EQ(run.Err, "") << name;
            EXPECT_EQ(run.Out, ReadText(dir / (name + ".expected"))) << name;
        }
    }
    // shop.db in the test's folder as scripts/run makes it, from the examples' SQL text.
    bool MakeExampleDatabase() const
    {
        const std::string command = "cd '" + Folder.string() + "' && sqlite3 shop.db < '" +
                                    (fs::path(EXAMPLES_DIR) / "shop.sql").string() + "'";
        return std::system(command.c_str()) == 0;
    }
    fs::path Folder;
};

TEST_F(DesignerTest, TemplateEditorScriptsTraceAsUnderTheCommandLineHost)
{
    ExpectScriptsTraceAsExpected(ScriptsDir);
}

// They find shop.db in their working folder.
TEST_F(DesignerTest, ComponentEditorScriptsTraceAsUnderTheCommandLineHost)
{
    MakeShopDatabase((Folder / "shop.db").string());
    ExpectScriptsTraceAsExpected(EditorScriptsDir);
}

TEST_F(DesignerTest, ScreenshotIsTheTemplateEditorsClientArea)
{
    std::ofstream(Folder / "shot.dscript") << "form MainForm\n"
                                              "add TKHTMLExport HtmlOut\n"
                                              "select HtmlOut\n"
                                              "dialog\n"
                                              "  screenshot editor.png\n"
                                              "  ok\n"
                                              "end\n"
                                              "edit HTMLTemplate\n";
    THostRun run = Designer(Folder / "shot.dscript", Folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    TestApp();
    QImage shot(QString::fromStdString((Folder / "editor.png").string()));
    ASSERT_EQ(shot.size(), QSize(448, 253));
    // The form's own grey, and a header cell's design colour (red 128, green 128, blue 255) in
    // the table: ColHead2 lies at (84, 8) in Panel2 at (6, 23) in BackPanel at (5, 6) in
    // HTMLPanel at (2, 1).
    EXPECT_EQ(shot.pixel(447, 100) & 0xFFFFFFu, 0xC0C0C0u);
    EXPECT_EQ(shot.pixel(445, 100) & 0xFFFFFFu, 0xFFFFFFu) << "HTMLPanel's lowered bevel, right edge";
    EXPECT_EQ(shot.pixel(2 + 5 + 6 + 84 + 90, 1 + 6 + 23 + 8 + 20) & 0xFFFFFFu, 0x8080FFu);
}

// The main job's script as scripts/run plays it: the trace of the headless host, and a picture
// of each dialog at the dialog's client size.
TEST_F(DesignerTest, TheMainJobTracesAsHeadlessAndPicturesEachDialog)
{
    const fs::path examples = EXAMPLES_DIR;
    ASSERT_TRUE(MakeExampleDatabase());
    THostRun run = Designer(examples / "whole-package.dscript", Folder);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, ReadText(examples / "whole-package.expected"));
    TestApp();
    const std::pair<const char*, QSize> pictures[] = {
        {"fields-editor.png", QSize(345, 255)},
        {"html-template-editor.png", QSize(448, 253)},
        {"about-box.png", QSize(452, 300)},
    };
    for (const auto& [file, size] : pictures)
        EXPECT_EQ(QImage(QString::fromStdString((Folder / file).string())).size(), size) << file;
}

// The sample form and a malformed one beside the window's scripts, on the shop database.
TEST_F(DesignerTest, WindowScriptsOnTheSampleFormTraceAsExpected)
{
    const fs::path scripts = DESIGNER_SCRIPTS_DIR;
    ASSERT_TRUE(MakeExampleDatabase());
    fs::copy_file(fs::path(EXAMPLES_DIR) / "shop.dfm", Folder / "shop.dfm");
    fs::copy_file(scripts / "broken.dfm", Folder / "broken.dfm");
    ExpectScriptsTraceAsExpected(scripts);
}

TEST_F(DesignerTest, HelpSaysWhatTheDesignerDoesAndListsItsOptions)
{
    std::string command = "'" + std::string(DROWCAST_DESIGNER) + "' --help >'" + (Folder / "out").string() + "'";
    int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string help = ReadText(Folder / "out");
    for (const char* word : {"drowcast-designer", "FORMFILE", "--script", "--package", "palette"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

// What no script is: refused at once with the reason, without waiting on a FIFO or reading a huge
// file; and a trace that cannot be written is a failure.
TEST_F(DesignerTest, WhatIsNoScriptIsRefusedAndAnUnwrittenTraceFails)
{
    ASSERT_EQ(mkfifo((Folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(Folder / "folder");
    std::ofstream(Folder / "big.dscript");
    fs::resize_file(Folder / "big.dscript", 3ull << 30);
    std::ofstream(Folder / "palette.dscript") << "palette\n";
    const struct {
        const char* Script;
        const char* Redirect;
        const char* Says;
    } probes[] = {
        {"fifo", "", "Not a regular file"},
        {"folder", "", "Is a directory"},
        {"big.dscript", "", "File too large"},
        {"palette.dscript", " >/dev/full", "cannot write standard output"},
    };
    for (const auto& p : probes) {
        std::string command = "cd '" + Folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                              DROWCAST_DESIGNER + "' --package '" + PACKAGE_FILE + "' --script " + p.Script +
                              " >out 2>err" + p.Redirect;
        int status = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << p.Script;
        const std::string err = ReadText(Folder / "err");
        EXPECT_TRUE(err.starts_with("drowcast-designer: ") && err.find(p.Says) != std::string::npos) << err;
    }
}

}  // namespace
