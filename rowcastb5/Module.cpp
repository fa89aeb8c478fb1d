// The library's module record: its forms (the export dialog's) are read through it, so that a
// language resource module beside the library (librowcastb5.so.1.de_DE: its soname, by the user's locale)
// translates them, as the package's own record does for the package's forms.
#include <dlfcn.h>

#include "vcl50/Instances.h"
#include "vcl50/Modules.h"

namespace {

// Plain data with constant initialisation: it is used from the library's constructor, outside
// the order of C++ static objects.
TLibModule moduleRecord;

// A library that the loader mapped as a dependency (of the program or of a package) has no
// lookup scope of its own until it is opened by name, and its resources are found by a lookup in
// it; opened, its handle is its link map, as a package's is. The reference is never given back:
// the library's unique symbols keep it loaded for the life of the process anyway.
HINSTANCE OwnInstance()
{
    const std::string file = GetModuleFileName(InstanceOfAddress(&moduleRecord));
    return dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

__attribute__((constructor)) void RegisterAtLoad()
{
    moduleRecord.Instance = OwnInstance();
    if (!moduleRecord.Instance)
        return;  // no record: its forms are then looked for in the program
    HINSTANCE language = LoadResourceModule(GetModuleFileName(moduleRecord.Instance).c_str());
    moduleRecord.ResInstance = language ? language : moduleRecord.Instance;
    RegisterModule(&moduleRecord);
}

__attribute__((destructor)) void UnregisterAtUnload()
{
    if (moduleRecord.Instance)
        UnregisterModule(&moduleRecord);
}

}  // namespace
