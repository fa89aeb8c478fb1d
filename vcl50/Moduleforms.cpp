#include "vcl50/Modules.h"

std::optional<AnsiString> FindModuleFormResource(TClass cls, const AnsiString& resourceName)
{
    HINSTANCE instance = FindClassHInstance(cls);
    if (!instance)
        instance = MainInstance();
    const HINSTANCE language = FindResourceHInstance(instance);
    auto bytes = ReadResource(language, resourceName, RT_RCDATA);
    if (!bytes && language != instance)
        bytes = ReadResource(instance, resourceName, RT_RCDATA);
    if (!bytes)
        return std::nullopt;
    return AnsiString(bytes->begin(), bytes->end());
}
