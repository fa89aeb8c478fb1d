#include "host/ProgramFiles.h"

#include <filesystem>

#include "vcl50/Instances.h"

namespace fs = std::filesystem;

namespace {

fs::path ProgramFolder()
{
    return fs::path(GetModuleFileName(MainInstance())).parent_path();
}

}  // namespace

std::string DefaultPackagePath()
{
    const fs::path beside = ProgramFolder() / "DRowcastB5.so";
    const fs::path installed = (ProgramFolder() / DROWCAST_PACKAGEDIR_FROM_BINDIR / "DRowcastB5.so").lexically_normal();
    // Where neither is, the error names the file beside the program, as it always has.
    return (fs::exists(installed) && !fs::exists(beside) ? installed : beside).string();
}

std::string DesignerScriptsGuide()
{
    const fs::path installed =
        (ProgramFolder() / DROWCAST_DOCDIR_FROM_BINDIR / "docs" / "designer-scripts.md").lexically_normal();
    return fs::exists(installed) ? installed.string() : DESIGNER_SCRIPTS_GUIDE;
}
