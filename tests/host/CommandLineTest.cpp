// drowcast-host as a person runs it: its output, its one-line errors and its exit status.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

// Runs the host with `args` (already quoted for the shell) and `input` on standard input, in
// the folder `workIn` when one is given. `redirects` come last, so they win over the run's own
// (" >/dev/full" sends standard output there).
TRun RunHost(const std::string& args, const std::string& input = "", const fs::path& workIn = {},
             const std::string& redirects = {})
{
    fs::path dir = fs::temp_directory_path() / ("drowcast-cli-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in") << input;
    std::string command = (workIn.empty() ? std::string() : "cd '" + workIn.string() + "' && ") + "'" +
                          DROWCAST_HOST + "' " + args + " <'" + (dir / "in").string() + "' >'" +
                          (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'" + redirects;
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
    EXPECT_EQ(run.Err.rfind("drowcast-host: ", 0), 0u) << run.Err;
    EXPECT_NE(run.Err.find(part), std::string::npos) << run.Err;
}

}  // namespace

TEST(CommandLine, RegistrationsOfTheBuiltPackage)
{
    // The package beside the host is the default.
    TRun byDefault = RunHost("registrations");
    EXPECT_EQ(byDefault.Err, "");
    EXPECT_EQ(byDefault.Status, 0);
    // The page with its ten classes, the seventeen property-editor rows and the two
    // component-editor rows, each in the order the package registers them.
    std::ifstream expected(REGISTRATIONS_EXPECTED, std::ios::binary);
    EXPECT_EQ(byDefault.Out, std::string(std::istreambuf_iterator<char>(expected), {}));
    EXPECT_EQ(RunHost(std::string("registrations '") + PACKAGE_FILE + "'").Out, byDefault.Out);
}

TEST(CommandLine, ScriptFromStandardInputWithThePackageLoaded)
{
    TRun run = RunHost("script -", "palette\nform F\nadd TSQLiteDataSet Table1\nforms\nmodified\nget Table1.Name\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "Data Access: TSQLiteDataSet, TPgDataSet\nTarnel Lumatab: TKExportDialog, TKExcelExport, TKRTFExport, "
                       "TKHTMLExport, TKXMLExport, TKDBFExport, TKASCIIExport, TKSQLExport, TKLaTeXExport, "
                       "TKClipboardExport\nmodified\nforms = 0\nmodified = true\nTable1.Name = Table1\n");

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
    ExpectOneLineError(RunHost("info nope.so"), "nope.so: no such file");
    ExpectOneLineError(RunHost("resource NOPE"), "has no resource NOPE");
    ExpectOneLineError(RunHost("resource --bmp PACKAGEINFO"), "PACKAGEINFO is no bitmap resource");
    TRun help = RunHost("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("registrations"), std::string::npos);
    // The script language's guide is named where a person asks how to write a script.
    TRun scriptHelp = RunHost("script --help");
    EXPECT_NE(scriptHelp.Out.find(DESIGNER_SCRIPTS_GUIDE), std::string::npos) << scriptHelp.Out;
    EXPECT_TRUE(fs::exists(DESIGNER_SCRIPTS_GUIDE));
}

TEST(CommandLine, ABitmapResourceAsABmpFile)
{
    // The palette icons: 24 x 24, 16 colours, so the pixels start after 14 + 40 + 16 * 4 bytes.
    const TRun raw = RunHost("resource TKHTMLEXPORT");
    const TRun bmp = RunHost("resource --bmp TKHTMLEXPORT");
    ASSERT_EQ(bmp.Status, 0) << bmp.Err;
    ASSERT_EQ(bmp.Out.size(), 14 + raw.Out.size());
    auto u32 = [&bmp](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bmp.Out[at]) | static_cast<uint8_t>(bmp.Out[at + 1]) << 8 |
                                     static_cast<uint8_t>(bmp.Out[at + 2]) << 16 |
                                     static_cast<uint8_t>(bmp.Out[at + 3]) << 24);
    };
    EXPECT_EQ(bmp.Out.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), bmp.Out.size());
    EXPECT_EQ(u32(10), 14u + 40 + 16 * 4);
    EXPECT_EQ(bmp.Out.substr(14), raw.Out);
}

