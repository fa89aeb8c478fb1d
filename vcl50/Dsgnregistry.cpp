#include "vcl50/Dsgnregistry.h"

#include "vcl50/Dsgneditors.h"
#include "vcl50/Dsgnproperties.h"
#include "vcl50/Graphics.h"
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

TPropertyEditorClass GetEditorClass(const TPropInfo* prop, TClass componentClass)
{
    if (IDesignRegistry* registry = Installed())
        if (TPropertyEditorClass editor = registry->FindPropertyEditor(prop->PropType, componentClass, prop->Name))
            return editor;
    return DefaultEditorClass(prop->PropType);
}

TPropertyEditorClass DefaultEditorClass(const TTypeInfo* type)
{
    switch (type->Kind) {
    case tkInteger:
        return type == TypeInfoOf<TColor>() ? TColorProperty::StaticClass() : TIntegerProperty::StaticClass();
    case tkChar:
        return TCharProperty::StaticClass();
    case tkEnumeration:
        return type == TypeInfoOf<bool>() ? TBoolProperty::StaticClass() : TEnumProperty::StaticClass();
    case tkSet:
        return TSetProperty::StaticClass();
    case tkString:
    case tkLString:
        return TStringProperty::StaticClass();
    case tkClass:
        return type->ClassType && type->ClassType->InheritsFrom(TComponent::StaticClass())
                   ? TComponentProperty::StaticClass()
                   : TClassProperty::StaticClass();
    case tkMethod:
        return TMethodProperty::StaticClass();
    default:
        return nullptr;
    }
}

TComponentEditorClass GetComponentEditorClass(TClass componentClass)
{
    if (IDesignRegistry* registry = Installed())
        if (TComponentEditorClass editor = registry->FindComponentEditor(componentClass))
            return editor;
    return TDefaultEditor::StaticClass();
}
