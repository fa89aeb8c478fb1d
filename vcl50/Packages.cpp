#include "vcl50/Packages.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "vcl50/Modules.h"
#include "vcl50/Resources.h"

namespace {

std::atomic<bool> designerHost = false;
// One entry per successful LoadPackage not yet unloaded (a package loaded twice is listed twice).
std::vector<HMODULE> loadedPackages;

bool HasModuleRecord(HMODULE module)
{
    for (TLibModule* m = LibModuleList(); m; m = m->Next)
        if (m->Instance == module)
            return true;
    return false;
}

AnsiString PackageName(const AnsiString& fileName)
{
    return std::filesystem::path(fileName).filename().string();
}

void InitializePackage(HMODULE module, const AnsiString& name)
{
    if (!HasModuleRecord(module))
        throw EPackageError(Format("Package %s did not start: its module entry registered no module record", {name}));
    const TPackageInfo info = GetPackageInfo(module);
    if ((info.Flags & PackageFlags::DesignOnly) && !IsDesignerHost())
        throw EPackageError(Format("Package %s is a design-time package: only a designer host may load it", {name}));
    auto initialize = reinterpret_cast<void (*)()>(GetProcAddress(module, "Initialize"));
    if (!initialize)
        throw EPackageError(Format("Package %s has no Initialize entry", {name}));
    initialize();
}

}  // namespace

void SetDesignerHost(bool designer)
{
    designerHost = designer;
}

bool IsDesignerHost()
{
    return designerHost;
}

TPackageInfo GetPackageInfo(HMODULE module)
{
    const AnsiString name = PackageName(GetModuleFileName(module));
    std::optional<std::vector<uint8_t>> bytes;
    try {
        bytes = ReadResource(module, "PACKAGEINFO", RT_RCDATA);
    } catch (const EResourceError& error) {
        throw EPackageError(Format("%s is not a package: %s", {name, error.Message()}));
    }
    if (!bytes)
        throw EPackageError(Format("%s is not a package: it has no PACKAGEINFO resource", {name}));
    return ParsePackageInfo(*bytes);
}

HMODULE LoadPackage(const AnsiString& fileName)
{
    HMODULE module = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        throw EPackageError(Format("Can't load package %s: %s", {fileName, why ? why : "unknown error"}));
    }
    try {
        InitializePackage(module, PackageName(fileName));
    } catch (...) {
        dlclose(module);
        throw;
    }
    loadedPackages.push_back(module);
    return module;
}

void UnloadPackage(HMODULE module)
{
    const auto it = std::find(loadedPackages.begin(), loadedPackages.end(), module);
    if (it == loadedPackages.end())
        throw EPackageError("Invalid package handle");
    loadedPackages.erase(it);
    auto finalize = reinterpret_cast<void (*)()>(GetProcAddress(module, "Finalize"));
    try {
        if (finalize)
            finalize();
    } catch (...) {
        dlclose(module);
        throw;
    }
    dlclose(module);
}

TRegisterProc FindRegisterProc(HMODULE module, std::string_view unitName)
{
    // The Itanium C++ name of UNIT::Register().
    const std::string symbol = "_ZN" + std::to_string(unitName.size()) + std::string(unitName) + "8RegisterEv";
    return reinterpret_cast<TRegisterProc>(GetProcAddress(module, symbol.c_str()));
}