TEST(CommandLine, FilesThatAreNoPackageAreRefusedWithTheReasonNotRun)
{
    fs::path dir = fs::temp_directory_path() / ("drowcast-cli-files-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.so");
    std::ofstream(dir / "empty.so");
    std::ofstream(dir / "text.so") << "hello";
    std::ofstream(dir / "libc.so.6") << "not the system's";
    {
        std::ifstream in(PACKAGE_FILE, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        std::ofstream(dir / "half.so", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
        // The requires count of the PACKAGEINFO (flags 0x48000003, count 3, then the first
        // required package) made huge. The name makes the match the resource's, not code's.
        std::string patched = bytes;
        const size_t info = patched.find(std::string("\x03\x00\x00\x48\x03\x00\x00\x00\x00VCL50", 14));
        ASSERT_NE(info, std::string::npos);
        patched[info + 7] = 0x7F;
        std::ofstream(dir / "malformed.so", std::ios::binary) << patched;
    }
    const struct {
        const char* file;
        const char* says;
    } cases[] = {
        {"missing.so", "missing.so: no such file"},
        {"folder.so", "folder.so is not a file"},
        {"empty.so", "empty.so is not a package: the file is empty"},
        {"text.so", "text.so is not a package: not an ELF module"},
        {"half.so", "half.so is not a package"},
        {"malformed.so", "Malformed PACKAGEINFO: requires count"},
        // Named without a folder: the file here, not the library the system's search finds.
        {"libc.so.6", "libc.so.6 is not a package: not an ELF module"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ExpectOneLineError(RunHost(std::string("info ") + c.file, "", dir), c.says);
        ExpectOneLineError(RunHost(std::string("registrations ") + c.file, "", dir), c.says);
        ExpectOneLineError(RunHost(std::string("script --package ") + c.file + " -", "palette\n", dir), c.says);
    }
    // A shared library that is no package is told apart from a package before it is opened.
    ExpectOneLineError(RunHost(std::string("registrations '") +
                               (fs::path(DROWCAST_HOST).parent_path() / "libvcl50.so").string() + "'"),
                       "libvcl50.so is not a package: it has no resource directory");
    fs::remove_all(dir);
}

TEST(CommandLine, APackageNamedWithoutAFolderIsTheOneInTheWorkingFolder)
{
    const fs::path dir = fs::path(PACKAGE_FILE).parent_path();
    TRun run = RunHost("registrations DRowcastB5.so", "", dir);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, RunHost("registrations").Out);
}

namespace {

// Plays SCRIPT.dscript in `folder`: it succeeds and traces as SCRIPT.expected says.
void ExpectTraceAsExpected(const fs::path& script, const fs::path& folder)
{
    TRun run = RunHost("script '" + script.string() + ".dscript'", "", folder);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
    std::ifstream expected(script.string() + ".expected", std::ios::binary);
    EXPECT_EQ(run.Out, std::string(std::istreambuf_iterator<char>(expected), {}));
}

}  // namespace

TEST(CommandLine, TheInspectorExampleRunsAsTheReadmeShowsIt)
{
    TTempFolder folder("drowcast-example");
    ExpectTraceAsExpected(fs::path(EXAMPLES_DIR) / "inspector", folder.Path());
    EXPECT_TRUE(fs::exists(folder.Path() / "orders.dfm"));
}

// What a careless person or an attacker hands the host: files of gigabytes (sparse, so none are
// written), endless input, FIFOs that no one writes, folders, a full output device, control bytes
// and blocks nested without end. Each ends at once with its reason, and the host never grows
// to the size of what it was given.
TEST(CommandLine, HostileInputsEndWithTheirReasonWithoutBlockingOrGrowing)
{
    TTempFolder folder("drowcast-cli-probes");
    const fs::path dir = folder.Path();
    std::ofstream(dir / "big.so");
    fs::resize_file(dir / "big.so", 8ull << 30);
    std::ofstream(dir / "elf.so", std::ios::binary) << std::string("\x7F" "ELF\x02\x01\x01", 7);
    fs::resize_file(dir / "elf.so", 3ull << 30);
    std::ofstream(dir / "big.dscript");
    fs::resize_file(dir / "big.dscript", 3ull << 30);
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    fs::create_symlink("target.dfm", dir / "link.dfm");
    {
        std::mt19937 random(5);
        std::string junk(10u << 20, '\0');
        for (char& c : junk)
            c = static_cast<char>(random());
        std::ofstream(dir / "junk", std::ios::binary) << junk;
    }
    std::string nested;
    for (int i = 0; i < 300000; ++i)
        nested += "dialog\n";

    const struct {
        std::string Args, Input, Redirects;
        int Status;
        std::string Says;  // in the error line, or in the trace for a status of 0
    } probes[] = {
        {"info big.so", "", "", 1, "big.so is not a package: not an ELF module"},
        {"info elf.so", "", "", 1, "elf.so is not a package: the section table has entries of an unknown size"},
        {"script big.dscript", "", "", 1, "Cannot open file \"big.dscript\". File too large"},
        {"script -", "", " </dev/zero", 1, "Cannot read standard input. File too large"},
        {"script fifo", "", "", 1, "Cannot open file \"fifo\". Not a regular file"},
        {"script folder", "", "", 1, "Cannot open file \"folder\". Is a directory"},
        {"script -", "open fifo\n", "", 0, "Cannot open file \"fifo\". Not a regular file"},
        {"script -", "open folder\n", "", 0, "Cannot open file \"folder\". Is a directory"},
        {"script -", "open big.dscript\n", "", 0, "Cannot open file \"big.dscript\". File too large"},
        {"script -", "form F\nsave fifo\n", "", 0, "Not a regular file"},
        {"script -", "form F\nsave /dev/null\n", "", 0, "Not a regular file"},
        {"script -", "form F\nsave link.dfm\n", "", 0, ""},
        {"registrations", "", " >/dev/full", 1, "cannot write standard output: No space left on device"},
        {"script -", std::string("form F\nfoo\0bar\x1B[2J\n", 20), "", 1,
         "script error: line 2: unknown command foo\\x00bar\\x1B[2J"},
        {"script -", "open \"\x1B[2J\"\n", "", 0, "exception: EFOpenError: Cannot open file \"\\x1B[2J\""},
        {"script -", nested, "", 1, "script error: line 65: dialog blocks nest more than 64 deep"},
        // Ten megabytes of junk as a package, a script and a form.
        {"info junk", "", "", 1, "junk is not a package: not an ELF module"},
        {"script junk", "", "", 1, "script error: line "},
        {"script -", "open junk\n", "", 0, "exception: EReadError: Error reading form resource"},
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(p.Args + " | " + p.Input.substr(0, 20));
        TRun run = RunHost(p.Args, p.Input, dir, p.Redirects);
        if (p.Status == 0) {
            EXPECT_EQ(run.Status, 0) << run.Err;
            EXPECT_NE(run.Out.find(p.Says), std::string::npos) << run.Out;
        } else {
            EXPECT_EQ(run.Status, 1);
            EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
            EXPECT_NE(run.Err.find(p.Says), std::string::npos) << run.Err;
        }
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.dfm"));
    EXPECT_TRUE(fs::is_regular_file(dir / "target.dfm"));
    // The largest of the runs: far below the files' gigabytes, the 64 MiB input limit included.
    rusage children {};
    getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 512 * 1024) << "kB";
}

// The window's scripts on the inspector, the clipboard, stacked components, places after undo,
// a form file naming unknown classes the sample form's export dialog, its clipboard export and its exports trace alike without the
// window, beside the files the window's test gives them.
// The previews of the exports script: the template editor changed the page's colours and nothing
// else, the fields editor the table's columns and nothing else, and no preview touched the file
// that the export writes.
void ExpectPreviewsFollowTheEditors(const fs::path& folder)
{
    auto ReadText = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = ReadText(folder / "preview-before.html");
    const std::string styled = ReadText(folder / "preview-template.html");
    const std::string fields = ReadText(folder / "preview-fields.html");
    auto part = [](const std::string& page, const char* from, const char* to) {
        const size_t start = page.find(from);
        return start == std::string::npos ? std::string() : page.substr(start, page.find(to, start) - start);
    };
    EXPECT_NE(part(before, "<style>", "</style>"), part(styled, "<style>", "</style>"));
    EXPECT_EQ(part(before, "<table", "</table>"), part(styled, "<table", "</table>"));
    EXPECT_NE(part(before, "<table", "</table>").find("<td>3</td>"), std::string::npos) << "three records";
    EXPECT_EQ(part(styled, "<style>", "</style>"), part(fields, "<style>", "</style>"));
    const std::string header = part(fields, "<thead>", "</thead>");
    EXPECT_NE(header.find("customer_id"), std::string::npos) << header;
    EXPECT_EQ(header.find("product_id"), std::string::npos) << header;
    EXPECT_EQ(ReadText(folder / "preview.xml").find("<record>"), std::string::npos) << "no records asked for";
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST(CommandLine, TheWindowsScriptsTraceAsInTheWindow)
{
    const fs::path scripts = DESIGNER_SCRIPTS_DIR;
    for (const char* name :
         {"inspect-copy-paste", "overlapping", "places-and-rows", "unknown-names", "positions", "export-dialog",
          "clipboard-export", "exports"}) {
        SCOPED_TRACE(name);
        TTempFolder folder("drowcast-inspect");
        fs::copy_file(scripts / "unknown.dfm", folder.Path() / "unknown.dfm");
        fs::copy_file(fs::path(EXAMPLES_DIR) / "shop.dfm", folder.Path() / "shop.dfm");
        ASSERT_EQ(std::system(("sqlite3 '" + (folder.Path() / "shop.db").string() + "' < '" +
                               (fs::path(EXAMPLES_DIR) / "shop.sql").string() + "'")
                                  .c_str()),
                  0);
        ExpectTraceAsExpected(scripts / name, folder.Path());
        if (std::string_view(name) == "exports")
            ExpectPreviewsFollowTheEditors(folder.Path());
    }
}

namespace {

// Runs `args` (the program first) in `folder` with its configuration, state and caches there,
// under a limit of `maxFileSize` bytes on every file it writes, standard output and error among
// them, and with SIGXFSZ at its default, as a shell after `ulimit -f` starts a program.
TRun RunUnderFileSizeLimit(const std::vector<std::string>& args, const fs::path& folder, rlim_t maxFileSize)
{
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"})
        environment.push_back(std::string(name) + "=" + folder.string());
    environment.emplace_back("QT_QPA_PLATFORM=offscreen");
    auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> list;
        for (std::string& s : strings)
            list.push_back(s.data());
        list.push_back(nullptr);
        return list;
    };
    std::vector<std::string> argv = args;
    const std::vector<char*> argvList = pointers(argv), envList = pointers(environment);
    const std::string out = (folder / "out").string(), err = (folder / "err").string();
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{maxFileSize, maxFileSize};
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(folder.c_str()) != 0 ||
            signal(SIGXFSZ, SIG_DFL) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(127);
        execve(argvList[0], argvList.data(), envList.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), slurp(out), slurp(err)};
}

}  // namespace

// A save larger than the file size limit fails as any write error does, in both programs: the
// trace says why and goes on to its end, the old file stays and no temporary is left.
TEST(CommandLine, ASaveBeyondTheFileSizeLimitFailsAsAWriteError)
{
    const std::vector<std::string> runs[] = {{DROWCAST_HOST, "script", "save.dscript"},
                                             {DROWCAST_DESIGNER, "--script", "save.dscript"}};
    for (const std::vector<std::string>& args : runs) {
        SCOPED_TRACE(args[0]);
        TTempFolder folder("drowcast-fsize");
        const std::string old = "object F: TForm\nend\n";
        std::ofstream(folder.Path() / "old.dfm") << old;
        std::ofstream(folder.Path() / "big.dfm") << "object F: TForm\n  Caption = '" << std::string(100000, 'c')
                                                 << "'\nend\n";
        std::ofstream(folder.Path() / "save.dscript") << "open big.dfm\nsave old.dfm\nmodified\n";
        const TRun run = RunUnderFileSizeLimit(args, folder.Path(), 64 << 10);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "exception: EFCreateError: Cannot create file \"old.dfm\". File too large\n"
                           "modified = false\n");
        std::ifstream in(folder.Path() / "old.dfm");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), old);
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
}
