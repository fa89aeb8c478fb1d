#pragma once
// What design-time packages and the host registered: palette pages, property-editor rows and
// component-editor rows, in registration order, each tagged with the module that made it so a
// package's rows leave with the package.

#include <span>
#include <string_view>
#include <vector>

#include "vcl50/Dsgnintf.h"

class TDesignRegistry : public IDesignRegistry {
public:
    // The registering module: a package's instance handle; null for the host itself.
    using TModuleTag = const void*;

    struct TPaletteEntry {
        TComponentClass Class;
        TModuleTag Module;
    };
    struct TPalettePage {
        AnsiString Name;
        std::vector<TPaletteEntry> Classes;
    };
    struct TPropertyEditorRow {
        const TTypeInfo* PropertyType;
        TClass ComponentClass;  // null: every class
        AnsiString PropertyName;  // empty: every property of the type
        TPropertyEditorClass EditorClass;
        TModuleTag Module;
    };
    struct TComponentEditorRow {
        TClass ComponentClass;
        TComponentEditorClass EditorClass;
        TModuleTag Module;
    };

    TDesignRegistry();
    ~TDesignRegistry() override;
    TDesignRegistry(const TDesignRegistry&) = delete;
    TDesignRegistry& operator=(const TDesignRegistry&) = delete;

    // Palette classes also become known to the class registry, for form files; a class already
    // on the palette is not added twice.
    void RegisterComponents(const AnsiString& page, std::span<const TComponentClass> classes) override;
    void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                const AnsiString& propertyName, TPropertyEditorClass editorClass) override;
    void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass) override;

    // Rows whose type is the property's, whose class is `componentClass` or an ancestor and whose
    // name is the property's (or empty): the most derived class wins, a later row a tie.
    TPropertyEditorClass FindPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                            std::string_view propertyName) const override;
    // The row of the most derived class `componentClass` inherits from; a later row wins a tie.
    TComponentEditorClass FindComponentEditor(TClass componentClass) const override;

    // Registrations made while a scope is alive are tagged with its module.
    class TModuleScope {
    public:
        TModuleScope(TDesignRegistry& registry, TModuleTag module);
        ~TModuleScope();
        TModuleScope(const TModuleScope&) = delete;
        TModuleScope& operator=(const TModuleScope&) = delete;

    private:
        TDesignRegistry& FRegistry;
        TModuleTag FPrevious;
    };
    // Drops every row of `module` and unregisters the classes its palette entries registered.
    void RemoveModule(TModuleTag module);

    const std::vector<TPalettePage>& Pages() const { return FPages; }
    const std::vector<TPropertyEditorRow>& PropertyEditorRows() const { return FPropertyEditors; }
    const std::vector<TComponentEditorRow>& ComponentEditorRows() const { return FComponentEditors; }
    // A palette class of that name (any page, any letter case); null when none.
    TComponentClass FindPaletteClass(std::string_view name) const;

private:
    TModuleTag FCurrent = nullptr;
    std::vector<TPalettePage> FPages;
    std::vector<TPropertyEditorRow> FPropertyEditors;
    std::vector<TComponentEditorRow> FComponentEditors;
    struct TStreamedClass {
        TClass Class;
        TModuleTag Module;
    };
    std::vector<TStreamedClass> FStreamed;  // classes this registry made known to RegisterClass
};
