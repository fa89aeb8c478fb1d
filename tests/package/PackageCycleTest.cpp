// A designer host loads and unloads packages for as long as a person works: a hundred cycles of
// the real package through the host leave no file descriptor, mapped module or memory behind.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "PackageTesting.h"
#include "host/DesignHost.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/allocator_interface.h>
#endif

namespace {

struct TProcessUse {
    size_t Descriptors = 0;
    size_t Modules = 0;  // distinct files mapped
    long RssKiB = 0;
};

TProcessUse ProcessUse()
{
#if defined(__SANITIZE_ADDRESS__)
    // Freed blocks wait in the sanitizer's quarantine; what is there is no growth of the process.
    __sanitizer_purge_allocator();
#endif
    TProcessUse use;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++use.Descriptors;
    std::ifstream maps("/proc/self/maps");
    std::set<std::string> files;
    for (std::string line; std::getline(maps, line);) {
        const size_t path = line.find('/');
        if (path != std::string::npos)
            files.insert(line.substr(path));
    }
    use.Modules = files.size();
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            std::istringstream(line.substr(6)) >> use.RssKiB;
    return use;
}

void Cycle()
{
    TDesignHost host;
    host.RegisterPackage(host.LoadPackage(PackageFile));
    ASSERT_FALSE(host.Registry().PropertyEditorRows().empty()) << "the package registered nothing";
}

TEST(PackageCycle, AHundredLoadsAndUnloadsLeaveNothingBehind)
{
    for (int i = 0; i < 5; ++i)  // first-use allocations (caches, the allocator's pools) settle
        Cycle();
    const TProcessUse before = ProcessUse();
    for (int i = 0; i < 100; ++i)
        Cycle();
    const TProcessUse after = ProcessUse();
    EXPECT_FALSE(IsLoaded(PackageFile));
    EXPECT_EQ(after.Descriptors, before.Descriptors);
    EXPECT_EQ(after.Modules, before.Modules);
    // A leak of a single form or registry per cycle would pass this many times over.
    EXPECT_LE(after.RssKiB, before.RssKiB + 512) << "from " << before.RssKiB << " KiB";
}

}  // namespace
