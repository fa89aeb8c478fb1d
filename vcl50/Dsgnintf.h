#pragma once
// The designer's design-time interface: property editors, component editors and the three
// registration calls a design-time package makes. A designer host installs the registry those
// calls fill (IDesignRegistry) and implements TFormDesigner for each form it designs.
//
// Editors are TObject descendants with metaclasses, so an editor class is a TClass. The host
// makes an editor through CreatePropertyEditor / CreateComponentEditor: the metaclass's virtual
// constructor, then the designer and the edited objects, then Initialize.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "vcl50/Classes.h"

enum TPropertyAttribute : uint8_t {
    paValueList,      // offers a drop-down of values (GetValues)
    paSubProperties,  // has sub-rows (GetProperties)
    paDialog,         // has a button that calls Edit
    paMultiSelect,    // shown when several objects are selected
    paAutoUpdate,     // SetValue after every keystroke
    paSortList,       // the drop-down is shown sorted
    paReadOnly,       // the value cannot be typed
    paRevertable,     // can be reset to its inherited value
};
using TPropertyAttributes = TSet<TPropertyAttribute>;
template <> struct TypeInfoTraits<TPropertyAttribute> { static const TTypeInfo* Get(); };

using TGetStrProc = std::function<void(const AnsiString&)>;
using TDesignerSelectionList = std::vector<TPersistent*>;
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

class TPropertyEditor;
using TGetPropEditProc = std::function<void(std::unique_ptr<TPropertyEditor>)>;

// One edited object and its property (objects of different classes have different TPropInfo).
struct TInstProp {
    TPersistent* Instance = nullptr;
    const TPropInfo* PropInfo = nullptr;
};

class TPropertyEditor : public TObject {
public:
    TPropertyEditor();
    ~TPropertyEditor() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The operations the inspector calls; descendants override what they change.
    virtual void Activate();
    // Whether every selected object holds the same value (the base: only one is selected).
    virtual bool AllEqual();
    virtual bool AutoFill();
    // The dialog button; the base steps to the next entry of the value list.
    virtual void Edit();
    // The base: [paMultiSelect, paRevertable].
    virtual TPropertyAttributes GetAttributes();
    virtual int GetEditLimit();
    virtual AnsiString GetName();
    virtual void GetProperties(const TGetPropEditProc& proc);
    virtual AnsiString GetValue();
    virtual void GetValues(const TGetStrProc& proc);
    virtual void Initialize();
    virtual void SetValue(const AnsiString& value);

    TFormDesigner* Designer() const { return FDesigner; }
    int PropCount() const { return static_cast<int>(FProps.size()); }
    // The i-th edited object: a selected component, or the sub-object of a sub-row.
    TPersistent* GetComponent(int index) const;
    const TPropInfo* GetPropInfo() const { return FProps.front().PropInfo; }
    const TTypeInfo* GetPropType() const { return GetPropInfo()->PropType; }

    // Values of the first edited object (or of the i-th).
    AnsiString GetStrValue() const { return GetStrValueAt(0); }
    AnsiString GetStrValueAt(int index) const;
    int64_t GetOrdValue() const { return GetOrdValueAt(0); }
    int64_t GetOrdValueAt(int index) const;
    TMethodRef GetMethodValue() const { return GetMethodValueAt(0); }
    TMethodRef GetMethodValueAt(int index) const;
    TObject* GetObjValue() const { return GetObjValueAt(0); }
    TObject* GetObjValueAt(int index) const;

    // Write the value to every edited object, then mark the designer modified once. Should a
    // write fail part way, the objects already written stay written and the mark is still set.
    void SetStrValue(const AnsiString& value);
    void SetOrdValue(int64_t value);
    void SetObjValue(TObject* value);
    // Binds the published method `method` of `data` (null clears); EPropertyError on a misfit.
    void SetMethodValue(TObject* data, const TMethodEntry* method);

protected:
    const std::vector<TInstProp>& Props() const { return FProps; }
    // Writes change(old value) to each edited object, for edits that keep the rest of each
    // object's own value (one element of a set); then marks the designer modified once.
    void ChangeOrdValues(const std::function<int64_t(int64_t)>& change);

    // Sub-editors made by GetProperties edit other objects under the same designer.
    std::unique_ptr<TPropertyEditor> CreateSubEditor(TPropertyEditorClass editorClass,
                                                     std::vector<TInstProp> props) const;

private:
    friend std::unique_ptr<TPropertyEditor> CreatePropertyEditor(TPropertyEditorClass, TFormDesigner*,
                                                                 std::vector<TInstProp>);
    template <class Write>
    void WriteAll(Write write);

    TFormDesigner* FDesigner = nullptr;
    std::vector<TInstProp> FProps;
};

// Makes an editor of `editorClass` for the property of `props` (one entry per edited object,
// at least one) and calls its Initialize. Raises EInvalidOperation for a class that is no
// property editor.
std::unique_ptr<TPropertyEditor> CreatePropertyEditor(TPropertyEditorClass editorClass, TFormDesigner* designer,
                                                      std::vector<TInstProp> props);

