// drowcast-designer as a person runs it, on the offscreen platform: the template editor's, the
// component editors' and the main job's scripts trace as under drowcast-host, a screenshot is
// the dialog's client area, the window's picture shows the palette and the context menu as they
// are, and the recent files survive the session.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QClipboard>
#include <QImage>
#include <csignal>
#include <QMenu>
#include <QPushButton>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "host/designer/DesignerWindow.h"
#include "vcl50/Interaction.h"
#include "vcldb50/Sqlitedataset.h"
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

// Where `icon` lies in `picture` pixel for pixel; nowhere when scaled, smoothed or another one.
std::optional<QPoint> Find(const QImage& picture, const QImage& icon)
{
    const QImage p = picture.convertToFormat(QImage::Format_RGB32);
    const QImage i = icon.convertToFormat(QImage::Format_RGB32);
    const size_t rowBytes = static_cast<size_t>(i.width()) * 4;
    for (int y = 0; y + i.height() <= p.height(); ++y)
        for (int x = 0; x + i.width() <= p.width(); ++x) {
            bool same = true;
            for (int row = 0; same && row < i.height(); ++row)
                same = std::memcmp(p.constScanLine(y + row) + x * 4, i.constScanLine(row), rowBytes) == 0;
            if (same)
                return QPoint(x, y);
        }
    return std::nullopt;
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

// The sample form, a malformed one and one naming unknown classes beside the window's scripts, on
// the shop database.
TEST_F(DesignerTest, WindowScriptsOnTheSampleFormTraceAsExpected)
{
    const fs::path scripts = DESIGNER_SCRIPTS_DIR;
    ASSERT_TRUE(MakeExampleDatabase());
    fs::copy_file(fs::path(EXAMPLES_DIR) / "shop.dfm", Folder / "shop.dfm");
    fs::copy_file(scripts / "broken.dfm", Folder / "broken.dfm");
    fs::copy_file(scripts / "unknown.dfm", Folder / "unknown.dfm");
    ExpectScriptsTraceAsExpected(scripts);
}

// A designer killed in the command-line host gets its form back in the window: one state folder
// and one autosave for both.
TEST_F(DesignerTest, AFormAutosavedBeforeACrashComesBackInTheWindow)
{
    const fs::path scripts = SAFETY_SCRIPTS_DIR;
    setenv("XDG_STATE_HOME", (Folder / "state").c_str(), 1);
    const THostRun crashed = PlayHostScript(DROWCAST_HOST, PACKAGE_FILE, Folder, ReadText(scripts / "crash.dscript"));
    const THostRun recovered = Designer(scripts / "recover.dscript", Folder);
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(crashed.Status, 128 + SIGKILL);
    EXPECT_EQ(recovered.Err, "");
    EXPECT_EQ(recovered.Out, ReadText(scripts / "recover.expected"));
}

// The package's page shows each class's bitmap resource as drowcast-host writes it out, in
// registration order; the context menu's picture is the window's with the menu drawn over it.
TEST_F(DesignerTest, WindowPicturesShowThePackagesBitmapsAsTheyAreAndTheContextMenu)
{
    std::ofstream(Folder / "window.dscript") << "form MainForm\n"
                                                "add TKHTMLExport HtmlOut\n"
                                                "palette\n"
                                                "select HtmlOut\n"
                                                "window main.png\n"
                                                "window menu.png HtmlOut\n";
    THostRun run = Designer(Folder / "window.dscript", Folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string page = "Tarnel Lumatab: ";
    const size_t at = run.Out.find(page);
    ASSERT_NE(at, std::string::npos) << run.Out;
    const size_t from = at + page.size();
    std::istringstream classes(run.Out.substr(from, run.Out.find('\n', from) - from));
    TestApp();
    const QImage window(QString::fromStdString((Folder / "main.png").string()));
    int count = 0;
    std::optional<QPoint> last;
    for (std::string name; std::getline(classes >> std::ws, name, ',');) {
        std::string resource = name;
        std::transform(resource.begin(), resource.end(), resource.begin(), ::toupper);
        const std::string command = "'" + std::string(DROWCAST_HOST) + "' resource --bmp '" + PACKAGE_FILE + "' " +
                                    resource + " >'" + (Folder / "icon.bmp").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << name;
        const QImage icon(QString::fromStdString((Folder / "icon.bmp").string()));
        ASSERT_EQ(icon.size(), QSize(24, 24)) << name;
        // The palette lies above the surface, whose tiles show the same pictures.
        const std::optional<QPoint> spot = Find(window, icon);
        ASSERT_TRUE(spot) << name << " is not on the palette as it is";
        if (last) {
            EXPECT_EQ(spot->y(), last->y()) << name;
            EXPECT_GT(spot->x(), last->x()) << name << " out of registration order";
        }
        last = spot;
        ++count;
    }
    EXPECT_EQ(count, 10);

    const QImage menu(QString::fromStdString((Folder / "menu.png").string()));
    ASSERT_EQ(menu.size(), window.size());
    QRect drawn;
    for (int y = 0; y < menu.height(); ++y)
        for (int x = 0; x < menu.width(); ++x)
            if (menu.pixel(x, y) != window.pixel(x, y))
                drawn |= QRect(x, y, 1, 1);
    // Three verbs, a separator, Delete and Select all.
    EXPECT_GT(drawn.height(), 5 * 16);
    EXPECT_GT(drawn.width(), 100);
}

// The window in this process on the package, as a person has it, with the recent files in the
// test's own configuration folder.
class WindowTest : public DesignerTest {
protected:
    void SetUp() override
    {
        DesignerTest::SetUp();
        setenv("XDG_CONFIG_HOME", (Folder / "config").c_str(), 1);
        TestApp();
        SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
        Host = std::make_unique<TDesignHost>();
        HMODULE package = Host->LoadPackage(PACKAGE_FILE);
        Window = std::make_unique<TDesignerWindow>(*Host, PACKAGE_FILE, package, true);
        Window->NewFile();
        Window->show();
    }
    void TearDown() override
    {
        Window.reset();
        Host.reset();
        SetWidgetSet(nullptr);
        DesignerTest::TearDown();
    }
    // A form file named FormI.
    QString FormFile(int i)
    {
        const fs::path file = Folder / ("form" + std::to_string(i) + ".dfm");
        std::ofstream(file) << "object Form" << i << ": TForm\nend\n";
        return QString::fromStdString(file.string());
    }
    // The next message box gets `button`; Asked holds what it said.
    void Answer(QMessageBox::StandardButton button)
    {
        Asked.clear();
        QTimer::singleShot(0, [this, button] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Asked = box->text();
                box->button(button)->click();
            }
        });
    }
    AnsiString FormName() const { return Host->CurrentForm()->GetRoot()->Name(); }

    std::unique_ptr<TDesignHost> Host;
    std::unique_ptr<TDesignerWindow> Window;
    QString Asked;
};

