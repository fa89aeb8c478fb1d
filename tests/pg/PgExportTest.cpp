// Exports from the server: every type through each export format, read back by a reader of the
// format's own; a server killed part way; and drowcast-host streaming a million records in
// bounded memory.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "rowcastb5/Kasciiexport.h"
#include "tests/TempFolder.h"
#include "tests/pg/PgTesting.h"
#include "vcldb50/Pgdataset.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

using TCells = std::vector<std::vector<std::string>>;

// Each format the library writes, made as a person sets it up, and read back independently.
struct TFormat {
    const char* Name;
    std::function<std::unique_ptr<TKFileExport>()> Make;
    std::function<TCells(const fs::path&)> Read;
};

const TFormat Formats[] = {
    {"CSV",
     [] {
         auto csv = std::make_unique<TKASCIIExport>(nullptr);
         csv->SetExportType(etCSV);
         return std::unique_ptr<TKFileExport>(std::move(csv));
     },
     [](const fs::path& path) { return ReadCsv(ReadFile(path)); }},
};

// The records of every_type as cells: header, a record of values, one of NULLs, one of edges.
const TCells EveryType = {
    {"id", "small", "large", "exact", "wide", "single", "double", "yes", "label", "code", "fixed", "day", "at",
     "moment", "instant", "data", "doc", "docb", "tag", "list", "words"},
    {"1", "32767", "9223372036854775807", "1234.5", "12345678901234567.891", "1.5", "0.1", "True",
     "say \"hi\", then; leave", "line one\r\nline two", "ab  ", "2024-02-29", "13:45:30.123", "2024-02-29 13:45:30",
     "2024-02-29 12:45:30", "00ff", "{\"a\": [1, \"x\"]}", "{\"b\": null}", "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11",
     "{1,2,NULL}", "{\"a b\",\"c,d\"}"},
    {"2", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
    {"3", "-32768", "-9223372036854775808", "NaN", "-1e-18", "-INF", "-2.5e-300", "False",
     "emoji \xF0\x9F\x98\x80 and \xC3\xBCn\xC3\xAF\x63\xC3\xB6\x64\xC3\xA9", "", "x   ", "infinity", "23:59:59.9996",
     "10000-01-01 00:00:00", "0044-03-15 12:00:00+00 BC", "", "[]", "{}", "00000000-0000-0000-0000-000000000000",
     "{}", "{}"},
};

struct TRun {
    int Status = -1;
    std::string Out, Err;
    long PeakKiB = 0;
};

// drowcast-host with `args`, in `folder`, its output caught and its peak memory measured.
TRun RunHost(const fs::path& folder, const std::vector<std::string>& args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (folder / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (folder / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = {const_cast<char*>(DROWCAST_HOST)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    TRun run;
    if (posix_spawn(&pid, DROWCAST_HOST, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status))
            run.Status = WEXITSTATUS(status);
        run.PeakKiB = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.Out = ReadFile(folder / "out");
    run.Err = ReadFile(folder / "err");
    return run;
}

// The quotes of a form file's string.
std::string FormString(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

TEST(PgExport, EveryTypeThroughEachFormatReadsBackAsStored)
{
    TTempFolder folder("pg-export");
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    dataSet.SetSQL("SELECT * FROM every_type ORDER BY id");
    for (const TFormat& format : Formats) {
        SCOPED_TRACE(format.Name);
        std::unique_ptr<TKFileExport> exporter = format.Make();
        exporter->SetDataSet(&dataSet);
        exporter->Formats()->SetDateFormat("yyyy-mm-dd");
        exporter->Formats()->SetTimeFormat("hh:nn:ss.zzz");
        exporter->Formats()->SetDateTimeFormat("yyyy-mm-dd hh:nn:ss");
        const fs::path file = folder.Path() / (std::string("every.") + format.Name);
        exporter->SetFileName(file.string());
        EXPECT_EQ(exporter->Export().Rows, 3);
        const TCells cells = format.Read(file);
        ASSERT_EQ(cells.size(), EveryType.size());
        for (size_t row = 0; row < cells.size(); ++row)
            for (size_t column = 0; column < EveryType[row].size(); ++column)
                EXPECT_EQ(cells[row].at(column), EveryType[row][column]) << EveryType[0][column] << " of record " << row;
        EXPECT_FALSE(dataSet.Active());  // opened for the export, closed after it
    }
}

TEST(PgExport, AServerKilledPartWayLeavesTheOldFile)
{
    TTempFolder folder("pg-killed");
    const fs::path file = folder.Path() / "numbers.csv";
    std::ofstream(file) << "the old file\r\n";
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    dataSet.SetSQL("SELECT i FROM generate_series(1, 1000000) i");
    TKASCIIExport exporter(nullptr);
    exporter.SetExportType(etCSV);
    exporter.SetDataSet(&dataSet);
    exporter.SetFileName(file.string());
    // The server comes back for the tests after this one, however this one ends.
    struct TRestart {
        bool Killed = false;
        ~TRestart()
        {
            if (Killed)
                PgServer().Start();
        }
    } restart;
    TExportOptions options;
    options.OnProgress = [&](int64_t done, int64_t) {
        if (done >= 5000 && !restart.Killed) {
            restart.Killed = true;
            PgServer().Kill();
        }
        return true;
    };
    try {
        exporter.Export(options);
        ADD_FAILURE() << "the export ended without its server";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message().find("Cannot run the SQL on '" + PgServer().ConnectionString() + "': "), 0u) << e.Message();
        EXPECT_NE(e.Message().find("server closed the connection unexpectedly"), AnsiString::npos) << e.Message();
    }
    EXPECT_TRUE(restart.Killed);
    EXPECT_EQ(ReadFile(file), "the old file\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

// A form that reads the server, run by drowcast-host as a nightly job would: a million records
// of eight fields go through without memory growing with them, and a dataset the server refuses
// ends its export with the reason and the old file kept.
TEST(PgExport, DrowcastHostStreamsAMillionRecordsInBoundedMemory)
{
    TTempFolder folder("pg-host");
    const std::string records =
        "SELECT i AS id, 'Customer ' || i AS name, i * 0.37 AS amount, i % 97 AS quantity, "
        "timestamp '2023-11-14 22:13:20' + i * interval '61 seconds' AS ordered, "
        "CASE WHEN i % 3 = 0 THEN NULL ELSE 'note, \"quoted\" ' || i END AS note, i % 2 = 1 AS paid, "
        "'C' || lpad(i::text, 8, '0') AS code FROM generate_series(1, 1000000) i";
    std::ofstream(folder.Path() / "nightly.dfm")
        << "object Nightly: TForm\n"
        << "  object Records: TPgDataSet\n    ConnectionString = " << FormString(PgServer().ConnectionString())
        << "\n    SQL = " << FormString(records) << "\n  end\n"
        << "  object Clerk: TPgDataSet\n    ConnectionString = " << FormString(PgServer().ConnectionString("clerk"))
        << "\n    TableName = 'orders'\n  end\n"
        << "  object Csv: TKASCIIExport\n    DataSet = Records\n    ExportType = etCSV\n    FileName = 'records.csv'\n  end\n"
        << "  object Refused: TKASCIIExport\n    DataSet = Clerk\n    ExportType = etCSV\n    FileName = 'orders.csv'\n  end\n"
        << "end\n";

    const TRun run = RunHost(folder.Path(), {"export", "nightly.dfm", "Csv"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "exported: Csv rows=1000000 -> records.csv\n");
    const std::string csv = ReadFile(folder.Path() / "records.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1000001);
    EXPECT_NE(csv.find("\r\n1000000,Customer 1000000,370000,27,"), std::string::npos);
#ifndef DROWCAST_SANITIZED
    // A sanitizer's shadow memory and quarantine are not the export's.
    EXPECT_LT(run.PeakKiB, 64 * 1024);
#endif

    std::ofstream(folder.Path() / "orders.csv") << "the old file\r\n";
    const TRun refused = RunHost(folder.Path(), {"export", "nightly.dfm", "Refused"});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, "drowcast-host: Refused: Cannot connect to '" + PgServer().ConnectionString("clerk") +
                               "': connection to server on socket \"" + (PgServer().Folder() / ".s.PGSQL.5432").string() +
                               "\" failed: FATAL: password authentication failed for user \"clerk\"\n");
    EXPECT_EQ(ReadFile(folder.Path() / "orders.csv"), "the old file\r\n");
}