// Offers `proc` an editor for each published property that all of `selection` have, in the
// first object's property order. With several objects, a property is left out when their editor
// classes differ or its editor lacks paMultiSelect.
void GetComponentProperties(const TDesignerSelectionList& selection, TFormDesigner* designer,
                            const TGetPropEditProc& proc);

// ---- the standard property editors ------------------------------------------------------------

class TOrdinalProperty : public TPropertyEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    bool AllEqual() override;
    int GetEditLimit() override;
};

// Integers; a type with named constants (TFontCharset) shows and accepts the names.
class TIntegerProperty : public TOrdinalProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    AnsiString GetValue() override;
    // Raises EPropertyError "Value must be between MIN and MAX" outside the type's range.
    void SetValue(const AnsiString& value) override;
};

// A character: itself when printable, else #N.
class TCharProperty : public TOrdinalProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
};

class TEnumProperty : public TOrdinalProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    TPropertyAttributes GetAttributes() override;  // + paValueList, paSortList
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // By name, without regard to case; an unknown name raises EPropertyError.
    void SetValue(const AnsiString& value) override;
};

// False, True, in that order.
class TBoolProperty : public TEnumProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    TPropertyAttributes GetAttributes() override;  // the enumeration's, without paSortList
};

// "[fsBold,fsItalic]"; edited through one True/False sub-row per element.
class TSetProperty : public TOrdinalProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    TPropertyAttributes GetAttributes() override;  // + paSubProperties, paReadOnly
    AnsiString GetValue() override;
    void GetProperties(const TGetPropEditProc& proc) override;
};

// One element of a set, made by TSetProperty::GetProperties.
class TSetElementProperty : public TPropertyEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
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

class TStringProperty : public TPropertyEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    bool AllEqual() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
};

// Colours by name where one exists, else as "$00FF8080"; names or numbers are accepted; the
// dialog button runs a colour dialog.
class TColorProperty : public TIntegerProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    void Edit() override;
    TPropertyAttributes GetAttributes() override;  // [paMultiSelect, paDialog, paValueList, paRevertable]
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const AnsiString& value) override;
};

// An owned sub-object ("(TFont)"), edited through its published properties as sub-rows whose
// GetComponent(i) is the sub-object itself.
class TClassProperty : public TPropertyEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    TPropertyAttributes GetAttributes() override;  // [paMultiSelect, paSubProperties, paReadOnly]
    void GetProperties(const TGetPropEditProc& proc) override;
    AnsiString GetValue() override;
};

// A reference to another component of the form, shown and set by its name.
class TComponentProperty : public TPropertyEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
    bool AllEqual() override;
    TPropertyAttributes GetAttributes() override;  // + paValueList, paSortList
    int GetEditLimit() override;
    AnsiString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // "" clears; an unknown name or a component of an unfitting class raises EPropertyError.
    void SetValue(const AnsiString& value) override;
};

// An event, shown as the name of its handler among the root's published methods.
class TMethodProperty : public TPropertyEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;
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

// ---- component editors ------------------------------------------------------------------------

class TComponentEditor : public TObject {
public:
    TComponentEditor();
    ~TComponentEditor() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // A double-click on the component; the base runs verb 0 when there is one.
    virtual void Edit();
    virtual void ExecuteVerb(int index);
    virtual AnsiString GetVerb(int index);
    virtual int GetVerbCount();
    // Called before verb `index` is shown in a menu.
    virtual void PrepareItem(int index);
    // Called after the component was copied to the clipboard.
    virtual void Copy();

    TComponent* Component() const { return FComponent; }
    TFormDesigner* Designer() const { return FDesigner; }
    TFormDesigner* GetDesigner() const { return FDesigner; }

private:
    friend std::unique_ptr<TComponentEditor> CreateComponentEditor(TComponentEditorClass, TComponent*,
                                                                   TFormDesigner*);
    TComponent* FComponent = nullptr;
    TFormDesigner* FDesigner = nullptr;
};

// The editor of components that have none of their own: a double-click offers each of the
// component's property editors to EditProperty until Continue is false, then edits the best
// event found (OnCreate, else OnChange, else OnClick, else the first event).
class TDefaultEditor : public TComponentEditor {
public:
    TDefaultEditor();
    ~TDefaultEditor() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    void Edit() override;
    // Setting FreeEditor false takes the editor over from the walk, which then does not free it.
    virtual void EditProperty(TPropertyEditor* editor, bool& Continue, bool& FreeEditor);

private:
    std::unique_ptr<TPropertyEditor> FFirst;  // the first event
    std::unique_ptr<TPropertyEditor> FBest;   // the best-ranked event so far
    int FBestRank = 0;
};

// Raises EInvalidOperation for a class that is no component editor.
std::unique_ptr<TComponentEditor> CreateComponentEditor(TComponentEditorClass editorClass, TComponent* component,
                                                        TFormDesigner* designer);

// ---- registration -----------------------------------------------------------------------------

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

// The editor the designer uses: the registered one, else the standard editor of the type's kind
// (null for kinds it cannot edit).
TPropertyEditorClass GetEditorClass(const TPropInfo* prop, TClass componentClass);
TPropertyEditorClass DefaultEditorClass(const TTypeInfo* propertyType);
TComponentEditorClass GetComponentEditorClass(TClass componentClass);
