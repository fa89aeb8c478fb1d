#include "vcl50/Modules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "vcl50/Formresources.h"

namespace {

// Modules register from their load and unload, which may run on any thread.
std::mutex listLock;
TLibModule* head = nullptr;

TLibModule* FindRecord(HINSTANCE instance)
{
    for (TLibModule* m = head; m; m = m->Next)
        if (instance == m->Instance || instance == m->CodeInstance || instance == m->DataInstance)
            return m;
    return nullptr;
}

}  // namespace

// "de_DE.UTF-8@euro" gives "de_DE"; C and POSIX name no language.
AnsiString UserLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value)
            continue;
        const std::string name(value, std::strcspn(value, ".@"));
        return name == "C" || name == "POSIX" ? std::string() : name;
    }
    return {};
}

void RegisterModule(TLibModule* module)
{
    static std::once_flag formsFromModules;
    std::call_once(formsFromModules, [] {
        // A locator installed before keeps serving what no module has.
        static TFormResourceLocator earlier;
        earlier = SetFormResourceLocator([](TClass cls, const AnsiString& name) {
            std::optional<AnsiString> text = FindModuleFormResource(cls, name);
            return text || !earlier ? text : earlier(cls, name);
        });
    });
    std::lock_guard lock(listLock);
    for (TLibModule* m = head; m; m = m->Next)
        if (m == module)
            return;
    module->Next = head;
    head = module;
}

void UnregisterModule(TLibModule* module)
{
    {
        std::lock_guard lock(listLock);
        for (TLibModule** link = &head; *link; link = &(*link)->Next)
            if (*link == module) {
                *link = module->Next;
                module->Next = nullptr;
                break;
            }
    }
    // Outside the lock: releasing a module runs its unload code, which may unregister too.
    if (module->ResInstance && module->ResInstance != module->Instance) {
        dlclose(module->ResInstance);
        module->ResInstance = module->Instance;
    }
}

TLibModule* LibModuleList()
{
    std::lock_guard lock(listLock);
    return head;
}

HINSTANCE FindHInstance(const void* address)
{
    HINSTANCE map = InstanceOfAddress(address);
    if (!map)
        return nullptr;
    std::lock_guard lock(listLock);
    TLibModule* record = FindRecord(map);
    return record ? record->Instance : nullptr;
}

HINSTANCE FindClassHInstance(TClass cls)
{
    return FindHInstance(cls);
}

HINSTANCE FindResourceHInstance(HINSTANCE instance)
{
    std::lock_guard lock(listLock);
    TLibModule* record = FindRecord(instance);
    return record && record->ResInstance ? record->ResInstance : instance;
}

HINSTANCE LoadResourceModule(const char* moduleFileName)
{
    const std::string language = UserLanguage();
    if (language.empty())
        return nullptr;
    std::vector<std::string> suffixes = {language};
    if (const size_t underscore = language.find('_'); underscore != std::string::npos)
        suffixes.push_back(language.substr(0, underscore));
    for (const std::string& suffix : suffixes) {
        std::string path = moduleFileName;
        path.append(".").append(suffix);
        if (access(path.c_str(), F_OK) != 0)
            continue;
        if (HINSTANCE instance = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            return instance;
    }
    return nullptr;
}
