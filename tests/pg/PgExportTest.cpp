// Exports from the server: every type through each export format, each read back by the reader
// the library's own tests use for it; a server killed part way; and drowcast-host streaming a
// million records in bounded memory.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "rowcastb5/Kasciiexport.h"
#include "tests/TempFolder.h"
#include "tests/pg/PgTesting.h"
#include "tests/rowcastb5/LibreOffice.h"
#include "tests/rowcastb5/Programs.h"
#include "vcldb50/Pgdataset.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

using TCells = std::vector<std::vector<std::string>>;

// How each format's file is read back: as the library's own tests read it (LibreOffice for the
// spreadsheet formats, html5lib, expat, dbfread, pdflatex), the SQL script by the server itself,
// CSV by the test's own reader. Plain text has no reader there either: its tests go byte by byte.
enum TReader { NoReader, CsvReader, Office, Xml, Html, Dbf, Sql, Latex };

struct TFormat {
    const char* Name;
    const char* Class;
    const char* Settings;
    const char* File;
    TReader Reader;
    const char* InFilter = "";  // how LibreOffice opens it
};

const TFormat Formats[] = {
    {"Csv", "TKASCIIExport", "ExportType = etCSV", "csv.csv", CsvReader},
    {"Text", "TKASCIIExport", "ExportType = etText", "text.txt", NoReader},
    {"Dif", "TKASCIIExport", "ExportType = etDIF", "dif.dif", Office},
    {"Sylk", "TKASCIIExport", "ExportType = etSYLK", "sylk.slk", Office},
    {"Excel", "TKExcelExport", "", "excel.xlsx", Office},
    {"Rtf", "TKRTFExport", "", "rtf.rtf", Office, "Rich Text Format (StarCalc)"},
    {"Dbf", "TKDBFExport", "", "dbf.dbf", Dbf},
    {"Html", "TKHTMLExport", "", "html.html", Html},
    {"Xml", "TKXMLExport", "", "xml.xml", Xml},
    {"Sql", "TKSQLExport", "", "sql.sql", Sql},
    {"Latex", "TKLaTeXExport", "", "latex.tex", Latex},
};

const char* const Null = "\x1d";  // how the readers say NULL

// every_type as people read it under the formats the test sets: a record of values, one of
// NULLs, one of each type's edges. A number is marked, for the readers that tell numbers apart.
const std::vector<std::string> Columns = {"id", "small", "large", "exact", "wide", "single", "double",
                                          "yes", "label", "code", "fixed", "day", "at", "moment",
                                          "instant", "data", "doc", "docb", "tag", "list", "words"};
