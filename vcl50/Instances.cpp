#include "vcl50/Instances.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <unistd.h>

namespace {

// The export and its symbol entry, if the symbol belongs to the module itself.
const ElfW(Sym)* OwnSymbol(HMODULE module, const char* name, void*& address)
{
    address = dlsym(module, name);
    link_map* own = nullptr;
    if (!address || dlinfo(module, RTLD_DI_LINKMAP, &own) != 0)
        return nullptr;
    Dl_info info;
    void* entry = nullptr;
    if (InstanceOfAddress(address) != own || !dladdr1(address, &info, &entry, RTLD_DL_SYMENT))
        return nullptr;
    return static_cast<const ElfW(Sym)*>(entry);
}

}  // namespace

HINSTANCE MainInstance()
{
    static HINSTANCE const instance = dlopen(nullptr, RTLD_NOW);
    return instance;
}

void* GetProcAddress(HMODULE module, const char* name)
{
    void* address = nullptr;
    return OwnSymbol(module, name, address) ? address : nullptr;
}

size_t GetExportSize(HMODULE module, const char* name)
{
    void* address = nullptr;
    const ElfW(Sym)* entry = OwnSymbol(module, name, address);
    return entry ? entry->st_size : 0;
}

HINSTANCE InstanceOfAddress(const void* address)
{
    Dl_info info;
    link_map* map = nullptr;
    if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP))
        return nullptr;
    return map;
}

std::string GetModuleFileName(HINSTANCE instance)
{
    link_map* map = nullptr;
    if (dlinfo(instance, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name)
        return map->l_name;
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}
