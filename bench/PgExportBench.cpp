// The CSV export of 1,000,000 records of 8 fields from a PostgreSQL server on this machine, run
// as `drowcast-host export` in a child process, beside psql's \copy of the same columns to a CSV
// file. The server does part of the work for both, in a process of its own: psql's COPY has it
// write the CSV, our dataset has it stream the values. So a run's time is judged both ways: its
// wall time, which holds the server's work as much as the client's, and each figure (the manual
// time), the CPU time of both processes, the child's (user and system) and the server backend's
// that served it; each part is a counter too, with the wall time and the child's peak memory.
// Goals: no more wall or CPU time than psql, and under 64 MiB of peak memory.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/ChildRun.h"
#include "tests/PgServer.h"

namespace fs = std::filesystem;

namespace {

constexpr int Records = 1000000;
const char* const Columns = "id, name, amount, quantity, ordered, note, paid, code";

// The server with the records, made once for the program; it goes when the program ends.
TPgServer& Server()
{
    static const std::unique_ptr<TPgServer> server = [] {
        auto made = std::make_unique<TPgServer>();
        made->Execute("SET ROLE shop; CREATE TABLE records AS SELECT i::int8 AS id, 'Customer ' || i AS name, "
                      "i * 0.37::float8 AS amount, (i % 97)::int4 AS quantity, "
                      "timestamp '2023-11-14 22:13:20' + i * interval '61 seconds' AS ordered, "
                      "CASE WHEN i % 3 = 0 THEN NULL ELSE 'note, \"quoted\" ' || i END AS note, i % 2 = 1 AS paid, "
                      "'C' || lpad(i::text, 8, '0') AS code FROM generate_series(1, " + std::to_string(Records) +
                      ") i");
        made->Execute("VACUUM ANALYZE records");
        return made;
    }();
    return *server;
}

// CPU seconds of the server's backends that ended: the postmaster's reaped children.
double ServerCpu()
{
    std::ifstream pidFile(Server().Folder() / "data" / "postmaster.pid");
    std::string pid;
    std::getline(pidFile, pid);
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    // Fields after the command's closing parenthesis; cutime and cstime are the 16th and 17th.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::vector<std::string> values;
    for (std::string value; fields >> value;)
        values.push_back(value);
    return (std::stod(values.at(13)) + std::stod(values.at(14))) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The server's figure once the backend that served the child has ended and been reaped.
double SettledServerCpu()
{
    double last = ServerCpu();
    for (int i = 0; i < 40; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double now = ServerCpu();
        if (now == last && i >= 2)
            break;
        last = now;
    }
    return last;
}

const fs::path& Folder()
{
    static const fs::path folder = [] {
        const fs::path path = Server().Folder() / "bench";
        fs::create_directories(path);
        std::ofstream(path / "exports.dfm")
            << "object Bench: TForm\n  object Records: TPgDataSet\n    ConnectionString = '"
            << Server().ConnectionString() << "'\n    TableName = 'records'\n  end\n"
            << "  object Csv: TKASCIIExport\n    DataSet = Records\n    ExportType = etCSV\n"
            << "    FileName = 'out.csv'\n  end\nend\n";
        return path;
    }();
    return folder;
}

// What the runs of one benchmark took, summed: reported as the mean of its runs.
struct TTotals {
    double Client = 0, Server = 0, Wall = 0, PeakMiB = 0;

    void Report(benchmark::State& state) const
    {
        state.counters["client_ms"] = benchmark::Counter(Client * 1e3, benchmark::Counter::kAvgIterations);
        state.counters["server_ms"] = benchmark::Counter(Server * 1e3, benchmark::Counter::kAvgIterations);
        state.counters["wall_ms"] = benchmark::Counter(Wall * 1e3, benchmark::Counter::kAvgIterations);
        state.counters["peak_mib"] = PeakMiB;  // the largest run's
    }
};

// Runs the program and adds its times, the server's and its peak memory to `totals`.
bool Run(benchmark::State& state, TTotals& totals, const std::vector<std::string>& argv)
{
    const double serverBefore = SettledServerCpu();
    const std::optional<TChildRun> run = RunChild(argv, Folder());
    if (!run) {
        state.SkipWithError((argv[0] + " failed").c_str());
        return false;
    }
    const double server = SettledServerCpu() - serverBefore;
    state.SetIterationTime(run->Cpu + server);
    totals.Client += run->Cpu;
    totals.Server += server;
    totals.Wall += run->Wall;
    totals.PeakMiB = std::max(totals.PeakMiB, run->PeakMiB);
    return true;
}

void Ours(benchmark::State& state)
{
    TTotals totals;
    for (auto _ : state)
        if (!Run(state, totals, {DROWCAST_HOST, "export", "exports.dfm", "Csv"}))
            return;
    totals.Report(state);
}

void Psql(benchmark::State& state)
{
    const std::string copy =
        std::string("\\copy (SELECT ") + Columns + " FROM records) TO 'psql.csv' CSV HEADER";
    TTotals totals;
    for (auto _ : state)
        if (!Run(state, totals, {(Server().Bin() / "psql").string(), "-X", "-q", Server().ConnectionString(), "-c", copy}))
            return;
    totals.Report(state);
}

BENCHMARK(Ours)->Name("Ours/PgCsv")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(Psql)->Name("Psql/Copy")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
