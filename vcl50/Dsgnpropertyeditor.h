#pragma once
// The base of property editors: what the object inspector calls for one property of the
// selected objects, and how the host makes an editor (the metaclass's virtual constructor, then
// the designer and the edited objects, then Initialize).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "vcl50/Classes.h"
#include "vcl50/Dsgndesigner.h"

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

class TPropertyEditor;
using TGetPropEditProc = std::function<void(std::unique_ptr<TPropertyEditor>)>;

// One edited object and its property (objects of different classes have different TPropInfo).
struct TInstProp {
    TPersistent* Instance = nullptr;
    const TPropInfo* PropInfo = nullptr;
};

class TPropertyEditor : public TDerived<TPropertyEditor, TObject> {
public:
    TPropertyEditor();
    ~TPropertyEditor() override;
    static TClass StaticClass();

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
    // Whether the value is a file's path as a file dialog returns it, which the inspector shows
    // relative to the form file's folder when it lies inside it. The base: false.
    virtual bool NamesFile();
    // Whether Edit opens a dialog, so the inspector offers its "..." button. The base: paDialog;
    // an editor whose drop-down also has a dialog says so here, its attributes as they are.
    virtual bool EditOpensDialog();

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
