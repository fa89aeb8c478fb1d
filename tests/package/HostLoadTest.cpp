// The designer host's load of a package file: what is no package is refused before any of its
// code runs, and a file named without a folder is the one in the working folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "PackageTesting.h"
#include "host/DesignHost.h"

namespace {

std::string LoadError(TDesignHost& host, const std::string& path)
{
    try {
        host.LoadPackage(path);
    } catch (const Exception& error) {
        return error.Message();
    }
    return {};
}

// Works in another folder for the test and goes back after it.
class TWorkingFolder {
public:
    explicit TWorkingFolder(const std::filesystem::path& folder) : FSaved(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~TWorkingFolder() { std::filesystem::current_path(FSaved); }

private:
    std::filesystem::path FSaved;
};

TEST(HostLoad, ALibraryThatIsNoPackageIsRefusedUnrun)
{
    unsetenv("DROWCAST_RUNSATLOAD_RAN");
    TDesignHost host;
    EXPECT_NE(LoadError(host, RunsAtLoadFile).find("is not a package: it has no resource directory"),
              std::string::npos);
    EXPECT_EQ(std::getenv("DROWCAST_RUNSATLOAD_RAN"), nullptr) << "its load code ran";
    EXPECT_FALSE(IsLoaded(RunsAtLoadFile));
    EXPECT_TRUE(host.Packages().empty());
}

TEST(HostLoad, AMalformedPackageInfoIsRefusedUnopened)
{
    TScratchFolder folder;
    const std::string copy = (folder.Path() / "DRowcastB5.so").string();
    WriteFileBytes(copy, PackageWithPatchedInfo(4, 0x7F));  // requires count 0x7F000003
    folder.LinkRequiredPackages();
    const size_t records = [] {
        size_t n = 0;
        for (TLibModule* m = LibModuleList(); m; m = m->Next)
            ++n;
        return n;
    }();
    TDesignHost host;
    EXPECT_NE(LoadError(host, copy).find("Malformed PACKAGEINFO: requires count"), std::string::npos);
    EXPECT_FALSE(IsLoaded(copy));
    size_t after = 0;
    for (TLibModule* m = LibModuleList(); m; m = m->Next)
        ++after;
    EXPECT_EQ(after, records) << "the module never started";
}

TEST(HostLoad, AFileNamedWithoutAFolderIsTheOneInTheWorkingFolder)
{
    TScratchFolder folder;
    const std::string package = folder.Copy(PackageFile, "DRowcastB5.so");
    folder.LinkRequiredPackages();
    // A text file under the name of a library the process has loaded.
    WriteFileBytes((folder.Path() / "libc.so.6").string(), {'t', 'e', 'x', 't'});
    WriteFileBytes((folder.Path() / "empty.so").string(), {});
    TWorkingFolder working(folder.Path());
    {
        TDesignHost host;
        EXPECT_NE(LoadError(host, "libc.so.6").find("libc.so.6 is not a package: not an ELF module"),
                  std::string::npos);
        EXPECT_NE(LoadError(host, "empty.so").find("empty.so is not a package: the file is empty"), std::string::npos);

        HMODULE module = host.LoadPackage("DRowcastB5.so");
        EXPECT_EQ(std::filesystem::canonical(GetModuleFileName(module)), std::filesystem::canonical(package))
            << "the copy here, not the package the library search finds";
        EXPECT_FALSE(IsLoaded(PackageFile));
    }
    EXPECT_FALSE(IsLoaded(package));
}

}  // namespace