const TCells People = {
    Columns,
    {"#1", "#32767", "#9223372036854775807", "#1234.5", "12345678901234567.891", "#1.5", "#0.1", "True",
     "say \"hi\", then; leave", "line one\r\nline two", "ab  ", "2024-02-29", "13:45:30.123", "2024-02-29 13:45:30",
     "2024-02-29 12:45:30", "00ff", "{\"a\": [1, \"x\"]}", "{\"b\": null}", "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11",
     "{1,2,NULL}", "{\"a b\",\"c,d\"}"},
    {"#2", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
    {"#3", "#-32768", "#-9223372036854775808", "NaN", "#-1e-18", "-INF", "#-2.5e-300", "False",
     "emoji \xF0\x9F\x98\x80 and \xC3\xBCn\xC3\xAF\x63\xC3\xB6\x64\xC3\xA9", "", "x   ", "infinity", "23:59:59.9996",
     "10000-01-01 00:00:00", "0044-03-15 12:00:00+00 BC", "", "[]", "{}", "00000000-0000-0000-0000-000000000000",
     "{}", "{}"},
};

// Where a format, or its reader, shows a cell otherwise; each with the reason.
struct TShownOtherwise {
    const char* Format;
    size_t Row;
    const char* Column;
    const char* Shown;  // null: the column is not in the file
};

const TShownOtherwise Otherwise[] = {
    // Machine forms, NULL kept.
    {"Xml", 1, "yes", "true"}, {"Xml", 3, "yes", "false"},
    {"Xml", 1, "moment", "2024-02-29T13:45:30"}, {"Xml", 1, "instant", "2024-02-29T12:45:30"},
    {"Sql", 1, "yes", "t"}, {"Sql", 3, "yes", "f"}, {"Sql", 3, "single", "-Infinity"},
    {"Sql", 1, "data", "0000000011111111"},  // bytes go in as a bit string
    // dBase III has no memo or binary fields, and pads text with blanks.
    {"Dbf", 0, "data", nullptr}, {"Dbf", 0, "doc", nullptr}, {"Dbf", 0, "docb", nullptr},
    {"Dbf", 1, "fixed", "ab"}, {"Dbf", 3, "fixed", "x"},
    {"Html", 1, "code", "line one\nline two"},  // the parser makes CR LF one LF
    // DIF holds no line break in a value, and names no character set: LibreOffice reads Windows-1252.
    {"Dif", 1, "code", "line one line two"},
    {"Sylk", 1, "code", "line one\nline two"},  // one line break in a cell, however written
    {"Dif", 3, "label", "emoji \xC3\xB0\xC5\xB8\xCB\x9C\xE2\x82\xAC and \xC3\x83\xC2\xBCn\xC3\x83\xC2\xAF\x63\xC3\x83"
                        "\xC2\xB6\x64\xC3\x83\xC2\xA9"},
    // Integers past 2^53 are text, so that no digit is lost; dates and truth values typed.
    {"Excel", 1, "code", "line one\nline two"},
    {"Excel", 1, "large", "9223372036854775807"}, {"Excel", 3, "large", "-9223372036854775808"},
    {"Excel", 1, "yes", "#TRUE"}, {"Excel", 3, "yes", "#FALSE"},
    {"Excel", 1, "day", "#2024-02-29"}, {"Excel", 1, "at", "#13:45:30.123"},
    {"Excel", 1, "moment", "#2024-02-29 13:45:30"}, {"Excel", 1, "instant", "#2024-02-29 12:45:30"},
    // RTF has no types: LibreOffice types what reads as a number, a date or a truth value.
    {"Rtf", 1, "code", "line one line two"}, {"Rtf", 1, "wide", "#12345678901234567.891"},
    {"Rtf", 1, "yes", "#TRUE"}, {"Rtf", 3, "yes", "#FALSE"},
    {"Rtf", 1, "day", "#2024-02-29"}, {"Rtf", 1, "at", "#13:45:30.12"}, {"Rtf", 3, "at", "#24:00:00.00"},
    {"Rtf", 1, "moment", "#2024-02-29 13:45:30"}, {"Rtf", 3, "moment", "#10000-01-01 00:00:00"},
    {"Rtf", 1, "instant", "#2024-02-29 12:45:30"},
};

// The cells `format` should read back as: numbers unmarked where its reader does not tell them
// apart, NULL as its reader says it.
TCells Expected(const TFormat& format)
{
    TCells cells = People;
    std::vector<size_t> absent;
    for (const TShownOtherwise& o : Otherwise)
        if (o.Format == std::string_view(format.Name)) {
            const size_t column = std::find(Columns.begin(), Columns.end(), o.Column) - Columns.begin();
            if (o.Shown)
                cells[o.Row][column] = o.Shown;
            else
                absent.push_back(column);
        }
    std::sort(absent.begin(), absent.end(), std::greater<>());  // the last first: the others keep their place
    for (auto& row : cells)
        for (size_t column : absent)
            row.erase(row.begin() + static_cast<std::ptrdiff_t>(column));
    for (auto& row : cells)
        for (std::string& cell : row) {
            if (format.Reader != Office && cell.starts_with('#'))
                cell.erase(0, 1);
            if (&row == &cells[2] && &cell != &row[0] && (format.Reader == Xml || format.Reader == Sql))
                cell = Null;
        }
    return cells;
}

// Why a cell LibreOffice read is not the expected one (a '#' first: a number); empty when it is.
std::string Mismatch(const std::string& expected, const TSheetCell& cell)
{
    if (!expected.starts_with('#'))
        return expected.empty() || cell.Quoted ? (cell.Text == expected ? "" : "not the text") : "not text";
    if (cell.Quoted)
        return "not a number";
    const std::string want = expected.substr(1);
    char* end = nullptr;
    const double wanted = std::strtod(want.c_str(), &end);
    if (*end)
        return cell.Text == want ? "" : "not the value";  // a date or truth value as the reader shows it
    const double got = std::strtod(cell.Text.c_str(), &end);
    // A spreadsheet shows 15 significant digits.
    return !*end && std::fabs(got - wanted) <= 1e-14 * std::fabs(wanted) ? "" : "not the number";
}

// A reader of the library's tests prints rows of cells, cells split by \x1f, rows by \x1e.
const std::map<TReader, const char*> PythonReaders = {
    {Xml, R"py(
import sys, xml.etree.ElementTree as ET
records = list(ET.parse(sys.argv[1]).getroot())
out = [[c.get('name', c.tag) for c in records[0]]]
out += [['\x1d' if c.get('null') == 'true' else c.text or '' for c in r] for r in records]
open(sys.argv[2], 'wb').write('\x1e'.join('\x1f'.join(r) for r in out).encode())
)py"},
    {Html, R"py(
import sys, html5lib
doc = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False).parse(open(sys.argv[1], 'rb'))
out = [[th.text or '' for th in doc.findall('body/table/thead/tr/th')]]
out += [[td.text or '' for td in tr] for tr in doc.findall('body/table/tbody/tr')]
open(sys.argv[2], 'wb').write('\x1e'.join('\x1f'.join(r) for r in out).encode())
)py"},
    {Dbf, R"py(
import sys
from dbfread import DBF
table = DBF(sys.argv[1], encoding='utf-8', char_decode_errors='strict')
out = [[f.name for f in table.fields]]
out += [['' if v is None else str(v) for v in r.values()] for r in table]
open(sys.argv[2], 'wb').write('\x1e'.join('\x1f'.join(r) for r in out).encode())
)py"},
};

