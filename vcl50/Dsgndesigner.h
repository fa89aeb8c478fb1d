#pragma once
// The designer a design-time package's editors work with: a designer host implements
// TFormDesigner for each form it designs.

#include <functional>
#include <string_view>
#include <vector>

#include "vcl50/Classes.h"

using TGetStrProc = std::function<void(const AnsiString&)>;
using TDesignerSelectionList = std::vector<TPersistent*>;
// Editors are TObject descendants with metaclasses, so an editor class is a TClass.
using TPropertyEditorClass = TClass;
using TComponentEditorClass = TClass;

// What editors may ask of the designer of the form they edit.
class TFormDesigner {
public:
    virtual ~TFormDesigner();
    // Marks the designed form changed.
    virtual void Modified() = 0;
    virtual TComponent* GetRoot() const = 0;
    // How a reference to `component` is shown: its name; "" for null.
    virtual AnsiString GetComponentName(TComponent* component) const = 0;
    // The designed form's component of that name (the root's own name too); null when none.
    virtual TComponent* GetComponent(std::string_view name) const = 0;
    // Names of the designed form's components of class `cls` or a descendant, in form order.
    virtual void GetComponentNames(TClass cls, const TGetStrProc& proc) const = 0;
    // Names of the root's published methods whose parameters fit the event type.
    virtual void GetMethods(const TTypeInfo* eventType, const TGetStrProc& proc) const = 0;
    // Asks to show an event handler's code; a host without a code editor only notes the name.
    virtual void ShowMethod(const AnsiString& name) = 0;
};
