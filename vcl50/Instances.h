#pragma once
// Module instances: the handle of each loaded module, what it exports and where it came from.

#include <cstddef>
#include <string>

// A module instance: the handle dlopen gave for the module. On glibc that handle is the module's
// link map, which lets a module name its own instance without opening itself again.
using HINSTANCE = void*;
using HMODULE = HINSTANCE;

// The instance of the program itself.
HINSTANCE MainInstance();

// The module's own export of that name; null when it has none. Unlike a bare dlsym, an export of
// a module it depends on does not count.
void* GetProcAddress(HMODULE module, const char* name);
// The size the module declares for that export (0 when it has none).
size_t GetExportSize(HMODULE module, const char* name);

// The file a module was loaded from; for the program, its executable.
std::string GetModuleFileName(HINSTANCE instance);

// The instance that holds `address` (the module's link map), whether registered or not.
HINSTANCE InstanceOfAddress(const void* address);