// Runs a program in `work`; its standard error when it fails.
std::string RunIn(const fs::path& work, const std::vector<std::string>& args)
{
    const fs::path saved = fs::current_path();
    fs::current_path(work);
    const int status = WaitProgram(StartProgram({args, {}, work / "program.out", work / "program.err"}));
    fs::current_path(saved);
    return status == 0 ? "" : args[0] + " failed: " + ReadFile(work / "program.err") + ReadFile(work / "program.out");
}

TCells ReadWithPython(TReader reader, const fs::path& file, const fs::path& work)
{
    std::ofstream(work / "reader.py") << PythonReaders.at(reader);
    const std::string failure =
        RunIn(work, {"/usr/bin/python3", (work / "reader.py").string(), file.string(), (work / "read.out").string()});
    if (!failure.empty())
        throw std::runtime_error(failure);
    const std::string text = ReadFile(work / "read.out");
    TCells rows(1);
    for (size_t at = 0, next; at <= text.size(); at = next + 1) {
        next = std::min(text.find_first_of("\x1e\x1f", at), text.size());
        rows.back().push_back(text.substr(at, next - at));
        if (next < text.size() && text[next] == '\x1e')
            rows.emplace_back();
    }
    return rows;
}

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

// One form with an export of each format, run by drowcast-host as a person runs it.
TEST(PgExport, EveryTypeThroughEachFormatReadsBackAsStored)
{
    TTempFolder folder("pg-formats");
    const fs::path dir = folder.Path();
    std::string form = "object Every: TForm\n  object Data: TPgDataSet\n    ConnectionString = " +
                       FormString(PgServer().ConnectionString()) +
                       "\n    SQL = 'SELECT * FROM every_type ORDER BY id'\n  end\n";
    for (const TFormat& f : Formats)
        form += std::string("  object ") + f.Name + ": " + f.Class + "\n    DataSet = Data\n    FileName = '" + f.File +
                "'\n    Formats.DateFormat = 'yyyy-mm-dd'\n    Formats.TimeFormat = 'hh:nn:ss.zzz'\n"
                "    Formats.DateTimeFormat = 'yyyy-mm-dd hh:nn:ss'\n    " + f.Settings + "\n  end\n";
    std::ofstream(dir / "every.dfm") << form << "end\n";
    const TRun run = RunHost(dir, {"export", "every.dfm"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), static_cast<long>(std::size(Formats))) << run.Out;

    // One LibreOffice run for each filter.
    std::map<std::string, std::vector<const TFormat*>> byFilter;
    for (const TFormat& f : Formats)
        if (f.Reader == Office)
            byFilter[f.InFilter].push_back(&f);
    for (const auto& [filter, formats] : byFilter) {
        std::vector<fs::path> files;
        for (const TFormat* f : formats)
            files.push_back(dir / f->File);
        const std::vector<TSheet> sheets = ReadWithLibreOffice(files, filter, dir);
        for (size_t i = 0; i < formats.size(); ++i) {
            SCOPED_TRACE(formats[i]->Name);
            const TCells expected = Expected(*formats[i]);
            ASSERT_EQ(sheets[i].size(), expected.size());
            for (size_t row = 0; row < expected.size(); ++row)
                for (size_t column = 0; column < expected[row].size(); ++column) {
                    const TSheetCell cell = column < sheets[i][row].size() ? sheets[i][row][column] : TSheetCell{};
                    EXPECT_EQ(Mismatch(expected[row][column], cell), "")
                        << Columns[column] << " of record " << row << ": " << cell.Text;
                }
        }
    }

    for (const TFormat& f : Formats) {
        SCOPED_TRACE(f.Name);
        TCells read;
        switch (f.Reader) {
        case CsvReader: read = ReadCsv(ReadFile(dir / f.File)); break;
        case Xml:
        case Html:
        case Dbf: read = ReadWithPython(f.Reader, dir / f.File, dir); break;
        case Sql: {
            // The script makes its table in a database of its own; the server reads it back.
            PgServer().Execute("CREATE DATABASE readback", "postgres");
            PgServer().Execute(ReadFile(dir / f.File), "readback");
            read = PgServer().Query("SELECT * FROM \"Sql\" ORDER BY id", "readback");
            read.insert(read.begin(), Columns);
            for (auto& row : read)
                std::replace(row.begin(), row.end(), std::string(TPgServer::Null), std::string(Null));
            PgServer().Execute("DROP DATABASE readback", "postgres");
            break;
        }
        case Latex:
            EXPECT_EQ(RunIn(dir, {"pdflatex", "-interaction=nonstopmode", "-halt-on-error", "-no-shell-escape", f.File}), "");
            continue;
        case NoReader:
        case Office: continue;
        }
        const TCells expected = Expected(f);
        ASSERT_EQ(read.size(), expected.size());
        for (size_t row = 0; row < expected.size(); ++row)
            EXPECT_EQ(read[row], expected[row]) << "record " << row;
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
