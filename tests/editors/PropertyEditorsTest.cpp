// The package's file name and date/time format editors on the real package module: the scripts
// of scripts/ and one script made from the table of file name editors, each played by
// drowcast-host against its expected trace; and, in this process, what no script can reach.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "rowcastb5/Kasciiexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Khtmlexport.h"
#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"
#include "vcl50/Interaction.h"

namespace fs = std::filesystem;

namespace {

const fs::path ScriptsDir = EDITOR_SCRIPTS_DIR;

THostRun Play(const std::string& script)
{
    TTempFolder folder("editor-script");
    return PlayHostScript(DROWCAST_HOST, PACKAGE_FILE, folder.Path(), script);
}

struct TFileNameEditor {
    const char* Editor;
    const char* Component;
    const char* Property;
    const char* Filter;
    const char* DefaultExt;
};

// An ASCII export starts as plain text.
const TFileNameEditor FileNameEditors[] = {
    {"TKExcelFileNameProperty", "TKExcelExport", "FileName", "Microsoft Excel files (*.xls)|*.xls", "xls"},
    {"TKRTFFileNameProperty", "TKRTFExport", "FileName", "Microsoft Word files (*.doc)|*.doc|RTF files (*.rtf)|*.rtf",
     "doc"},
    {"TKHTMLFileNameProperty", "TKHTMLExport", "FileName", "HTML files (*.html, *.htm)|*.html;*.htm", "html"},
    {"TKLaTeXFileNameProperty", "TKLaTeXExport", "FileName", "LaTeX files (*.tex)|*.tex", "tex"},
    {"TKASCIIFileNameProperty", "TKASCIIExport", "FileName", "Text files (*.txt)|*.txt", "txt"},
    {"TKCSSFileNameProperty", "TKHTMLExport", "CSSFileName", "Cascading style sheets files (*.css)|*.css", "css"},
    {"TKSQLFileNameProperty", "TKSQLExport", "FileName", "SQL files (*.sql)|*.sql", "sql"},
    {"TKAppFileNameProperty", "TKClipboardExport", "ClipboardViewer", "Executable files (*.exe)|*.exe", "exe"},
    {"TKXMLFileNameProperty", "TKXMLExport", "FileName", "XML files (*.xml)|*.xml", "xml"},
    {"TKDBFFileNameProperty", "TKDBFExport", "FileName", "DBF files (*.dbf)|*.dbf", "dbf"},
    {"TKCFGFileNameProperty", "TKExportDialog", "SaveFileName", "Configurations files (*.cfg)|*.cfg", "cfg"},
};

class EditorScript : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(EditorScript, TraceIsTheExpectedOne)
{
    const fs::path base = ScriptsDir / GetParam();
    THostRun run = Play(ReadText(base.string() + ".dscript"));
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, ReadText(base.string() + ".expected"));
}

INSTANTIATE_TEST_SUITE_P(Scripts, EditorScript, testing::ValuesIn(ScriptNames(ScriptsDir)), ScriptTestName);

// Each editor: a dialog button, an open dialog with its filter and default extension on the empty
// value, and the chosen path (the extension added by the dialog) stored.
TEST(FileNameEditors, EachOpensItsFilterAndStoresTheChosenPath)
{
    std::string script = "form MainForm\n", expected;
    int n = 0;
    for (const TFileNameEditor& row : FileNameEditors) {
        const std::string name = "C" + std::to_string(++n), path = "/data/f" + std::to_string(n);
        const std::string property = row.Property;
        script += "add " + std::string(row.Component) + " " + name + "\nselect " + name + "\nattrs " + property +
                  "\nanswer open " + path + "\nedit " + property + "\nget " + name + "." + property + "\n";
        expected += "modified\n" + property + " attrs = paDialog,paMultiSelect,paRevertable\n" +
                    "open dialog: title=\"\" filter=\"" + row.Filter + "\" defaultext=\"" + row.DefaultExt +
                    "\" filename=\"\" -> \"" + path + "." + row.DefaultExt + "\"\nmodified\n" + name + "." +
                    property + " = " + path + "." + row.DefaultExt + "\n";
    }
    THostRun run = Play(script);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, expected);
}

