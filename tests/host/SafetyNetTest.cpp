// The designer's safety nets: the package report on packages that fail to install, each for its
// own reason, and the autosave that brings a killed designer's forms back.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "host/DesignHost.h"
#include "tests/ReadOnlyTree.h"
#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const fs::path Scripts = SAFETY_SCRIPTS_DIR;

// Plays the named script of Scripts with drowcast-host in `work`, the state folder inside it.
THostRun Play(const fs::path& work, const std::string& name)
{
    return PlayHostScript(DROWCAST_HOST, PACKAGE_FILE, work, ReadText(Scripts / (name + ".dscript")),
                          "XDG_STATE_HOME='" + (work / "state").string() + "'");
}

// The run with the paths of its state folder put as the expected traces write them.
THostRun Normalized(THostRun run, const fs::path& work)
{
    const std::string state = (work / "state").string();
    for (size_t at; (at = run.Out.find(state)) != std::string::npos;)
        run.Out.replace(at, state.size(), "STATE");
    run.Out = std::regex_replace(run.Out, std::regex("session-[A-Za-z0-9]{6}"), "session-XXXXXX");
    return run;
}

void ExpectTrace(const THostRun& run, const std::string& name, int status = 0)
{
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, status);
    EXPECT_EQ(run.Out, ReadText(Scripts / (name + ".expected")));
}

}  // namespace

TEST(SafetyNets, EveryFailedPackageIsReportedWithItsReason)
{
    TTempFolder work("drowcast-packages");
    // Under the names the script installs them by; DRowcastB5.so is the package loaded at start.
    const std::pair<const char*, const char*> packages[] = {
        {"notapackage.so", NOT_A_PACKAGE_FILE}, {"testmalformed.so", MALFORMED_PACKAGE_FILE},
        {"testneedsabsent.so", NEEDS_ABSENT_PACKAGE_FILE}, {"testrunonly.so", RUN_ONLY_PACKAGE_FILE},
        {"DRowcastB5.so", PACKAGE_FILE}, {"testraising.so", RAISING_PACKAGE_FILE}};
    for (const auto& [name, file] : packages)
        fs::create_symlink(file, work.Path() / name);
    ExpectTrace(Play(work.Path(), "packages"), "packages");
}

TEST(SafetyNets, AKilledDesignersFormComesBackWithEveryValue)
{
    TTempFolder work("drowcast-crash");
    ExpectTrace(Play(work.Path(), "crash"), "crash", 128 + SIGKILL);
    ExpectTrace(Play(work.Path(), "recover"), "recover");
    // Taken, and the new designer ended cleanly: nothing is left to offer.
    EXPECT_TRUE(fs::is_empty(work.Path() / "state" / "drowcast-designer"));
}

TEST(SafetyNets, RecoveryLeavesLiveSessionsAndKeepsWhatItCannotRead)
{
    TTempFolder state("drowcast-state");
    TDesignHost host;
    host.NewForm("Live").Modified();
    TAutosave live(state.Path());
    live.Write(host.Forms());

    // A session whose process died while writing: a good form, a damaged one, a temporary file,
    // and a form whose name a form with unsaved changes holds here.
    const fs::path dead = state.Path() / "session-dead";
    fs::create_directories(dead);
    std::ofstream(dead / "lock");
    std::ofstream(dead / "Good.dfm") << "object Good: TForm\nend\n";
    std::ofstream(dead / "Bad.dfm") << "object Bad: TForm\n";
    std::ofstream(dead / ".Good.dfm.99-0.tmp") << "object Half";
    std::ofstream(dead / "Live.dfm") << "object Live: TForm\nend\n";
    TDesigner* unsaved = host.CurrentForm();

    TAutosave next(state.Path());
    ASSERT_TRUE(next.HasOrphans());
    std::vector<std::string> opened, failed;
    next.RecoverOrphans([&](const fs::path& file) {
        try {
            opened.push_back(host.RecoverForm(file.string()).GetRoot()->Name());
            return true;
        } catch (const Exception&) {
            failed.push_back(file.filename().string());
            return false;
        }
    });
    EXPECT_EQ(opened, std::vector<std::string>{"Good"}) << "the live session's form is not taken";
    EXPECT_EQ(failed, (std::vector<std::string>{"Bad.dfm", "Live.dfm"}));
    EXPECT_TRUE(host.CurrentForm()->IsModified());
    EXPECT_EQ(host.Forms().front().get(), unsaved) << "unsaved work is not replaced";
    // Kept aside with its files, and not offered again.
    EXPECT_TRUE(fs::exists(state.Path() / "unrecovered-dead" / "Bad.dfm"));
    EXPECT_FALSE(next.HasOrphans());
}

