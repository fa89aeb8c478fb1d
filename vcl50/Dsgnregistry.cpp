#include "vcl50/Dsgnregistry.h"

#include "vcl50/Sysutils.h"

IDesignRegistry::~IDesignRegistry() = default;

namespace {

IDesignRegistry*& Installed()
{
    static IDesignRegistry* registry = nullptr;
    return registry;
}

IDesignRegistry& Require(const char* call)
{
    if (!Installed())
        throw EInvalidOperation(Format("%s needs a designer host to register with", {call}));
    return *Installed();
}

}  // namespace

void SetDesignRegistry(IDesignRegistry* registry)
{
    if (registry && Installed() && Installed() != registry)
        throw EInvalidOperation("Another designer host has installed its registry");
    Installed() = registry;
}

IDesignRegistry* DesignRegistry()
{
    return Installed();
}

void RegisterComponents(const AnsiString& page, const TComponentClass* classes, int lastIndex)
{
    if (lastIndex < -1 || (lastIndex >= 0 && !classes))
        throw EInvalidOperation("RegisterComponents: no classes where the last index says there are");
    Require("RegisterComponents")
        .RegisterComponents(page, std::span<const TComponentClass>(classes, static_cast<size_t>(lastIndex + 1)));
}

void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass, const AnsiString& propertyName,
                            TPropertyEditorClass editorClass)
{
    Require("RegisterPropertyEditor").RegisterPropertyEditor(propertyType, componentClass, propertyName, editorClass);
}

void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass)
{
    Require("RegisterComponentEditor").RegisterComponentEditor(componentClass, editorClass);
}
