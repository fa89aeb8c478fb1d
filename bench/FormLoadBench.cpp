// Opening a form file of n components in the designer host, headless, at 5,000 to 100,000
// components: read, checked, built and handed to a new designer (TDesignHost::OpenForm); closing
// it again is not timed. Goal: 100,000 components in under 3 s; the curve shows how it grows.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/DesignHost.h"

namespace {

constexpr int Columns = 60;
constexpr int Pitch = 40;  // a tile and its name, on the grid

// One dataset, and exports of the package's classes in turn each using it, in rows on the grid:
// the form of the designer window's benchmark, `components` large.
void WriteForm(TDesignHost& host, int components, const std::filesystem::path& path)
{
    const std::vector<TDesignRegistry::TPaletteEntry>& classes = host.Registry().Pages().back().Classes;
    std::ofstream out(path);
    out << "object BigForm: TForm\n  ClientWidth = " << Columns * Pitch << "\n  ClientHeight = "
        << (components + Columns - 1) / Columns * Pitch
        << "\n  object Data1: TSQLiteDataSet\n    TableName = 'orders'\n    Left = 0\n    Top = 0\n  end\n";
    for (int i = 1; i < components; ++i) {
        const std::string cls = classes[static_cast<size_t>(i) % classes.size()].Class->ClassName();
        out << "  object " << cls.substr(1) << i << ": " << cls << "\n    DataSet = Data1\n    Left = "
            << i % Columns * Pitch << "\n    Top = " << i / Columns * Pitch << "\n  end\n";
    }
    out << "end\n";
}

void OpenForm(benchmark::State& state)
{
    const int components = static_cast<int>(state.range(0));
    const std::string name = "formload-" + std::to_string(getpid()) + "-" + std::to_string(components) + ".dfm";
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    {
        TDesignHost host;
        host.RegisterPackage(host.LoadPackage(PACKAGE_FILE));
        WriteForm(host, components, path);
        for (auto _ : state) {
            TDesigner& designer = host.OpenForm(path.string());
            state.PauseTiming();
            state.counters["components"] = designer.GetRoot()->ComponentCount();
            host.CloseForm(designer);
            state.ResumeTiming();
        }
    }
    std::filesystem::remove(path);
    state.SetComplexityN(components);
}
BENCHMARK(OpenForm)->Arg(5000)->Arg(10000)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
