#include "PackageTesting.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <iterator>

namespace {

const char* const LocaleVariables[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

struct TUnit {
    const char* Name;
    uint8_t Flags;
};

const TUnit Contained[] = {
    {"Sysinit", 0x00},
    {"Windows", 0x0C}, {"Messages", 0x0C}, {"Commctrl", 0x0C}, {"Shellapi", 0x0C}, {"Regstr", 0x0C},
    {"Wininet", 0x0C}, {"Urlmon", 0x0C}, {"Shlobj", 0x0C}, {"Commdlg", 0x0C}, {"Dlgs", 0x0C},
    {"Imm", 0x0C}, {"Richedit", 0x0C}, {"Winspool", 0x0C},
    {"Khtmltemplateeditdlg", 0x00}, {"Kexpabout", 0x00}, {"Kfieldseditdlg", 0x00},
    {"Kexpdsgn", 0x00}, {"Kexpreg", 0x00}, {"Drowcastb5", 0x00},
};

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutName(std::vector<uint8_t>& out, const char* name)
{
    out.insert(out.end(), name, name + std::char_traits<char>::length(name) + 1);
}

}  // namespace

bool IsLoaded(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

TLibModule* RecordOf(HINSTANCE instance)
{
    for (TLibModule* m = LibModuleList(); m; m = m->Next)
        if (m->Instance == instance)
            return m;
    return nullptr;
}

TScratchFolder::TScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "drowcast-XXXXXX").string();
    FPath = mkdtemp(pattern.data());
}

TScratchFolder::~TScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::string TScratchFolder::Copy(const std::string& from, const std::string& name) const
{
    const auto to = FPath / name;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    return to.string();
}

void TScratchFolder::LinkRequiredPackages() const
{
    const auto built = std::filesystem::path(PackageFile).parent_path();
    for (const char* library : {VCL50_SONAME, VCLDB50_SONAME, ROWCASTB5_SONAME})
        std::filesystem::create_symlink(built / library, FPath / library);
}

TLocaleEnvironment::TLocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang)
{
    const char* values[3] = {lcAll, lcMessages, lang};
    for (int i = 0; i < 3; ++i) {
        if (const char* old = getenv(LocaleVariables[i]))
            FSaved[i] = old;
        if (values[i])
            setenv(LocaleVariables[i], values[i], 1);
        else
            unsetenv(LocaleVariables[i]);
    }
}

TLocaleEnvironment::~TLocaleEnvironment()
{
    for (int i = 0; i < 3; ++i) {
        if (FSaved[i])
            setenv(LocaleVariables[i], FSaved[i]->c_str(), 1);
        else
            unsetenv(LocaleVariables[i]);
    }
}

std::vector<uint8_t> ExpectedPackageInfo()
{
    std::vector<uint8_t> bytes;
    PutU32(bytes, 0x48000003);
    PutU32(bytes, 3);
    for (const char* name : {"VCL50", "VCLDB50", "ROWCASTB5"}) {
        bytes.push_back(0);
        PutName(bytes, name);
    }
    PutU32(bytes, static_cast<uint32_t>(std::size(Contained)));
    for (const TUnit& unit : Contained) {
        bytes.push_back(unit.Flags);
        bytes.push_back(0);
        PutName(bytes, unit.Name);
    }
    return bytes;
}

std::vector<std::string> ContainedUnitNames()
{
    std::vector<std::string> names;
    for (const TUnit& unit : Contained)
        names.push_back(unit.Name);
    return names;
}

std::vector<uint8_t> PackageWithPatchedInfo(size_t offset, uint8_t value)
{
    auto bytes = ReadFileBytes(PackageFile);
    const auto info = ExpectedPackageInfo();
    const auto at = std::search(bytes.begin(), bytes.end(), info.begin(), info.end());
    if (at == bytes.end())
        throw std::runtime_error("the package file holds no PACKAGEINFO");
    at[offset] = value;
    return bytes;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
