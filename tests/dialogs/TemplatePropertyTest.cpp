// The HTMLTemplate property editor end to end: designer scripts on the real host and the real
// package module, each trace compared with its expected file; and the editor's failure paths, in
// this process.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogTesting.h"
#include "editors/Kexpdsgn.h"
#include "host/DesignHost.h"
#include "vcl50/Forms.h"

namespace fs = std::filesystem;

namespace {

const fs::path ScriptsDir = DIALOG_SCRIPTS_DIR;
const fs::path EditorScriptsDir = EDITOR_SCRIPTS_DIR;
const fs::path ExamplesDir = EXAMPLES_DIR;

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

// Plays `script` with drowcast-host on the package module, in `folder`.
TRun PlayScript(const fs::path& folder, const std::string& script)
{
    std::ofstream(folder / "script.dscript") << script;
    const std::string command = "cd '" + folder.string() + "' && '" + DROWCAST_HOST + "' script --package '" +
                                PACKAGE_FILE + "' script.dscript >out 2>err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText((folder / "out").string()),
            ReadText((folder / "err").string())};
}

// Each script plays in a working folder of its own, where the files it saves go.
class ScriptFolder : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "htmleditor-XXXXXX").string();
        Folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(Folder); }
    fs::path Folder;
};

class EditorScript : public ScriptFolder, public testing::WithParamInterface<std::string> {};
// The scripts of the component editors find shop.db in their working folder.
class ComponentEditorScript : public ScriptFolder, public testing::WithParamInterface<std::string> {};

void ExpectTrace(const fs::path& folder, const fs::path& base)
{
    TRun run = PlayScript(folder, ReadText(base.string() + ".dscript"));
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, ReadText(base.string() + ".expected"));
}

}  // namespace

TEST_P(EditorScript, TraceIsTheExpectedOne)
{
    ExpectTrace(Folder, ScriptsDir / GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scripts, EditorScript, testing::ValuesIn(ScriptNames(ScriptsDir)), ScriptTestName);

TEST_P(ComponentEditorScript, TraceIsTheExpectedOne)
{
    MakeShopDatabase((Folder / "shop.db").string());
    ExpectTrace(Folder, EditorScriptsDir / GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scripts, ComponentEditorScript, testing::ValuesIn(ScriptNames(EditorScriptsDir)),
                         ScriptTestName);

// An example as drowcast-host plays it: it draws nothing, so without the screenshots; the shop
// database is made from its SQL text, as the main job makes it.
TRun PlayExample(const fs::path& folder, const std::string& name)
{
    const std::string makeDatabase = "cd '" + folder.string() + "' && sqlite3 shop.db < '" +
                                     (ExamplesDir / "shop.sql").string() + "'";
    EXPECT_EQ(std::system(makeDatabase.c_str()), 0);
    std::istringstream example(ReadText((ExamplesDir / (name + ".dscript")).string()));
    std::string script;
    for (std::string line; std::getline(example, line);)
        if (Trim(line).rfind("screenshot ", 0) != 0)
            script += line + "\n";
    TRun run = PlayScript(folder, script);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, ReadText((ExamplesDir / (name + ".expected")).string()));
    return run;
}

TEST_F(ScriptFolder, TheTemplateExampleEditsTheComponentAndSavesItsTemplateFile)
{
    PlayExample(Folder, "html-template");
    THexIniFile saved((Folder / "html-template.htf").string());
    EXPECT_EQ(saved.ReadInteger("Table options", "Even_row-bgcolor", -1), 0x0099CCFF);
    EXPECT_EQ(saved.ReadString("HTML options", "Font-family", "none"), "Arial");
}

// The main job's script: every editor of the package on the shop database, the form saved.
TEST_F(ScriptFolder, TheWholePackageExampleSavesTheFormItBuilt)
{
    PlayExample(Folder, "whole-package");
    const std::string form = ReadText((Folder / "shop-export.dfm").string());
    for (const char* part : {"object SqlOut: TKSQLExport", "FileName = 'orders.html'", "'customer_id'"})
        EXPECT_NE(form.find(part), std::string::npos) << part;
}

// ---- failure paths ---------------------------------------------------------------------------

namespace {

// Something else with an HTMLTemplate property, which the editor is not meant for.
class TNotAnHtmlExport : public TDerived<TNotAnHtmlExport, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TNotAnHtmlExport, TComponent>("TNotAnHtmlExport")
                                           .Property("HTMLTemplate", &TNotAnHtmlExport::HTMLTemplate)
                                           .Build();
        return &meta;
    }
    THTMLTemplate HTMLTemplate = htGray;
};

std::unique_ptr<TPropertyEditor> TemplateEditorFor(TComponent* component, TFormDesigner* designer)
{
    return CreatePropertyEditor(TKHTMLTemplateProperty::StaticClass(), designer,
                                {TInstProp{component, GetPropInfo(component, "HTMLTemplate")}});
}

}  // namespace

using TemplatePropertyTest = TemplateDialogTest;

// Neither a component of another class nor a dialog that cannot be shown leaves a dialog behind
// or a change in the designer.
TEST_F(TemplatePropertyTest, FailuresLeaveNoDialogAndNoChange)
{
    TDesignHost host;
    TDesigner& designer = host.NewForm("MainForm");
    auto* other = new TNotAnHtmlExport(designer.GetRoot());
    auto* html = new TKHTMLExport(designer.GetRoot());
    const int forms = Screen->FormCount();
    EXPECT_THROW(TemplateEditorFor(other, &designer)->Edit(), EInvalidCast);
    EXPECT_EQ(other->HTMLTemplate, htGray);
    // No one answers the modal form: the headless widget set refuses to show it.
    EXPECT_THROW(TemplateEditorFor(html, &designer)->Edit(), EInteractionError);
    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_FALSE(designer.IsModified());
}
