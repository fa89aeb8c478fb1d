#pragma once
// The standard property editors: the one the designer uses for each kind of property that no
// package registers an editor of its own for; and how the designer picks a property's editor.

#include "vcl50/Dsgnpropertyeditor.h"

class TOrdinalProperty : public TDerived<TOrdinalProperty, TPropertyEditor> {
public:
    static TClass StaticClass();
    bool AllEqual() override;
    int GetEditLimit() override;
};

// Integers; a type with named constants (TFontCharset) shows and accepts the names.
class TIntegerProperty : public TDerived<TIntegerProperty, TOrdinalProperty> {
public:
    static TClass StaticClass();
    AnsiString GetValue() override;
    // Raises EPropertyError "Value must be between MIN and MAX" outside the type's range.
    void SetValue(const AnsiString& value) override;
};

// A character: itself when printable, else #N.
class TCharProperty : public TDerived<TCharProperty, TOrdinalProperty> {
public:
    static TClass StaticClass();
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
};

class TEnumProperty : public TDerived<TEnumProperty, TOrdinalProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;  // + paValueList, paSortList
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // By name, without regard to case; an unknown name raises EPropertyError.
    void SetValue(const AnsiString& value) override;
};

// False, True, in that order.
class TBoolProperty : public TDerived<TBoolProperty, TEnumProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;  // the enumeration's, without paSortList
};

// "[fsBold,fsItalic]"; edited through one True/False sub-row per element.
class TSetProperty : public TDerived<TSetProperty, TOrdinalProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;  // + paSubProperties, paReadOnly
    AnsiString GetValue() override;
    void GetProperties(const TGetPropEditProc& proc) override;
};

// One element of a set, made by TSetProperty::GetProperties.
class TSetElementProperty : public TDerived<TSetElementProperty, TPropertyEditor> {
public:
    static TClass StaticClass();
    bool AllEqual() override;
    TPropertyAttributes GetAttributes() override;  // [paMultiSelect, paValueList, paSortList]
    AnsiString GetName() override;                 // the element's name
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const AnsiString& value) override;

private:
    friend class TSetProperty;
    int FElement = 0;
};

class TStringProperty : public TDerived<TStringProperty, TPropertyEditor> {
public:
    static TClass StaticClass();
    bool AllEqual() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
};

// A component's Name. One name cannot go to several components, so the editor leaves out
// paMultiSelect and the inspector hides the row for a multiple selection.
class TComponentNameProperty : public TDerived<TComponentNameProperty, TStringProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;  // none
    int GetEditLimit() override;                   // an identifier's 63 characters
};

// Colours by name where one exists, else as "$00FF8080"; names or numbers are accepted; the
// dialog button runs a colour dialog.
class TColorProperty : public TDerived<TColorProperty, TIntegerProperty> {
public:
    static TClass StaticClass();
    void Edit() override;
    TPropertyAttributes GetAttributes() override;  // [paMultiSelect, paDialog, paValueList, paRevertable]
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const AnsiString& value) override;
};

// An owned sub-object ("(TFont)"), edited through its published properties as sub-rows whose
// GetComponent(i) is the sub-object itself.
class TClassProperty : public TDerived<TClassProperty, TPropertyEditor> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;  // [paMultiSelect, paSubProperties, paReadOnly]
    void GetProperties(const TGetPropEditProc& proc) override;
    AnsiString GetValue() override;
};

// A reference to another component of the form, shown and set by its name.
class TComponentProperty : public TDerived<TComponentProperty, TPropertyEditor> {
public:
    static TClass StaticClass();
    bool AllEqual() override;
    TPropertyAttributes GetAttributes() override;  // + paValueList, paSortList
    int GetEditLimit() override;
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // "" clears; an unknown name or a component of an unfitting class raises EPropertyError.
    void SetValue(const AnsiString& value) override;
};

// An event, shown as the name of its handler among the root's published methods.
class TMethodProperty : public TDerived<TMethodProperty, TPropertyEditor> {
public:
    static TClass StaticClass();
    bool AllEqual() override;
    // Shows the handler, or the name a new one would get ("Button1Click"), to the designer.
    void Edit() override;
    TPropertyAttributes GetAttributes() override;  // + paValueList, paSortList
    int GetEditLimit() override;
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // "" clears; a name that is no fitting published method of the root raises EPropertyError.
    void SetValue(const AnsiString& value) override;

    // The name the platform proposes for a new handler: component name (or "Form" for the
    // root) and the event name without its "On".
    AnsiString GetFormMethodName();
};

// The editor the designer uses: the registered one, else the standard editor of the type's kind
// (null for kinds it cannot edit).
TPropertyEditorClass GetEditorClass(const TPropInfo* prop, TClass componentClass);
TPropertyEditorClass DefaultEditorClass(const TTypeInfo* propertyType);

// Offers `proc` an editor for each published property that all of `selection` have, in the
// first object's property order. With several objects, a property is left out when their editor
// classes differ or its editor lacks paMultiSelect.
void GetComponentProperties(const TDesignerSelectionList& selection, TFormDesigner* designer,
                            const TGetPropEditProc& proc);