// A designer killed after it recovered, before or after it autosaved, loses nothing: the crashed
// session stays until what came from it is autosaved anew, then goes, so each form comes back once.
TEST(SafetyNets, RecoveredFormsOutliveAnotherCrashAndComeBackOnce)
{
    TTempFolder work("drowcast-recrash");
    ExpectTrace(Play(work.Path(), "crash"), "crash", 128 + SIGKILL);
    ExpectTrace(Play(work.Path(), "recover-crash"), "recover-crash", 128 + SIGKILL);
    ExpectTrace(Play(work.Path(), "recover-autosave-crash"), "recover-autosave-crash", 128 + SIGKILL);
    ExpectTrace(Play(work.Path(), "recover"), "recover");
    EXPECT_TRUE(fs::is_empty(work.Path() / "state" / "drowcast-designer"));
}

// While a designer holds the forms it recovered, another designer is offered nothing; saved by
// the person, they are safe, and the crashed session goes.
TEST(SafetyNets, RecoveredFormsAreOfferedToNoSecondDesignerAndGoWhenSaved)
{
    TTempFolder work("drowcast-held");
    ExpectTrace(Play(work.Path(), "crash"), "crash", 128 + SIGKILL);
    const fs::path state = work.Path() / "state" / "drowcast-designer";
    setenv("XDG_STATE_HOME", (work.Path() / "state").c_str(), 1);
    TDesignHost host;
    unsetenv("XDG_STATE_HOME");
    host.InstallPackage(PACKAGE_FILE);
    const auto recovered = host.Commands().Recover();
    ASSERT_EQ(recovered.size(), 1u);
    ASSERT_NE(recovered[0].Form, nullptr);
    const THostRun second = PlayHostScript(DROWCAST_HOST, PACKAGE_FILE, work.Path(), "recover\n",
                                           "XDG_STATE_HOME='" + (work.Path() / "state").string() + "'");
    EXPECT_EQ(second.Out, "");
    EXPECT_FALSE(fs::is_empty(state)) << "kept while the form is unsaved";
    host.SaveForm(*recovered[0].Form, (work.Path() / "orders.dfm").string());
    EXPECT_TRUE(fs::is_empty(state));
}

// A crashed session in a folder that cannot be written is recovered read-only, said, and offered
// again once it can be removed.
TEST(SafetyNets, AReadOnlyStateFolderIsRecoveredAndSaysItStays)
{
    TTempFolder work("drowcast-read-only");
    ExpectTrace(Play(work.Path(), "crash"), "crash", 128 + SIGKILL);
    {
        TReadOnlyTree readOnly(work.Path() / "state");
        if (!readOnly.Made())
            GTEST_SKIP() << "this file system has no immutable attribute, which keeps root from writing a folder";
        EXPECT_TRUE(TAutosave(work.Path() / "state" / "drowcast-designer").HasOrphans()) << "the window offers it";
        ExpectTrace(Normalized(Play(work.Path(), "recover-read-only"), work.Path()), "recover-read-only");
    }
    ExpectTrace(Play(work.Path(), "recover"), "recover");
}

// No autosave is named after a form, whose name cannot be emptied; a file recovery cannot read is
// named in its error and kept aside with its session.
TEST(SafetyNets, AutosavesAreNumberedAndUnreadableOnesAreNamed)
{
    TTempFolder work("drowcast-names");
    ExpectTrace(Play(work.Path(), "names-crash"), "names-crash", 128 + SIGKILL);
    const fs::path state = work.Path() / "state" / "drowcast-designer";
    const fs::path session = fs::directory_iterator(state)->path();
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(session))
        files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"form-1.dfm", "lock"}));
    std::ofstream(session / "form-8.dfm") << "object TForm\nend\n";  // unnamed
    std::ofstream(session / "form-9.dfm") << "object Cut: TForm\n";
    ExpectTrace(Normalized(Play(work.Path(), "names-recover"), work.Path()), "names-recover");
    EXPECT_TRUE(fs::exists(state / ("unrecovered-" + session.filename().string().substr(8)) / "form-9.dfm"));
}
