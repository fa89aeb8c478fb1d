// Designer scripts against the test components: each scripts/NAME.dscript runs in a fresh host
// and a fresh working folder, and its trace must equal NAME.expected (standard output) and
// NAME.stderr (standard error; a script with one must fail, one without must succeed).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestComponents.h"
#include "tests/ScriptFiles.h"
#include "host/ScriptRunner.h"
#include "host/ScriptTrace.h"

namespace fs = std::filesystem;

namespace {

const fs::path ScriptsDir = HOST_SCRIPTS_DIR;

struct TResult {
    int ExitCode;
    std::string Out;
    std::string Err;
};

// A host with the test components, in a working folder of its own; regional settings restored.
class ScriptHost {
public:
    ScriptHost() : FSaved{ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat}
    {
        std::string pattern = (fs::temp_directory_path() / "dscript-XXXXXX").string();
        FFolder = mkdtemp(pattern.data());
        FOldFolder = fs::current_path();
        fs::current_path(FFolder);
        RegisterTestComponents();
        ShortDateFormat = "dd/mm/yyyy";
        LongDateFormat = "d mmmm yyyy";
        ShortTimeFormat = "hh:nn";
        LongTimeFormat = "hh:nn:ss";
    }
    ~ScriptHost()
    {
        ShortDateFormat = FSaved[0];
        LongDateFormat = FSaved[1];
        ShortTimeFormat = FSaved[2];
        LongTimeFormat = FSaved[3];
        fs::current_path(FOldFolder);
        fs::remove_all(FFolder);
    }

    TResult Run(std::string_view script)
    {
        std::ostringstream out, err;
        int code = TScriptRunner(FHost, out, err).Run(script);
        return {code, out.str(), err.str()};
    }
    TDesignHost& Host() { return FHost; }

private:
    AnsiString FSaved[4];
    fs::path FFolder;
    fs::path FOldFolder;
    TDesignHost FHost;
};

class ScriptFile : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ScriptFile, TraceIsTheExpectedOne)
{
    const fs::path base = ScriptsDir / GetParam();
    const std::string expectedErr =
        fs::exists(base.string() + ".stderr") ? ReadText(base.string() + ".stderr") : std::string();
    ScriptHost host;
    TResult result = host.Run(ReadText(base.string() + ".dscript"));
    EXPECT_EQ(result.Out, ReadText(base.string() + ".expected"));
    EXPECT_EQ(result.Err, expectedErr);
    EXPECT_EQ(result.ExitCode, expectedErr.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptFile, testing::ValuesIn(ScriptNames(ScriptsDir)), ScriptTestName);

TEST(ScriptSyntax, ErrorsNameTheirLine)
{
    struct Case {
        const char* Script;
        const char* Error;
    };
    const Case cases[] = {
        {"form F\n\nset \"Caption x\n", "script error: line 3: unclosed quote\n"},
        {"form F\nfrobnicate\n", "script error: line 2: unknown command frobnicate\n"},
        {"form F\nclick btOk\n", "script error: line 2: click is a command for inside a dialog block\n"},
        {"dialog\n  set Caption x\nend\n", "script error: line 2: set is not a command inside a dialog block\n"},
        {"form F\nend\n", "script error: line 2: end without dialog\n"},
        {"form F\ndialog\n  dialog\n  end\n", "script error: line 2: dialog without end\n"},
        {"form F G\n", "script error: line 1: usage: form NAME\n"},
        {"set a\"b\" c\n", "script error: line 1: a quote inside a word\n"},
        {"get \"A.B\"x\n", "script error: line 1: a quoted word must be followed by a blank\n"},
    };
    for (const Case& c : cases) {
        ScriptHost host;
        TResult result = host.Run(c.Script);
        EXPECT_EQ(result.Err, c.Error) << c.Script;
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Out, "");  // nothing runs before the whole script is checked
    }
}

