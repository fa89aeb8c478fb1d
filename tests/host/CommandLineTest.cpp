// drowcast-host as a person runs it: its output, its one-line errors and its exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

// Runs the host with `args` (already quoted for the shell) and `input` on standard input.
TRun RunHost(const std::string& args, const std::string& input = "")
{
    fs::path dir = fs::temp_directory_path() / ("drowcast-cli-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in") << input;
    std::string command = std::string("'") + DROWCAST_HOST + "' " + args + " <'" + (dir / "in").string() + "' >'" +
                          (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
    int status = std::system(command.c_str());
    auto slurp = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "out"), slurp(dir / "err")};
    fs::remove_all(dir);
    return run;
}

void ExpectOneLineError(const TRun& run, const std::string& part)
{
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_NE(run.Err.find(part), std::string::npos) << run.Err;
}

}  // namespace

TEST(CommandLine, RegistrationsOfTheBuiltPackage)
{
    // The package beside the host is the default; its Register makes no calls yet.
    const std::string empty = "palette pages: 0\nproperty editors: 0\ncomponent editors: 0\n";
    TRun byDefault = RunHost("registrations");
    EXPECT_EQ(byDefault.Err, "");
    EXPECT_EQ(byDefault.Status, 0);
    EXPECT_EQ(byDefault.Out, empty);
    EXPECT_EQ(RunHost(std::string("registrations '") + PACKAGE_FILE + "'").Out, empty);
}

TEST(CommandLine, ScriptFromStandardInputWithThePackageLoaded)
{
    TRun run = RunHost("script -", "palette\nform F\nadd TSQLiteDataSet Table1\nforms\nmodified\nget Table1.Name\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "Data Access: TSQLiteDataSet\nmodified\nforms = 0\nmodified = true\nTable1.Name = Table1\n");

    TRun failing = RunHost(std::string("script --package '") + PACKAGE_FILE + "' -", "form F\n\nadd TNoSuch X\n");
    EXPECT_EQ(failing.Status, 1);
    EXPECT_EQ(failing.Err, "script error: line 3: no class TNoSuch on the palette\n");
}

TEST(CommandLine, ErrorsAreOneLineAndStatusOne)
{
    ExpectOneLineError(RunHost(""), "subcommand");
    ExpectOneLineError(RunHost("frobnicate"), "unknown command frobnicate");
    ExpectOneLineError(RunHost("registrations /no/such/package.so"), "/no/such/package.so");
    ExpectOneLineError(RunHost("script --package /no/such/package.so -"), "/no/such/package.so");
    ExpectOneLineError(RunHost("script /no/such/script.dscript"), "/no/such/script.dscript");
    ExpectOneLineError(RunHost("script"), "FILE");
    ExpectOneLineError(RunHost("registrations a b"), "b");
    // A shared library that is no package: it is refused, not run.
    ExpectOneLineError(RunHost(std::string("registrations '") +
                               (fs::path(DROWCAST_HOST).parent_path() / "libvcl50.so").string() + "'"),
                       "libvcl50.so");
    TRun help = RunHost("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("registrations"), std::string::npos);
}
