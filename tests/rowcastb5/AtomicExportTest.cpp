// An export never leaves its file half written: killed, on a full disk or cancelled, the old file
// stays byte for byte; a killed one leaves at most its own temporary, which the next export
// removes.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "rowcastb5/Kasciiexport.h"
#include "tests/ChildProcess.h"
#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"
#include "tests/rowcastb5/Programs.h"
#include "vcldb50/Sqlitedataset.h"

namespace fs = std::filesystem;

namespace {

constexpr int Rows = 200000;
const std::string OldBytes = "the old export\r\nkept byte for byte\r\n";

// A CSV export of a table large enough (some 17 MB) to be caught in the middle.
class AtomicExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        sqlite3* db = nullptr;
        sqlite3_open((Dir / "big.db").c_str(), &db);
        const char* sql = "CREATE TABLE big (id INTEGER, name TEXT, amount REAL);"
                          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
                          "INSERT INTO big SELECT i, 'record ' || i || ', long enough to make the file large', "
                          "i * 0.25 FROM n;";
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
        std::ofstream(Dir / "form.dfm") << "object Form1: TForm\n"
                                           "  object Data: TSQLiteDataSet\n"
                                           "    DatabaseName = 'big.db'\n"
                                           "    TableName = 'big'\n"
                                           "  end\n"
                                           "  object CsvOut: TKASCIIExport\n"
                                           "    DataSet = Data\n"
                                           "    ExportType = etCSV\n"
                                           "    FileName = 'out.csv'\n"
                                           "  end\n"
                                           "end\n";
        std::ofstream(Dir / "out.csv", std::ios::binary) << OldBytes;
    }

    TProgram HostExport() const
    {
        return {{DROWCAST_HOST, "export", (Dir / "form.dfm").string()}, {}, Dir / "host.out", Dir / "host.err"};
    }

    // The temporaries beside out.csv, and their sizes.
    std::vector<std::pair<std::string, uintmax_t>> Temporaries() const
    {
        std::vector<std::pair<std::string, uintmax_t>> found;
        for (const auto& entry : fs::directory_iterator(Dir)) {
            const std::string name = entry.path().filename().string();
            std::error_code gone;  // the export may rename it meanwhile
            if (name.starts_with(".out.csv.") && name.ends_with(".tmp"))
                found.emplace_back(name, fs::file_size(entry.path(), gone));
        }
        return found;
    }

    TTempFolder Folder{"atomic-export"};
    const fs::path Dir = Folder.Path();
};

}  // namespace

TEST_F(AtomicExport, KilledInTheMiddleKeepsTheOldFileAndTheNextExportSweepsItsTemporary)
{
    const pid_t host = StartProgram(HostExport());
    // Caught once its temporary holds some buffers' worth of records, far from the end.
    bool growing = false;
    for (int i = 0; i < 20000 && !growing; ++i) {
        for (const auto& [name, size] : Temporaries())
            growing = growing || size >= (1u << 20);
        if (!growing)
            std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(host, SIGKILL);
    ASSERT_TRUE(growing) << "never saw the temporary grow";
    ASSERT_EQ(WaitProgram(host), 128 + SIGKILL) << "the export ended before it was killed";
    EXPECT_EQ(ReadText(Dir / "out.csv"), OldBytes);
    // A killed process removes nothing: its own temporary stays, and only that.
    const auto left = Temporaries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left[0].first.starts_with(".out.csv." + std::to_string(host) + "-")) << left[0].first;

    EXPECT_EQ(WaitProgram(StartProgram(HostExport())), 0) << ReadText(Dir / "host.err");
    EXPECT_TRUE(Temporaries().empty());
    const std::string written = ReadText(Dir / "out.csv");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), Rows + 1);
}

TEST_F(AtomicExport, AFullDiskFailsWithItsReasonAndKeepsTheOldFile)
{
    const TProgram program = HostExport();
    // Writes past 1 MiB fail with EFBIG, as on a disk that fills up.
    const int status = RunInChild(
        [&] {
            std::vector<char*> argv;
            for (const std::string& arg : program.Args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            if (!freopen(program.Err.c_str(), "w", stderr) || !freopen(program.Out.c_str(), "w", stdout))
                return 255;
            execv(argv[0], argv.data());
            return 255;
        },
        {.MaxFileSize = 1 << 20});
    EXPECT_EQ(status, 1);
    const std::string err = ReadText(program.Err);
    EXPECT_EQ(err.rfind("drowcast-host: CsvOut: ", 0), 0u) << err;
    EXPECT_NE(err.find("File too large"), std::string::npos) << err;
    EXPECT_EQ(ReadText(Dir / "out.csv"), OldBytes);
    EXPECT_TRUE(Temporaries().empty());
}

TEST_F(AtomicExport, CancelledFromTheProgressCallbackKeepsTheOldFile)
{
    TSQLiteDataSet data(nullptr);
    data.SetDatabaseName(Dir / "big.db");
    data.SetTableName("big");
    TKASCIIExport out(nullptr);
    out.SetDataSet(&data);
    out.SetExportType(etCSV);
    out.SetFileName((Dir / "out.csv").string());
    TExportOptions options;
    uintmax_t written = 0;
    options.OnProgress = [&](int64_t done, int64_t total) {
        EXPECT_EQ(total, Rows);
        for (const auto& [name, size] : Temporaries())
            written = std::max(written, size);
        return done < Rows / 2;
    };
    EXPECT_THROW(out.Export(options), EExportAborted);
    EXPECT_GT(written, 0u) << "cancelled before anything was written";
    EXPECT_EQ(ReadText(Dir / "out.csv"), OldBytes);
    EXPECT_TRUE(Temporaries().empty());
}