TEST(ScriptSyntax, WordsQuotesAndComments)
{
    EXPECT_EQ(SplitScriptLine(R"(set  Caption "a \"b\" \\ c\d" # note)", 1),
              (std::vector<AnsiString>{"set", "Caption", R"(a "b" \ c\d)"}));
    EXPECT_EQ(SplitScriptLine("answer raise \"#1 # not a comment\"\t# comment", 1),
              (std::vector<AnsiString>{"answer", "raise", "#1 # not a comment"}));
    EXPECT_EQ(SplitScriptLine("  \"\"  x\r", 1), (std::vector<AnsiString>{"", "x"}));
    EXPECT_TRUE(SplitScriptLine("   # only a comment", 1).empty());
    // CRLF lines and a byte order mark, as editors on other systems write them.
    std::vector<TScriptCommand> commands = ParseScript("\xEF\xBB\xBF" "form F\r\ndialog\r\n  ok\r\nend\r\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].Name, "form");
    EXPECT_EQ(commands[1].Block.size(), 1u);
    EXPECT_EQ(commands[1].EndLine, 4);
}

TEST(ScriptRun, AnswersAndBlocksLeftUnusedAreScriptErrors)
{
    // A test must not pass because its dialog never appeared: what the next command leaves
    // unused, or the end of the script, fails the script at that point.
    const struct {
        const char* Script;
        const char* Out;
        const char* Err;
    } cases[] = {
        {"form F\nadd TTestWidget W\nselect W\nanswer color cancel\nvalue Color\n", "modified\nColor = clWindow\n",
         "script error: line 5: the answer of line 4 was left unused: no dialog opened for it\n"},
        {"form F\nadd TTestWidget W\ndialog\n  ok\nend\nmodified\n", "modified\nmodified = true\n",
         "script error: line 6: the dialog block of line 3 was left unused: no modal form opened for it\n"},
        {"form F\nanswer color 0x00000102\n", "",
         "script error: line 2: the answer was left unused: no dialog opened for it before the script ended\n"},
        {"form F\ndialog\nend\n", "",
         "script error: line 2: the dialog block was left unused: no modal form opened for it before the script "
         "ended\n"},
        // Used ones are fine, a block and an answer inside it alike.
        {"form F\nadd TTestWidget W\nselect W\nanswer color 0x00000102\nedit Color\nvalue Color\n",
         "modified\ncolor dialog: color=0x80000005 -> 0x00000102\nmodified\nColor = $00000102\n", ""},
    };
    for (const auto& c : cases) {
        ScriptHost host;
        TResult result = host.Run(c.Script);
        EXPECT_EQ(result.Out, c.Out) << c.Script;
        EXPECT_EQ(result.Err, c.Err) << c.Script;
        EXPECT_EQ(result.ExitCode, *c.Err ? 1 : 0) << c.Script;
    }
}

TEST(ScriptRun, TheHostKeepsNothingOfARunButTheForms)
{
    ScriptHost host;
    // A designer window's own observer and listener are back after the run.
    TInteractionObserver window;
    Interaction::SetObserver(&window);
    int windowHeard = 0;
    host.Host().SetOnModified([&](TDesigner&) { ++windowHeard; });
    // The run ends in a script error, with an answer and a block still queued.
    ASSERT_EQ(host.Run("form F\nadd TTestWidget W\nanswer color cancel\ndialog\nend\n").ExitCode, 1);
    EXPECT_FALSE(Interaction::HasAnswer());
    EXPECT_FALSE(Interaction::HasModalHandler());
    EXPECT_EQ(&Interaction::Observer(), &window);
    EXPECT_EQ(windowHeard, 1);  // told of the `add` during the run, as the trace was
    Interaction::SetObserver(nullptr);
    ASSERT_NE(host.Host().CurrentForm(), nullptr);
    EXPECT_NE(host.Host().CurrentForm()->GetComponent("W"), nullptr);
    // One host at a time; a refused second one leaves the first one's registry in place.
    EXPECT_THROW(TDesignHost(), EInvalidOperation);
    EXPECT_EQ(DesignRegistry(), &host.Host().Registry());
    // A second run goes on with the same form.
    EXPECT_EQ(host.Run("get W.Name\n").Out, "W.Name = W\n");
}

TEST(ScriptRun, ActionsNoPersonCouldTakeAreScriptErrors)
{
    struct Case {
        const char* Script;
        const char* Error;
    };
    const Case cases[] = {
        {"add TTestWidget W\n", "line 1: no form: start one with form NAME"},
        {"form F\nadd TNoSuch W\n", "line 2: no class TNoSuch on the palette"},
        {"form F\nadd TTestWidget W\nselect W\nset Formats x\n", "line 4: the row Formats is read-only"},
        {"form F\nadd TTestWidget W\nselect W\nvalue Nope\n", "line 4: the inspector has no row Nope"},
        {"form F\nadd TTestWidget W\nvalue Name\n", "line 3: nothing is selected: select NAME first"},
        {"form F\nadd TTestWidget W\nverb W 3\n", "line 3: W has no verb 3 (it has 3)"},
        {"form F\nadd TTestWidget W\nverb W x\n", "line 3: x is not a number"},
        {"form F\ndelete F\n", "line 2: the form itself cannot be deleted"},
        {"form F\nadd TTestWidget W\nget W\n", "line 3: usage: get NAME.PROP"},
        {"form F\nadd TTestWidget W\nget W.Formats.Nope\n", "line 3: TTestWidget has no property Formats.Nope"},
        {"regional ShortDate x\n", "line 1: no regional setting ShortDate"},
        {"answer colour red\n", "line 1: usage: answer color|open|save|raise VALUE"},
        {"answer color notacolour\n", "line 1: notacolour is no colour"},
        {"form F\nadd TTestWidget W\ndialog\n  screenshot x.png\nend\nverb W 2\n",
         "line 4: screenshot needs a widget set that draws (the Qt designer)"},
        {"form F\nadd TTestWidget W\ndialog\n  choose cbxKind 3\nend\nverb W 2\n", "line 4: cbxKind has no entry 3"},
        {"form F\nadd TTestWidget W\ndialog\n  pick lbItems Alpha Delta\nend\nverb W 2\n",
         "line 4: lbItems has no entry Delta"},
        {"form F\nadd TTestWidget W\ndialog\n  key btOk x\nend\nverb W 2\n", "line 4: x is not a number"},
        {"form F\nadd TTestWidget W\ndialog\n  list btOk\nend\nverb W 2\n", "line 4: btOk is no list or combo box"},
    };
    for (const Case& c : cases) {
        ScriptHost host;
        TResult result = host.Run(c.Script);
        EXPECT_EQ(result.Err, std::string("script error: ") + c.Error + "\n") << c.Script;
        EXPECT_EQ(result.ExitCode, 1);
    }
}

TEST(ScriptRun, OkWithADisabledOkButtonIsAScriptErrorAndNothingIsWritten)
{
    ScriptHost host;
    // The test dialog greys its OK button for a widget whose file name is "locked".
    TResult result = host.Run("form F\nadd TTestWidget W\nselect W\nset FileName locked\n"
                              "dialog\n  enabled btOk\n  ok\nend\nverb W 2\n");
    EXPECT_EQ(result.Out, "modified\nmodified\ndialog: TTestDialog \"W -- Test Dialog\"\nbtOk enabled = false\n");
    EXPECT_EQ(result.Err, "script error: line 7: the ok button of TTestDialog cannot be pressed\n");
    EXPECT_EQ(static_cast<TTestWidget*>(host.Host().CurrentForm()->GetComponent("W"))->FileName, "locked");
    EXPECT_EQ(Screen->FormCount(), 1);  // the dialog was freed on the way out; the designed form stays
}

TEST(ScriptRun, TraceLinesShowControlBytesAsHex)
{
    // Quoted texts keep \" \\ and \n as scripts write them; every other control byte, quoted or
    // not, is \xHH, so a trace cannot drive the terminal it is printed on.
    EXPECT_EQ(QuoteTraceText("a\"b\\c\nd\x01\x1B[31m\x7F\t\r"), R"("a\"b\\c\nd\x01\x1B[31m\x7F\x09\x0D")");
    EXPECT_EQ(PrintableTraceText("a\"b\\c\nd\x01\x7F"), R"(a"b\c\x0Ad\x01\x7F)");

    ScriptHost host;
    TResult result = host.Run("form F\nadd TTestWidget W\nselect W\nset FileName \"ctl\x01\x1B[31m.txt\"\n"
                              "value FileName\nget W.FileName\ninspector FileName\n"
                              "dialog\n  answer open \"a\\\"b\\\\c\x7F\"\n  click btOpen\n  get Self.Choice\n"
                              "  click btMessage\n  cancel\nend\nverb W 2\ninstall \"ctl\x01.so\"\npackages\n");
    EXPECT_EQ(result.Err, "");
    const char* const lines[] = {
        R"(FileName = ctl\x01\x1B[31m.txt)",
        R"(W.FileName = ctl\x01\x1B[31m.txt)",
        R"(row*: FileName = ctl\x01\x1B[31m.txt)",
        R"(open dialog: title="" filter="Text files (*.txt)|*.txt" defaultext="txt" )"
        R"(filename="ctl\x01\x1B[31m.txt" -> "a\"b\\c\x7F.txt")",
        R"(Self.Choice = a"b\c\x7F.txt)",
        R"(message: "Choice is \"a\"b\\c\x7F.txt\"")",
        R"(package: ctl\x01.so state=failed reason="ctl\x01.so: no such file")",
    };
    for (const char* line : lines)
        EXPECT_NE(result.Out.find(std::string("\n") + line), std::string::npos) << line << "\n" << result.Out;
    const std::string controls = {'\0', '\x01', '\x1B', '\x7F'};
    EXPECT_EQ(result.Out.find_first_of(controls), std::string::npos);
}
