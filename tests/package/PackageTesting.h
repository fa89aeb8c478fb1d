#pragma once
// What the package tests share: where the built modules are, scratch folders, the locale
// environment, and the package information bytes the package must carry.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "vcl50/Modules.h"

inline const std::string PackageFile = PACKAGE_FILE;
inline const std::string LanguageModuleFile = LANGUAGE_MODULE_FILE;
inline const std::string Vcl50File = VCL50_FILE;
inline const std::string RunsAtLoadFile = RUNS_AT_LOAD_FILE;

// Whether the module file is loaded in this process right now.
bool IsLoaded(const std::string& path);
// The registered record of that instance, or null.
TLibModule* RecordOf(HINSTANCE instance);

// A fresh folder, removed with everything in it at the end of the test.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    const std::filesystem::path& Path() const { return FPath; }
    // Copies a file in under the given name and returns its path.
    std::string Copy(const std::string& from, const std::string& name) const;
    // Puts the required packages beside a package copied in, as an installation has them.
    void LinkRequiredPackages() const;

private:
    std::filesystem::path FPath;
};

// Sets the locale variables for the test and puts back what was there.
class TLocaleEnvironment {
public:
    TLocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang);
    ~TLocaleEnvironment();

private:
    std::optional<std::string> FSaved[3];
};

// PACKAGEINFO as the package must carry it, written out field by field.
std::vector<uint8_t> ExpectedPackageInfo();
// The contained units in stored order.
std::vector<std::string> ContainedUnitNames();

// The built package file with one byte of its PACKAGEINFO changed.
std::vector<uint8_t> PackageWithPatchedInfo(size_t offset, uint8_t value);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
