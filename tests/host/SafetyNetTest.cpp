// The designer's safety nets: the package report on packages that fail to install, each for its
// own reason, and the autosave that brings a killed designer's forms back.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "host/DesignHost.h"
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