// ---- in this process, on the loaded package ----------------------------------------------------

namespace {

class TFileDialogs : public TInteractionObserver {
public:
    void FileDialogRan(const TFileDialogRequest& request, const std::optional<AnsiString>&) override
    {
        Requests.push_back(request);
    }
    std::vector<TFileDialogRequest> Requests;
};

class PackageEditors : public testing::Test {
protected:
    void SetUp() override
    {
        Host.RegisterPackage(Host.LoadPackage(PACKAGE_FILE));
        Interaction::ClearQueues();
        Interaction::SetObserver(&Dialogs);
    }
    void TearDown() override
    {
        Interaction::SetObserver(nullptr);
        Interaction::ClearQueues();
    }

    // The editor the designer makes for that property of `component`, or one of `editorClass`.
    std::unique_ptr<TPropertyEditor> EditorFor(TComponent* component, const char* property,
                                               TPropertyEditorClass editorClass = nullptr)
    {
        const TPropInfo* prop = GetPropInfo(component, property);
        if (!editorClass)
            editorClass = GetEditorClass(prop, component->ClassType());
        return CreatePropertyEditor(editorClass, &Designer, {TInstProp{component, prop}});
    }

    TDesignHost Host;
    TDesigner& Designer = Host.NewForm("MainForm");
    TFileDialogs Dialogs;
};

}  // namespace

TEST_F(PackageEditors, EachFileNamePropertyGetsItsEditor)
{
    for (const TFileNameEditor& row : FileNameEditors) {
        SCOPED_TRACE(row.Editor);
        auto* component = static_cast<TComponent*>(GetClass(row.Component)->Create(Designer.GetRoot()));
        EXPECT_EQ(EditorFor(component, row.Property)->ClassName(), row.Editor);
    }
}

// The kind is read at each press of the button; one the editor does not know gives no filter.
TEST_F(PackageEditors, TheAsciiEditorFollowsExportType)
{
    const struct {
        int Kind;
        const char* Filter;
        const char* DefaultExt;
    } kinds[] = {
        {etSYLK, "SYLK files (*.slk)|*.slk", "slk"}, {etText, "Text files (*.txt)|*.txt", "txt"},
        {etCSV, "CSV files (*.csv)|*.csv", "csv"},   {etDIF, "DIF files (*.dif)|*.dif", "dif"},
        {etSYLK + 1, "", ""},                        {255, "", ""},
    };
    auto* ascii = new TKASCIIExport(Designer.GetRoot());
    auto editor = EditorFor(ascii, "FileName");
    for (const auto& kind : kinds) {
        ascii->SetExportType(static_cast<TASCIIExportType>(kind.Kind));
        Interaction::QueueAnswer(TDialogAnswer::Cancelled());
        editor->Edit();
        ASSERT_FALSE(Dialogs.Requests.empty());
        EXPECT_EQ(Dialogs.Requests.back().Filter, kind.Filter) << kind.Kind;
        EXPECT_EQ(Dialogs.Requests.back().DefaultExt, kind.DefaultExt) << kind.Kind;
    }
    EXPECT_FALSE(Designer.IsModified());
}

// Registration never binds it so, but an ASCII editor on another class raises the invalid cast
// before any dialog runs, and changes nothing.
TEST_F(PackageEditors, TheAsciiEditorOnAnotherClassRaisesTheCastError)
{
    auto* ascii = new TKASCIIExport(Designer.GetRoot());
    auto* excel = new TKExcelExport(Designer.GetRoot());
    excel->SetFileName("/data/kept.xls");
    const TPropertyEditorClass asciiEditor = EditorFor(ascii, "FileName")->ClassType();
    Interaction::QueueAnswer(TDialogAnswer::FileValue("/data/other.txt"));
    EXPECT_THROW(EditorFor(excel, "FileName", asciiEditor)->Edit(), EInvalidCast);
    EXPECT_TRUE(Dialogs.Requests.empty());
    EXPECT_TRUE(Interaction::HasAnswer()) << "the answer was taken by a dialog";
    EXPECT_EQ(excel->FileName(), "/data/kept.xls");
    EXPECT_FALSE(Designer.IsModified());
}

