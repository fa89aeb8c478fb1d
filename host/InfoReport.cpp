#include "host/InfoReport.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <span>
#include <string_view>

#include "host/BitmapFile.h"
#include "host/Elfsymbols.h"
#include "host/LanguageNames.h"
#include "vcl50/Instances.h"
#include "vcl50/Packageinfo.h"
#include "vcl50/Resources.h"

namespace {

// The package file's resources, read from the file: its bytes own what the entries view.
struct TPackageFile {
    std::vector<uint8_t> Directory;
    std::vector<TResourceEntry> Resources;

    const TResourceEntry* Find(std::string_view name, std::string_view type = {}) const
    {
        for (const TResourceEntry& entry : Resources)
            if (SameText(entry.Name, name) && (type.empty() || SameText(entry.Type, type)))
                return &entry;
        return nullptr;
    }
};

TPackageFile ReadPackageFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw EFOpenError(Format("%s: no such file", {path}));
    if (!std::filesystem::is_regular_file(path, error))
        throw EFOpenError(Format("%s is not a file", {path}));
    auto notAPackage = [&path](const AnsiString& why) {
        return EPackageError(Format("%s is not a package: %s", {path, why}));
    };
    std::optional<std::vector<uint8_t>> directory;
    try {
        directory = ReadExportedObject(path, ResourceDirectory::SymbolName);
    } catch (const EModuleFileError& e) {
        throw notAPackage(e.Message());
    }
    if (!directory)
        throw notAPackage("it has no resource directory");
    TPackageFile file;
    file.Directory = std::move(*directory);
    try {
        file.Resources = ParseResourceDirectory(file.Directory);
    } catch (const EResourceError& e) {
        throw notAPackage(e.Message());
    }
    return file;
}