// Opened and saved files come first in File > Open Recent, at most TRecentFiles::Maximum, kept
// in $XDG_CONFIG_HOME; choosing one that is gone says so, drops it and keeps the current form.
TEST_F(WindowTest, RecentFilesComeNewestFirstAreKeptAndForgetMissingOnes)
{
    std::vector<QString> files;
    for (int i = 0; i <= TRecentFiles::Maximum; ++i) {
        files.push_back(FormFile(i));
        ASSERT_TRUE(Window->OpenFile(files.back()));
    }
    ASSERT_TRUE(Window->OpenFile(files[3]));
    auto* recent = Window->findChild<QMenu*>("recentFiles");
    ASSERT_NE(recent, nullptr);
    QStringList expected;
    for (int i : {3, 8, 7, 6, 5, 4, 2, 1})
        expected << files[i];
    EXPECT_EQ(TRecentFiles().Files(), expected);
    EXPECT_EQ(recent->actions().size(), TRecentFiles::Maximum);
    EXPECT_EQ(recent->actions().front()->text(), "&1 " + files[3]);
    EXPECT_TRUE(fs::exists(Folder / "config" / "drowcast-designer.conf"));

    fs::remove(files[8].toStdString());
    Answer(QMessageBox::Ok);
    recent->actions()[1]->trigger();
    EXPECT_TRUE(Asked.contains(files[8]) && Asked.contains("no longer exists")) << Asked.toStdString();
    expected.removeAll(files[8]);
    EXPECT_EQ(TRecentFiles().Files(), expected);
    EXPECT_EQ(recent->actions().size(), expected.size());
    EXPECT_EQ(FormName(), "Form3");
}

