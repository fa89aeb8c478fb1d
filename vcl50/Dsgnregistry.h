#pragma once
// The three registration calls a design-time package makes and the registry they fill, which the
// designer host installs. The editor lookups live with the editors they fall back to.

#include <span>
#include <string_view>

#include "vcl50/Classes.h"
#include "vcl50/Dsgndesigner.h"

// What the registration calls fill; the designer host installs its own.
class IDesignRegistry {
public:
    virtual ~IDesignRegistry();
    virtual void RegisterComponents(const AnsiString& page, std::span<const TComponentClass> classes) = 0;
    virtual void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                        const AnsiString& propertyName, TPropertyEditorClass editorClass) = 0;
    virtual void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass) = 0;
    // The registered editor for a property of that type and name on an object of class
    // `componentClass`; null when no row applies.
    virtual TPropertyEditorClass FindPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                                                    std::string_view propertyName) const = 0;
    virtual TComponentEditorClass FindComponentEditor(TClass componentClass) const = 0;
};

// Null uninstalls. Raises EInvalidOperation when another registry is installed.
void SetDesignRegistry(IDesignRegistry* registry);
IDesignRegistry* DesignRegistry();

// The calls of a package's Register. Without an installed registry they raise EInvalidOperation.
// `lastIndex` is the index of the last element of `classes` (-1 for none).
void RegisterComponents(const AnsiString& page, const TComponentClass* classes, int lastIndex);
// Property types are matched by their type information's identity (TypeInfoOf<AnsiString>() is
// one object for every module). An empty name means every property of that type; a null class
// means every class.
void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass, const AnsiString& propertyName,
                            TPropertyEditorClass editorClass);
void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass);
