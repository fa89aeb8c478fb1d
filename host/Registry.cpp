#include "host/Registry.h"

#include <algorithm>

#include "vcl50/Sysutils.h"

namespace {

// How far below the root a class is; a null class (every class) ranks below them all.
int Depth(TClass cls)
{
    int depth = -1;
    for (; cls; cls = cls->ClassParent())
        ++depth;
    return depth;
}

bool Applies(TClass rowClass, TClass componentClass)
{
    return !rowClass || (componentClass && componentClass->InheritsFrom(rowClass));
}

// Of the rows that apply to componentClass and that `fits` accepts, the one for the most derived
// class; of rows for the same class the last registered, which overrides the earlier ones.
template <class Row, class Fits>
const Row* MostSpecific(const std::vector<Row>& rows, TClass componentClass, Fits fits)
{
    const Row* best = nullptr;
    int bestDepth = 0;
    for (const Row& row : rows) {
        if (!Applies(row.ComponentClass, componentClass) || !fits(row))
            continue;
        int depth = Depth(row.ComponentClass);
        if (!best || depth >= bestDepth) {
            best = &row;
            bestDepth = depth;
        }
    }
    return best;
}

void RequireClass(TClass cls, TClass base, const char* what)
{
    if (!cls)
        throw EInvalidOperation(Format("%s: no class given", {what}));
    if (!cls->InheritsFrom(base))
        throw EInvalidOperation(Format("%s: %s is not a %s", {what, cls->ClassName(), base->ClassName()}));
}

}  // namespace

TDesignRegistry::TDesignRegistry() = default;

TDesignRegistry::~TDesignRegistry()
{
    for (const TStreamedClass& s : FStreamed)
        UnregisterClass(s.Class);
}

void TDesignRegistry::RegisterComponents(const AnsiString& page, std::span<const TComponentClass> classes)
{
    for (TComponentClass cls : classes)
        RequireClass(cls, TComponent::StaticClass(), "RegisterComponents");
    auto it = std::find_if(FPages.begin(), FPages.end(), [&](const TPalettePage& p) { return p.Name == page; });
    if (it == FPages.end()) {
        FPages.push_back({page, {}});
        it = FPages.end() - 1;
    }
    for (TComponentClass cls : classes) {
        if (FindPaletteClass(cls->ClassName()) == cls)
            continue;
        bool known = GetClass(cls->ClassName()) != nullptr;
        RegisterClass(cls);  // raises when another class holds the name
        if (!known)
            FStreamed.push_back({cls, FCurrent});
        it->Classes.push_back({cls, FCurrent});
    }
}

void TDesignRegistry::RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                             const AnsiString& propertyName, TPropertyEditorClass editorClass)
{
    if (!propertyType)
        throw EInvalidOperation("RegisterPropertyEditor: no property type given");
    RequireClass(editorClass, TPropertyEditor::StaticClass(), "RegisterPropertyEditor");
    FPropertyEditors.push_back({propertyType, componentClass, propertyName, editorClass, FCurrent});
}

void TDesignRegistry::RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass)
{
    RequireClass(componentClass, TComponent::StaticClass(), "RegisterComponentEditor");
    RequireClass(editorClass, TComponentEditor::StaticClass(), "RegisterComponentEditor");
    FComponentEditors.push_back({componentClass, editorClass, FCurrent});
}

TPropertyEditorClass TDesignRegistry::FindPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                                         std::string_view propertyName) const
{
    auto fits = [&](const TPropertyEditorRow& row) {
        return row.PropertyType == propertyType
               && (row.PropertyName.empty() || SameText(row.PropertyName, propertyName));
    };
    const TPropertyEditorRow* best = MostSpecific(FPropertyEditors, componentClass, fits);
    return best ? best->EditorClass : nullptr;
}

TComponentEditorClass TDesignRegistry::FindComponentEditor(TClass componentClass) const
{
    const TComponentEditorRow* best =
        MostSpecific(FComponentEditors, componentClass, [](const TComponentEditorRow&) { return true; });
    return best ? best->EditorClass : nullptr;
}

TDesignRegistry::TModuleScope::TModuleScope(TDesignRegistry& registry, TModuleTag module)
    : FRegistry(registry), FPrevious(registry.FCurrent)
{
    registry.FCurrent = module;
}

TDesignRegistry::TModuleScope::~TModuleScope()
{
    FRegistry.FCurrent = FPrevious;
}

void TDesignRegistry::RemoveModule(TModuleTag module)
{
    for (TPalettePage& page : FPages)
        std::erase_if(page.Classes, [&](const TPaletteEntry& e) { return e.Module == module; });
    std::erase_if(FPages, [](const TPalettePage& p) { return p.Classes.empty(); });
    std::erase_if(FPropertyEditors, [&](const TPropertyEditorRow& r) { return r.Module == module; });
    std::erase_if(FComponentEditors, [&](const TComponentEditorRow& r) { return r.Module == module; });
    std::erase_if(FStreamed, [&](const TStreamedClass& s) {
        if (s.Module != module)
            return false;
        UnregisterClass(s.Class);
        return true;
    });
}

TComponentClass TDesignRegistry::FindPaletteClass(std::string_view name) const
{
    for (const TPalettePage& page : FPages)
        for (const TPaletteEntry& entry : page.Classes)
            if (SameText(entry.Class->ClassName(), name))
                return entry.Class;
    return nullptr;
}
