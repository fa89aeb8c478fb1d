// drowcast-designer as a person runs it, on the offscreen platform: the template editor's
// scripts and the main job's script trace as under drowcast-host, and a screenshot is the
// dialog's client area.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "tests/qt/QtTestApp.h"

namespace fs = std::filesystem;

namespace {

const fs::path ScriptsDir = DIALOG_SCRIPTS_DIR;

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

// Runs the designer on `script` in a folder of its own, with no display.
TRun Designer(const fs::path& script, const fs::path& folder)
{
    std::string command = "cd '" + folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                          DROWCAST_DESIGNER + "' --package '" + PACKAGE_FILE + "' --script '" +
                          script.string() + "' >out 2>err";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(folder / "out"), Slurp(folder / "err")};
}

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qt-designer-XXXXXX").string();
        Folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(Folder); }
    fs::path Folder;
};

TEST_F(DesignerTest, TemplateEditorScriptsTraceAsUnderTheCommandLineHost)
{
    int scripts = 0;
    for (const auto& entry : fs::directory_iterator(ScriptsDir)) {
        if (entry.path().extension() != ".dscript")
            continue;
        ++scripts;
        fs::path base = entry.path();
        TRun run = Designer(base, Folder);
        EXPECT_EQ(run.Status, 0) << base;
        EXPECT_EQ(run.Err, "") << base;
        EXPECT_EQ(run.Out, Slurp(base.replace_extension(".expected"))) << base;
    }
    EXPECT_GT(scripts, 0);
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
    TRun run = Designer(Folder / "shot.dscript", Folder);
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
    const std::string makeDatabase =
        "cd '" + Folder.string() + "' && sqlite3 shop.db < '" + (examples / "shop.sql").string() + "'";
    ASSERT_EQ(std::system(makeDatabase.c_str()), 0);
    TRun run = Designer(examples / "whole-package.dscript", Folder);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, Slurp(examples / "whole-package.expected"));
    TestApp();
    const std::pair<const char*, QSize> pictures[] = {
        {"fields-editor.png", QSize(345, 255)},
        {"html-template-editor.png", QSize(448, 253)},
        {"about-box.png", QSize(452, 300)},
    };
    for (const auto& [file, size] : pictures)
        EXPECT_EQ(QImage(QString::fromStdString((Folder / file).string())).size(), size) << file;
}

TEST_F(DesignerTest, HelpSaysWhatTheDesignerDoesAndListsItsOptions)
{
    std::string command = "'" + std::string(DROWCAST_DESIGNER) + "' --help >'" + (Folder / "out").string() + "'";
    int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string help = Slurp(Folder / "out");
    for (const char* word : {"drowcast-designer", "FORMFILE", "--script", "--package", "palette"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

}  // namespace