// A configuration holding far more (another program's, or an old designer's) is read as its newest
// Maximum, and what is stored next holds no more.
TEST_F(WindowTest, RecentFilesBeyondTheMaximumAreNotRead)
{
    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many << QString("/gone/form%1.dfm").arg(i);
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "drowcast-designer");
    settings.setValue("RecentFiles", many);
    settings.sync();
    EXPECT_EQ(TRecentFiles().Files(), many.mid(0, TRecentFiles::Maximum));
    TRecentFiles().Remove(many[0]);
    settings.sync();
    EXPECT_EQ(settings.value("RecentFiles").toStringList(), many.mid(1, TRecentFiles::Maximum - 1));
}

// The title marks unsaved work; New and closing ask first: Cancel keeps the form, Save writes
// it to its file, Discard lets it go.
TEST_F(WindowTest, UnsavedWorkIsMarkedAndAskedForBeforeItGoes)
{
    const QString file = FormFile(1);
    ASSERT_TRUE(Window->OpenFile(file));
    EXPECT_FALSE(Window->isWindowModified());
    Host->CurrentForm()->AddComponent(TSQLiteDataSet::StaticClass(), "Data1");
    EXPECT_TRUE(Window->isWindowModified());
    EXPECT_TRUE(Window->windowTitle().startsWith("form1.dfm[*]")) << Window->windowTitle().toStdString();

    Answer(QMessageBox::Cancel);
    Window->NewFile();
    EXPECT_TRUE(Asked.contains("Save your changes?")) << Asked.toStdString();
    EXPECT_EQ(FormName(), "Form1");
    EXPECT_TRUE(Window->isWindowModified());

    Answer(QMessageBox::Save);
    EXPECT_TRUE(Window->close());
    EXPECT_TRUE(Asked.contains("Save your changes?"));
    EXPECT_NE(ReadText(file.toStdString()).find("object Data1: TSQLiteDataSet"), std::string::npos);
    EXPECT_FALSE(Window->isWindowModified());

    Host->CurrentForm()->DeleteComponent(Host->CurrentForm()->GetComponent("Data1"));
    Answer(QMessageBox::Discard);
    Window->NewFile();
    EXPECT_TRUE(Asked.contains("Save your changes?"));
    EXPECT_NE(ReadText(file.toStdString()).find("Data1"), std::string::npos);
    EXPECT_FALSE(Window->isWindowModified());
}

// Edit > Copy puts the selection on the system clipboard as form text, and form text that another
// program put there enables Edit > Paste and pastes.
TEST_F(WindowTest, ComponentsGoThroughTheSystemClipboard)
{
    TComponent* data = Host->CurrentForm()->AddComponent(TSQLiteDataSet::StaticClass(), "Data1");
    ASSERT_TRUE(Host->Commands().Select({data}));
    QApplication::processEvents();  // the window follows the new selection
    Window->findChild<QAction*>("copyAction")->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("object Data1: TSQLiteDataSet\n"))
        << QGuiApplication::clipboard()->text().toStdString();

    QGuiApplication::clipboard()->setText("object Other: TSQLiteDataSet\nend\n");
    auto* paste = Window->findChild<QAction*>("pasteAction");
    EXPECT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_NE(Host->CurrentForm()->GetComponent("Other"), nullptr);
    QGuiApplication::clipboard()->setText("no form text");
    EXPECT_FALSE(paste->isEnabled());
}

