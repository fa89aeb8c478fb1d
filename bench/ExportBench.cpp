// Exports of 1,000,000 records of 8 fields from SQLite, each run as `drowcast-host export` in a
// child process, beside the programs people would use instead on the same records: the SQLite
// shell's -csv, -html and insert modes, and python3-xlsxwriter in its constant-memory mode. Each
// figure is the child's CPU time (user and system); its wall time and peak memory are counters.
// Goals: CSV, HTML and SQL no slower than the shell, XLSX at most half python's time, and under
// 64 MiB of peak memory for every format.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/ChildRun.h"

namespace fs = std::filesystem;

namespace {

constexpr int Records = 1000000;
const char* const Columns = "id, name, amount, quantity, ordered, note, paid, code";

const fs::path& Folder()
{
    static const fs::path folder = fs::path(BENCH_DATA_DIR);
    return folder;
}

// Runs the program with its output to `output` (or nowhere), and tells its times and peak memory.
bool Run(benchmark::State& state, const std::vector<std::string>& argv, const fs::path& output = {})
{
    const std::optional<TChildRun> run = RunChild(argv, {}, output);
    if (!run) {
        state.SkipWithError((argv[0] + " failed").c_str());
        return false;
    }
    state.SetIterationTime(run->Cpu);
    state.counters["wall_ms"] = run->Wall * 1e3;
    state.counters["peak_mib"] = run->PeakMiB;
    return true;
}

// The records, made once with the SQLite shell and kept beside the results.
void MakeDatabase()
{
    const fs::path db = Folder() / "records.db";
    if (fs::exists(db))
        return;
    fs::create_directories(Folder());
    const std::string sql =
        "CREATE TABLE records (id INTEGER, name TEXT, amount REAL, quantity INTEGER, ordered DATETIME, "
        "note TEXT, paid BOOLEAN, code TEXT);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(Records) + ") "
        "INSERT INTO records SELECT i, 'Customer ' || i, i * 0.37, i % 97, "
        "datetime(1700000000 + i * 61, 'unixepoch'), CASE WHEN i % 3 = 0 THEN NULL ELSE 'note, \"quoted\" ' || i END, "
        "i % 2, printf('C%08d', i) FROM n;";
    const fs::path script = Folder() / "records.sql";
    std::ofstream(script) << sql;
    std::system(("sqlite3 " + db.string() + " < " + script.string()).c_str());
}

// The form of one export of each class on the records.
const fs::path& Form()
{
    static const fs::path form = [] {
        MakeDatabase();
        const fs::path path = Folder() / "exports.dfm";
        std::ofstream out(path);
        out << "object Bench: TForm\n  object Records: TSQLiteDataSet\n    DatabaseName = 'records.db'\n"
               "    TableName = 'records'\n  end\n";
        struct Export {
            const char* name;
            const char* cls;
            const char* extra;
        };
        const Export exports[] = {
            {"Csv", "TKASCIIExport", "ExportType = etCSV\n    FileName = 'out.csv'"},
            {"Text", "TKASCIIExport", "ExportType = etText\n    FileName = 'out.txt'"},
            {"Dif", "TKASCIIExport", "ExportType = etDIF\n    FileName = 'out.dif'"},
            {"Sylk", "TKASCIIExport", "ExportType = etSYLK\n    FileName = 'out.slk'"},
            {"Html", "TKHTMLExport", "FileName = 'out.html'"},
            {"Sql", "TKSQLExport", "FileName = 'out.sql'"},
            {"Excel", "TKExcelExport", "FileName = 'out.xlsx'"},
            {"Xml", "TKXMLExport", "FileName = 'out.xml'"},
            {"Rtf", "TKRTFExport", "FileName = 'out.rtf'"},
            {"Latex", "TKLaTeXExport", "FileName = 'out.tex'"},
            {"Dbf", "TKDBFExport", "FileName = 'out.dbf'"},
        };
        for (const Export& e : exports)
            out << "  object " << e.name << ": " << e.cls << "\n    DataSet = Records\n    " << e.extra << "\n  end\n";
        out << "end\n";
        return path;
    }();
    return form;
}

void Ours(benchmark::State& state, const char* name)
{
    for (auto _ : state)
        if (!Run(state, {DROWCAST_HOST, "export", Form().string(), name}))
            return;
}

void Shell(benchmark::State& state, const char* mode, const char* file)
{
    const std::string select = std::string("SELECT ") + Columns + " FROM records";
    for (auto _ : state) {
        std::vector<std::string> argv = {"sqlite3"};
        if (std::string(mode) == "insert")
            argv.insert(argv.end(), {(Folder() / "records.db").string(), ".mode insert records", select});
        else
            argv.insert(argv.end(), {std::string("-") + mode, "-header", (Folder() / "records.db").string(), select});
        if (!Run(state, argv, Folder() / file))
            return;
    }
}

void PythonXlsx(benchmark::State& state)
{
    const std::string script =
        "import sqlite3, sys, xlsxwriter\n"
        "db = sqlite3.connect(sys.argv[1])\n"
        "book = xlsxwriter.Workbook(sys.argv[2], {'constant_memory': True})\n"
        "sheet = book.add_worksheet()\n"
        "bold = book.add_format({'bold': True})\n"
        "dates = book.add_format({'num_format': 'yyyy-mm-dd hh:mm:ss'})\n"
        "cursor = db.execute('SELECT " + std::string(Columns) + " FROM records')\n"
        "sheet.write_row(0, 0, [d[0] for d in cursor.description], bold)\n"
        "import datetime\n"
        "for r, row in enumerate(cursor, 1):\n"
        "    for c, v in enumerate(row):\n"
        "        if v is None: continue\n"
        "        if c == 4: sheet.write_datetime(r, c, datetime.datetime.fromisoformat(v), dates)\n"
        "        elif isinstance(v, str): sheet.write_string(r, c, v)\n"
        "        else: sheet.write_number(r, c, v)\n"
        "book.close()\n";
    for (auto _ : state)
        if (!Run(state, {"/usr/bin/python3", "-c", script, (Folder() / "records.db").string(), (Folder() / "python.xlsx").string()}))
            return;
}

#define EXPORT_BENCH(name) \
    BENCHMARK_CAPTURE(Ours, name, #name)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond)

EXPORT_BENCH(Csv);
EXPORT_BENCH(Html);
EXPORT_BENCH(Sql);
EXPORT_BENCH(Excel);
EXPORT_BENCH(Text);
EXPORT_BENCH(Dif);
EXPORT_BENCH(Sylk);
EXPORT_BENCH(Xml);
EXPORT_BENCH(Rtf);
EXPORT_BENCH(Latex);
EXPORT_BENCH(Dbf);
BENCHMARK_CAPTURE(Shell, ShellCsv, "csv", "shell.csv")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Shell, ShellHtml, "html", "shell.html")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Shell, ShellInsert, "insert", "shell.sql")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PythonXlsx)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