// The family's base has no filter of its own: the host cannot make it.
TEST_F(PackageEditors, TheFileNameBaseIsAbstract)
{
    auto* excel = new TKExcelExport(Designer.GetRoot());
    const TPropertyEditorClass base = EditorFor(excel, "FileName")->ClassType()->ClassParent();
    EXPECT_EQ(base->ClassName(), "TKFileNameProperty");
    EXPECT_THROW(EditorFor(excel, "FileName", base), EAbstractError);
}

// What the dialog returned stays stored; the inspector shows a path inside the form file's folder
// relative to it, for every file name editor of the package and no other row.
TEST_F(PackageEditors, FileNamesInsideTheFormsFolderShowRelativeToIt)
{
    auto* html = new TKHTMLExport(Designer.GetRoot());
    auto shown = [&](TComponent* component, const char* property) {
        Designer.Select({component});
        return TPropertyGrid(Designer.Selection(), &Designer).Find(property)->DisplayValue();
    };
    const std::string here = fs::current_path().string();
    const struct {
        std::string FormFile, Stored, Shown;
    } cases[] = {
        {"/data/forms/shop.dfm", "/data/forms/out.html", "out.html"},
        {"/data/forms/shop.dfm", "/data/forms/web/./out.html", "web/out.html"},
        {"/data/forms/shop.dfm", "/data/forms/../out.html", "/data/forms/../out.html"},
        {"/data/forms/shop.dfm", "/data/formsx/out.html", "/data/formsx/out.html"},
        {"/data/forms/shop.dfm", "/data/forms", "/data/forms"},
        {"/data/forms/shop.dfm", "web/out.html", "web/out.html"},
        {"/data/forms/shop.dfm", "", ""},
        {"", "/data/forms/out.html", "/data/forms/out.html"},
        {"shop.dfm", here + "/out.html", "out.html"},  // a form file named without a folder
    };
    for (const auto& c : cases) {
        Designer.SetFileName(c.FormFile);
        html->SetFileName(c.Stored);
        EXPECT_EQ(shown(html, "FileName"), c.Shown) << c.FormFile << " " << c.Stored;
        EXPECT_EQ(html->FileName(), c.Stored);
    }

    Designer.SetFileName("/data/forms/shop.dfm");
    int n = 0;
    for (const TFileNameEditor& row : FileNameEditors) {
        auto* component = static_cast<TComponent*>(GetClass(row.Component)->Create(Designer.GetRoot()));
        component->SetName("C" + std::to_string(++n));
        SetStrProp(component, row.Property, "/data/forms/f." + std::string(row.DefaultExt));
        EXPECT_EQ(shown(component, row.Property), "f." + std::string(row.DefaultExt)) << row.Editor;
    }
    html->Formats()->SetDateFormat("/data/forms/yyyy");
    EXPECT_EQ(shown(html, "Formats.DateFormat"), "/data/forms/yyyy");

    // Confirming the row as shown keeps the stored path; another text is stored as typed.
    html->SetFileName("/data/forms/out.html");
    Designer.Select({html});
    TPropertyGrid inspector(Designer.Selection(), &Designer);
    TPropertyGridRow& fileName = *inspector.Find("FileName");
    ASSERT_TRUE(Host.Commands().Set(fileName, "out.html"));
    EXPECT_EQ(html->FileName(), "/data/forms/out.html");
    EXPECT_FALSE(Designer.History().CanUndo());
    ASSERT_TRUE(Host.Commands().Set(fileName, "web/out.html"));
    EXPECT_EQ(html->FileName(), "web/out.html");
}
