// The package's whole cycle through the designer host (the file checked, loaded, initialized,
// registered, finalized and unloaded) beside a bare dlopen and dlclose of the same file.
// Goal: the host's cycle under twice the bare one and under 2 ms.

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include "host/DesignHost.h"

namespace {

void HostCycle(benchmark::State& state)
{
    for (auto _ : state) {
        TDesignHost host;
        host.RegisterPackage(host.LoadPackage(PACKAGE_FILE));
    }  // the host unloads its packages as it goes
}
BENCHMARK(HostCycle)->Unit(benchmark::kMillisecond);

void BareCycle(benchmark::State& state)
{
    for (auto _ : state) {
        void* module = dlopen(PACKAGE_FILE, RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            state.SkipWithError(dlerror());
            return;
        }
        dlclose(module);
    }
}
BENCHMARK(BareCycle)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