// UTF-16LE up to its terminating zero, as UTF-8; a lone surrogate shows as U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> bytes)
{
    std::string text;
    auto unit = [&bytes](size_t i) { return static_cast<uint32_t>(bytes[2 * i] | bytes[2 * i + 1] << 8); };
    const size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units && unit(i) != 0; ++i) {
        uint32_t code = unit(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
        else if (code >= 0xD800 && code < 0xE000)
            code = 0xFFFD;
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::string Hex(uint32_t value, int digits)
{
    return "0x" + IntToHex(value, digits);
}

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

std::string UnitFlagNames(uint8_t flags)
{
    std::string names;
    auto add = [&names](const char* name) { names += names.empty() ? name : std::string(", ") + name; };
    if (flags & UnitFlags::Weak)
        add("weak");
    if (flags & UnitFlags::DeclaredWeak)
        add("declared weak");
    return names;
}

// Written to a stream of its own, so the caller's stream keeps its formatting.
std::string InfoText(const TPackageFile& file, const TPackageInfo& info)
{
    std::ostringstream out;
    static const char* const moduleTypes[] = {"program", "package", "library", "unknown"};
    const TResourceEntry* description = file.Find("DESCRIPTION", RT_RCDATA);
    out << "Description: " << (description ? Utf16ToUtf8(description->Data) : "(none)") << "\n";

    out << "Flags: " << Hex(info.Flags, 8) << "\n"
        << "  never build: " << YesNo(info.Flags & PackageFlags::NeverBuild) << "\n"
        << "  design-only: " << YesNo(info.Flags & PackageFlags::DesignOnly) << "\n"
        << "  run-only: " << YesNo(info.Flags & PackageFlags::RunOnly) << "\n"
        << "  ignore duplicate units: " << YesNo(info.Flags & PackageFlags::IgnoreDupUnits) << "\n"
        << "  producer code: " << info.Producer() << "\n"
        << "  module type: " << info.ModuleType() << " (" << moduleTypes[info.ModuleType()] << ")\n";

    out << "Requires: " << info.Requires.size() << "\n";
    for (const TRequiredPackage& package : info.Requires)
        out << "  " << package.Name << "\n";

    out << "Contains: " << info.Contains.size() << "\n";
    for (const TContainedUnit& unit : info.Contains) {
        const std::string names = UnitFlagNames(unit.Flags);
        out << "  " << std::left << std::setw(21) << unit.Name << " " << Hex(unit.Flags, 2)
            << (names.empty() ? "" : " " + names) << "\n";
    }

    const TResourceEntry* options = file.Find("PACKAGEOPTIONS", RT_RCDATA);
    out << "Options: ";
    if (!options)
        out << "(none)\n";
    else if (options->Data.size() != 4)
        out << "(malformed: " << options->Data.size() << " bytes)\n";
    else
        out << Hex(options->Data[0] | options->Data[1] << 8 | options->Data[2] << 16 |
                       static_cast<uint32_t>(options->Data[3]) << 24, 8) << "\n";

    out << "Resources: " << file.Resources.size() << "\n";
    int nameWidth = 4;
    for (const TResourceEntry& entry : file.Resources)
        nameWidth = std::max(nameWidth, static_cast<int>(entry.Name.size()));
    out << "  " << std::left << std::setw(7) << "Type" << " " << std::setw(nameWidth) << "Name" << " "
        << std::setw(18) << "Language" << " " << std::right << std::setw(7) << "Bytes" << "\n";
    for (const TResourceEntry& entry : file.Resources) {
        const std::string language = "(" + std::string(LanguageName(entry.Language)) + ")";
        out << "  " << std::left << std::setw(7) << entry.Type << " " << std::setw(nameWidth) << entry.Name << " "
            << std::right << std::setw(5) << entry.Language << " " << std::left << std::setw(12) << language << " "
            << std::right << std::setw(7) << entry.Data.size() << "\n";
    }
    return out.str();
}

TPackageInfo PackageInfoOf(const TPackageFile& file, const std::string& packagePath)
{
    const TResourceEntry* packageInfo = file.Find("PACKAGEINFO", RT_RCDATA);
    if (!packageInfo)
        throw EPackageError(Format("%s is not a package: it has no PACKAGEINFO resource", {packagePath}));
    try {
        return ParsePackageInfo(packageInfo->Data);
    } catch (const EPackageError& error) {
        throw EPackageError(Format("%s: %s", {packagePath, error.Message()}));
    }
}

}  // namespace

TPackageInfo CheckPackageFile(const std::string& packagePath)
{
    return PackageInfoOf(ReadPackageFile(packagePath), packagePath);
}

int ReportInfo(const std::string& packagePath, std::ostream& out, std::ostream& err)
{
    try {
        const TPackageFile file = ReadPackageFile(packagePath);
        const TPackageInfo info = PackageInfoOf(file, packagePath);
        out << "Package: " << packagePath << "\n" << InfoText(file, info);
        return 0;
    } catch (const Exception& error) {
        err << error.Message() << "\n";
        return 1;
    }
}

int ReportResource(const std::string& packagePath, const std::string& name, std::ostream& out, std::ostream& err,
                   TResourceForm form)
{
    try {
        const TPackageFile file = ReadPackageFile(packagePath);
        const TResourceEntry* entry = file.Find(name);
        if (!entry)
            throw EResNotFound(Format("%s has no resource %s", {packagePath, name}));
        if (form == TResourceForm::Raw) {
            out.write(reinterpret_cast<const char*>(entry->Data.data()), static_cast<std::streamsize>(entry->Data.size()));
            return 0;
        }
        // A bitmap may share its name with a resource of another type.
        entry = file.Find(name, RT_BITMAP);
        if (!entry)
            throw EResNotFound(Format("%s: %s is no bitmap resource", {packagePath, name}));
        std::vector<uint8_t> bitmap;
        try {
            bitmap = BitmapFileOf(entry->Data);
        } catch (const EResourceError& e) {
            throw EResourceError(Format("%s: %s is %s", {packagePath, name, e.Message()}));
        }
        out.write(reinterpret_cast<const char*>(bitmap.data()), static_cast<std::streamsize>(bitmap.size()));
        return 0;
    } catch (const Exception& error) {
        err << error.Message() << "\n";
        return 1;
    }
}

std::string PackageDescription(HMODULE module)
{
    std::optional<std::vector<uint8_t>> bytes = ReadResource(module, "DESCRIPTION", RT_RCDATA);
    return bytes ? Utf16ToUtf8(*bytes) : std::string();
}
