#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>

#include "PackageTesting.h"
#include "host/Registry.h"
#include "package/Sysinit.h"
#include "vcl50/Headless.h"
#include "vcl50/Packages.h"
#include "vcl50/Unitlog.h"

namespace {

struct TUnitSite {
    std::string Unit;    // from the procedure's unit-qualified name
    std::string Module;  // file name of the module that holds it
};

TUnitSite SiteOf(void (*proc)())
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(proc), &info) || !info.dli_sname)
        return {"?", "?"};
    std::string_view name = info.dli_sname;
    size_t length = 0, i = 3;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])))
        length = length * 10 + (name[i++] - '0');
    return {std::string(name.substr(i, length)), std::filesystem::path(info.dli_fname).filename().string()};
}

std::vector<TUnitSite> Sites(const std::vector<PackageUnitEntry>& entries)
{
    std::vector<TUnitSite> sites;
    for (const PackageUnitEntry& entry : entries)
        sites.push_back(SiteOf(entry.Init));
    return sites;
}

// Records of that instance, or of all with null.
size_t CountRecords(HINSTANCE instance = nullptr)
{
    size_t count = 0;
    for (TLibModule* m = LibModuleList(); m; m = m->Next)
        count += !instance || m->Instance == instance;
    return count;
}

// The message boxes shown, with caption and flags.
class TBoxes : public THeadlessWidgetSet {
public:
    struct TBox {
        AnsiString Text, Caption;
        int Flags;
    };
    int MessageBox(const AnsiString& text, const AnsiString& caption, int flags) override
    {
        Shown->push_back({text, caption, flags});
        return THeadlessWidgetSet::MessageBox(text, caption, flags);
    }
    std::vector<TBox>* Shown = nullptr;
};

// The message of the EPackageError that loading raises; empty when it loads.
std::string LoadError(const std::string& path)
{
    try {
        UnloadPackage(LoadPackage(path));
    } catch (const EPackageError& error) {
        return error.Message();
    }
    return {};
}

class LoadPackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDesignerHost(true);
        ClearUnitLog();
        ASSERT_FALSE(IsLoaded(PackageFile));
    }
    void TearDown() override
    {
        SetDesignerHost(false);
        EXPECT_FALSE(IsLoaded(PackageFile)) << "a test left the package loaded";
    }

    template <class T>
    T Export(HMODULE module, const char* name)
    {
        void* address = GetProcAddress(module, name);
        EXPECT_NE(address, nullptr) << name;
        return reinterpret_cast<T>(address);
    }

    // A locale that names a language, one the built package has no language module for.
    TLocaleEnvironment locale{nullptr, nullptr, "fr_FR.UTF-8"};
};

TEST_F(LoadPackageTest, LoadStartsEveryUnitInTableOrderAndUnloadStopsThemInReverse)
{
    const size_t before = StartedUnits().size();
    HMODULE module = LoadPackage(PackageFile);

    TLibModule* record = RecordOf(module);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->CodeInstance, nullptr);
    EXPECT_EQ(record->DataInstance, nullptr);
    EXPECT_EQ(record->ResInstance, module) << "no language module: resources come from the package";

    const auto started = StartedUnits();
    ASSERT_EQ(started.size(), before + 73);
    const auto sites = Sites({started.begin() + before, started.end()});
    std::set<std::string> names;
    for (const TUnitSite& site : sites)
        names.insert(site.Unit);
    EXPECT_EQ(names.size(), 73u) << "every unit once";
    EXPECT_EQ(sites[0].Unit, "System");
    EXPECT_EQ(sites[1].Unit, "Sysinit");

    // The package's own units point into the package, the others into the package that holds
    // them; required packages come in the order they depend on each other, the six own units last.
    const auto contained = ContainedUnitNames();
    const auto isOwn = [&contained](const TUnitSite& site) {
        return std::count(contained.begin(), contained.end(), site.Unit) > 0;
    };
    const std::vector<std::string> required = {VCL50_SONAME, VCLDB50_SONAME, ROWCASTB5_SONAME};
    size_t ownUnits = 0, lastPackage = 0;
    std::vector<std::string> expectedLog;
    for (const TUnitSite& site : sites) {
        if (isOwn(site)) {
            EXPECT_EQ(site.Module, "DRowcastB5.so") << site.Unit;
            ++ownUnits;
            continue;
        }
        const size_t package = std::find(required.begin(), required.end(), site.Module) - required.begin();
        EXPECT_LT(package, required.size()) << site.Unit << " lives in " << site.Module;
        EXPECT_GE(package, lastPackage) << site.Unit << " comes before a package it depends on";
        lastPackage = package;
        expectedLog.push_back("+" + site.Unit);
    }
    EXPECT_EQ(ownUnits, contained.size());
    for (size_t k = 0; k < 6; ++k)
        EXPECT_EQ(sites[sites.size() - 6 + k].Unit, contained[contained.size() - 6 + k]);
    EXPECT_EQ(UnitLog(), expectedLog) << "the required packages' start-ups ran once each, in order";

    UnloadPackage(module);
    for (auto it = sites.rbegin(); it != sites.rend(); ++it)
        if (!isOwn(*it))
            expectedLog.push_back("-" + it->Unit);
    EXPECT_EQ(UnitLog(), expectedLog);
    EXPECT_EQ(StartedUnits().size(), before);
    EXPECT_EQ(RecordOf(module), nullptr);
}

