// The host's designer scripts under both widget sets: the Qt one runs each dialog block in a
// real window, inside its own modal loop, and must print exactly what the headless one prints.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/ScriptRunner.h"
#include "tests/ScriptFiles.h"
#include "tests/host/TestComponents.h"
#include "tests/qt/QtTestApp.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace fs = std::filesystem;

namespace {

const fs::path ScriptsDir = HOST_SCRIPTS_DIR;

struct TRun {
    int ExitCode;
    std::string Out;
    std::string Err;
    bool operator==(const TRun&) const = default;
};

// One run in a fresh host and working folder, with the regional settings the scripts expect.
TRun Play(const std::string& script, std::unique_ptr<TWidgetSet> widgetSet)
{
    AnsiString saved[] = {ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat};
    std::string pattern = (fs::temp_directory_path() / "qt-dscript-XXXXXX").string();
    fs::path folder = mkdtemp(pattern.data());
    fs::path old = fs::current_path();
    fs::current_path(folder);
    ShortDateFormat = "dd/mm/yyyy";
    LongDateFormat = "d mmmm yyyy";
    ShortTimeFormat = "hh:nn";
    LongTimeFormat = "hh:nn:ss";
    SetWidgetSet(std::move(widgetSet));
    std::ostringstream out, err;
    int code;
    {
        TDesignHost host;
        RegisterTestComponents();
        code = TScriptRunner(host, out, err).Run(script);
    }
    SetWidgetSet(nullptr);
    ShortDateFormat = saved[0];
    LongDateFormat = saved[1];
    ShortTimeFormat = saved[2];
    LongTimeFormat = saved[3];
    fs::current_path(old);
    fs::remove_all(folder);
    return {code, out.str(), err.str()};
}

class QtScriptTrace : public testing::TestWithParam<std::string> {};

TEST_P(QtScriptTrace, SameTraceAsHeadless)
{
    TestApp();
    std::string script = ReadText(ScriptsDir / (GetParam() + ".dscript"));
    TRun headless = Play(script, nullptr);
    TRun qt = Play(script, std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
    EXPECT_EQ(qt.Out, headless.Out);
    EXPECT_EQ(qt.Err, headless.Err);
    EXPECT_EQ(qt.ExitCode, headless.ExitCode);
    EXPECT_EQ(qt.Out, ReadText(ScriptsDir / (GetParam() + ".expected")));
}

INSTANTIATE_TEST_SUITE_P(Scripts, QtScriptTrace, testing::ValuesIn(ScriptNames(ScriptsDir)), ScriptTestName);

}  // namespace