// Recovered forms are all reachable in the Window menu and offered for saving at exit, hidden ones
// too; New takes a name no recovered form holds.
TEST_F(WindowTest, EveryRecoveredFormIsReachableAndOfferedAtExit)
{
    Host->RecoverForm(FormFile(1).toStdString());
    Host->RecoverForm(FormFile(2).toStdString());
    auto* menu = Window->findChild<QMenu*>("windowMenu");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "&1 Form1 (Untitled) *");
    EXPECT_TRUE(menu->actions()[1]->isChecked());
    menu->actions()[0]->trigger();
    EXPECT_EQ(FormName(), "Form1");
    EXPECT_TRUE(Window->windowTitle().startsWith("Form1 (Untitled)[*]")) << Window->windowTitle().toStdString();
    emit menu->aboutToShow();
    menu->actions()[1]->trigger();
    EXPECT_EQ(FormName(), "Form2");

    Answer(QMessageBox::Discard);
    Window->NewFile();
    EXPECT_EQ(FormName(), "Form2") << "Form1 is still there, unsaved";
    EXPECT_EQ(Host->Forms().size(), 2u);

    Answer(QMessageBox::Cancel);
    EXPECT_FALSE(Window->close());
    EXPECT_TRUE(Asked.startsWith("The form Form1 has been modified.")) << Asked.toStdString();
    EXPECT_EQ(FormName(), "Form1") << "shown while it is asked for";
    Answer(QMessageBox::Discard);
    EXPECT_TRUE(Window->close());
}

// File > Open on a form naming what no package has: one box lists every unknown name with its line;
// No keeps the current form, Yes opens the rest, marked modified.
TEST_F(WindowTest, AFormWithUnknownNamesIsOfferedWithoutThemInOneBox)
{
    fs::copy_file(fs::path(DESIGNER_SCRIPTS_DIR) / "unknown.dfm", Folder / "unknown.dfm");
    const QString file = QString::fromStdString((Folder / "unknown.dfm").string());
    Answer(QMessageBox::No);
    EXPECT_FALSE(Window->OpenFile(file));
    for (const char* line : {"Line 5: Web.Colour: property Colour does not exist",
                             "Line 7: Gone: Class TKNoSuchExport not found",
                             "Line 11: Xml.HTMLOptions.LinkColor: property HTMLOptions does not exist",
                             "Line 12: Xml.DataSet: component Gone not found"})
        EXPECT_TRUE(Asked.contains(line)) << line << " in " << Asked.toStdString();
    EXPECT_EQ(FormName(), "Form1");
    EXPECT_FALSE(Window->isWindowModified());

    Answer(QMessageBox::Yes);
    EXPECT_TRUE(Window->OpenFile(file));
    EXPECT_EQ(FormName(), "Shop");
    EXPECT_EQ(GetStrProp(Host->CurrentForm()->GetComponent("Web"), "FileName"), "orders.html");
    EXPECT_EQ(Host->CurrentForm()->GetComponent("Gone"), nullptr);
    EXPECT_TRUE(Window->isWindowModified());
}

// What no handler caught is shown as an error box, and the event loop, with the person's work, goes
// on.
TEST_F(WindowTest, AnExceptionNeverLeavesTheEventLoop)
{
    struct TErrors : TInteractionObserver {
        std::vector<AnsiString> Shown;
        void ErrorShown(const AnsiString& text) override { Shown.push_back(text); }
    } errors;
    Interaction::SetObserver(&errors);
    QTimer::singleShot(0, [] { throw EInvalidOperation("nobody caught this"); });
    QTimer::singleShot(0, [] { throw std::out_of_range("nor this"); });
    QApplication::processEvents();
    Interaction::SetObserver(nullptr);
    EXPECT_EQ(errors.Shown, (std::vector<AnsiString>{"nobody caught this", "nor this"}));
    EXPECT_EQ(FormName(), "Form1");
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