TEST_F(LoadPackageTest, AfterInitializeTheFormVariablesAreNullAndRegisterIsFound)
{
    HMODULE module = LoadPackage(PackageFile);
    for (const char* variable : {"fmKHTMLTemplateEditDlg", "fmKFieldsEditDlg", "AboutF"})
        EXPECT_EQ(*Export<void**>(module, variable), nullptr) << variable;

    TRegisterProc registerProc = FindRegisterProc(module, "Kexpreg");
    ASSERT_NE(registerProc, nullptr);
    EXPECT_EQ(InstanceOfAddress(reinterpret_cast<void*>(registerProc)), module);
    for (const std::string& unit : ContainedUnitNames()) {
        if (unit != "Kexpreg") {
            EXPECT_EQ(FindRegisterProc(module, unit), nullptr) << unit;
        }
    }
    const size_t logged = UnitLog().size();
    {
        // Register hands its rows to the host's registry, which must be installed for it.
        TDesignRegistry registry;
        SetDesignRegistry(&registry);
        EXPECT_NO_THROW(registerProc());
        SetDesignRegistry(nullptr);
    }
    EXPECT_EQ(UnitLog().size(), logged);
    UnloadPackage(module);
}

TEST_F(LoadPackageTest, ADesignOnlyPackageIsRefusedOutsideADesigner)
{
    SetDesignerHost(false);
    const size_t modules = CountRecords();
    EXPECT_EQ(LoadError(PackageFile), "Package DRowcastB5.so is a design-time package: only a designer host may load it");
    EXPECT_FALSE(IsLoaded(PackageFile));
    EXPECT_EQ(CountRecords(), modules);
    EXPECT_TRUE(UnitLog().empty()) << "no unit started";
}

TEST_F(LoadPackageTest, ASecondStartOfTheSameDataIsRefused)
{
    std::vector<TBoxes::TBox> shown;
    auto boxes = std::make_unique<TBoxes>();
    boxes->Shown = &shown;
    SetWidgetSet(std::move(boxes));
    HMODULE module = LoadPackage(PackageFile);
    auto entry = Export<BOOL (*)(HINSTANCE, DWORD, void*)>(module, "ModuleEntry");

    EXPECT_EQ(entry(module, DLL_PROCESS_ATTACH, nullptr), 0);
    SetWidgetSet(nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "Nonshared DATA segment required");
    EXPECT_EQ(shown[0].Caption, "package_tests") << "the host executable's file name";
    EXPECT_EQ(shown[0].Flags, MB_ICONSTOP | MB_SETFOREGROUND);
    EXPECT_EQ(CountRecords(module), 1u) << "the first start stays as it was";
    EXPECT_EQ(RecordOf(module)->ResInstance, module);

    auto text = Export<const char* (*)(DWORD)>(module, "_ZN7Sysinit15SecondStartTextEj");
    EXPECT_STREQ(text(0x80000000), "Cannot run multiple instances of a DLL under WIN32s");
    EXPECT_STREQ(text(0x08930005), "Nonshared DATA segment required");
    UnloadPackage(module);
}

TEST_F(LoadPackageTest, EachThreadGetsItsOwnBlockAndLosesItOnDetach)
{
    HMODULE module = LoadPackage(PackageFile);
    auto block = Export<void* (*)()>(module, "_ZN7Sysinit18CurrentThreadBlockEv");
    auto count = Export<size_t (*)()>(module, "_ZN7Sysinit16ThreadBlockCountEv");
    auto entry = Export<BOOL (*)(HINSTANCE, DWORD, void*)>(module, "ModuleEntry");
    const auto isZero = [](void* b) {
        const auto* bytes = static_cast<const unsigned char*>(b);
        return std::all_of(bytes, bytes + Sysinit::ThreadBlockSize, [](unsigned char c) { return c == 0; });
    };

    void* mine = block();
    ASSERT_NE(mine, nullptr);
    EXPECT_TRUE(isZero(mine));
    EXPECT_EQ(block(), mine);
    const size_t held = count();

    std::thread([&] {
        void* theirs = block();
        EXPECT_NE(theirs, mine);
        EXPECT_TRUE(isZero(theirs));
        EXPECT_EQ(count(), held + 1);
    }).join();
    EXPECT_EQ(count(), held) << "a thread's exit frees its block";

    std::thread([&] {
        EXPECT_EQ(entry(module, DLL_THREAD_ATTACH, nullptr), 1);
        EXPECT_EQ(count(), held + 1);
        EXPECT_EQ(entry(module, DLL_THREAD_DETACH, nullptr), 1);
        EXPECT_EQ(count(), held);
    }).join();
    EXPECT_EQ(count(), held);
    UnloadPackage(module);
}

TEST_F(LoadPackageTest, WhatIsNoPackageIsRefusedAndClosedAgain)
{
    EXPECT_NE(LoadError("/nonexistent/DRowcastB5.so").find("Can't load package"), std::string::npos);
    EXPECT_NE(LoadError(LanguageModuleFile).find("registered no module record"), std::string::npos);
    EXPECT_FALSE(IsLoaded(LanguageModuleFile));
    int notAModule = 0;
    EXPECT_THROW(UnloadPackage(&notAModule), EPackageError);
}

TEST_F(LoadPackageTest, AMalformedPackageInfoIsRefusedAndThePackageClosed)
{
    TScratchFolder folder;
    const std::string copy = (folder.Path() / "DRowcastB5.so").string();
    WriteFileBytes(copy, PackageWithPatchedInfo(4 + 4 + 7 + 9 + 11, 100));  // contains count 100
    folder.LinkRequiredPackages();

    const size_t modules = CountRecords();
    EXPECT_NE(LoadError(copy).find("Malformed PACKAGEINFO: contains count 100 does not fit"), std::string::npos);
    EXPECT_FALSE(IsLoaded(copy));
    EXPECT_EQ(CountRecords(), modules) << "its module record went with it";
}

}  // namespace
