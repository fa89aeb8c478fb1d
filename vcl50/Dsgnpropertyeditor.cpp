#include "vcl50/Dsgnpropertyeditor.h"

#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

// ---- attributes -------------------------------------------------------------------------------

const TTypeInfo* TypeInfoTraits<TPropertyAttribute>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TPropertyAttribute>(
        "TPropertyAttribute", {"paValueList", "paSubProperties", "paDialog", "paMultiSelect", "paAutoUpdate",
                               "paSortList", "paReadOnly", "paRevertable"});
    return &info;
}

// ---- TPropertyEditor --------------------------------------------------------------------------

TPropertyEditor::TPropertyEditor() = default;
TPropertyEditor::~TPropertyEditor() = default;

TClass TPropertyEditor::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TPropertyEditor, TObject>("TPropertyEditor").Build();
    return &meta;
}

void TPropertyEditor::Activate() {}

bool TPropertyEditor::AllEqual()
{
    return PropCount() == 1;
}

bool TPropertyEditor::AutoFill()
{
    return true;
}

void TPropertyEditor::Edit()
{
    TStringList values;
    values.SetSorted(GetAttributes().Contains(paSortList));
    GetValues([&](const AnsiString& value) { values.Add(value); });
    if (values.Count() == 0)
        return;
    int next = values.IndexOf(GetValue()) + 1;
    SetValue(values[next == values.Count() ? 0 : next]);
}

TPropertyAttributes TPropertyEditor::GetAttributes()
{
    return {paMultiSelect, paRevertable};
}

int TPropertyEditor::GetEditLimit()
{
    return 255;
}

AnsiString TPropertyEditor::GetName()
{
    return GetPropInfo()->Name;
}

void TPropertyEditor::GetProperties(const TGetPropEditProc&) {}

AnsiString TPropertyEditor::GetValue()
{
    return "(unknown)";
}

void TPropertyEditor::GetValues(const TGetStrProc&) {}

void TPropertyEditor::Initialize() {}

void TPropertyEditor::SetValue(const AnsiString&) {}

bool TPropertyEditor::NamesFile()
{
    return false;
}

bool TPropertyEditor::EditOpensDialog()
{
    return GetAttributes().Contains(paDialog);
}

TPersistent* TPropertyEditor::GetComponent(int index) const
{
    if (index < 0 || index >= PropCount())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return FProps[static_cast<size_t>(index)].Instance;
}

AnsiString TPropertyEditor::GetStrValueAt(int index) const
{
    const TInstProp& p = FProps.at(static_cast<size_t>(index));
    return GetStrProp(p.Instance, p.PropInfo);
}

int64_t TPropertyEditor::GetOrdValueAt(int index) const
{
    const TInstProp& p = FProps.at(static_cast<size_t>(index));
    return GetOrdProp(p.Instance, p.PropInfo);
}

TMethodRef TPropertyEditor::GetMethodValueAt(int index) const
{
    const TInstProp& p = FProps.at(static_cast<size_t>(index));
    if (!p.PropInfo->GetMethod)
        throw EPropertyError(Format("Invalid property type: %s", {p.PropInfo->PropType->Name}));
    return p.PropInfo->GetMethod(p.Instance);
}

TObject* TPropertyEditor::GetObjValueAt(int index) const
{
    const TInstProp& p = FProps.at(static_cast<size_t>(index));
    return GetObjectProp(p.Instance, p.PropInfo);
}

template <class Write>
void TPropertyEditor::WriteAll(Write write)
{
    bool wrote = false;
    try {
        for (const TInstProp& p : FProps) {
            write(p);
            wrote = true;
        }
    } catch (...) {
        // What was written is on the form: the mark must say so, or the change could be lost.
        if (wrote && FDesigner)
            FDesigner->Modified();
        throw;
    }
    if (FDesigner)
        FDesigner->Modified();
}

void TPropertyEditor::SetStrValue(const AnsiString& value)
{
    WriteAll([&](const TInstProp& p) { SetStrProp(p.Instance, p.PropInfo, value); });
}

void TPropertyEditor::SetOrdValue(int64_t value)
{
    WriteAll([&](const TInstProp& p) { SetOrdProp(p.Instance, p.PropInfo, value); });
}

void TPropertyEditor::ChangeOrdValues(const std::function<int64_t(int64_t)>& change)
{
    WriteAll([&](const TInstProp& p) {
        SetOrdProp(p.Instance, p.PropInfo, change(GetOrdProp(p.Instance, p.PropInfo)));
    });
}

void TPropertyEditor::SetObjValue(TObject* value)
{
    WriteAll([&](const TInstProp& p) { SetObjectProp(p.Instance, p.PropInfo, value); });
}

void TPropertyEditor::SetMethodValue(TObject* data, const TMethodEntry* method)
{
    WriteAll([&](const TInstProp& p) {
        if (!p.PropInfo->SetMethod)
            throw EPropertyError(Format("Invalid property type: %s", {p.PropInfo->PropType->Name}));
        if (!p.PropInfo->SetMethod(p.Instance, data, method))
            throw EPropertyError("Invalid property value");
    });
}

std::unique_ptr<TPropertyEditor> TPropertyEditor::CreateSubEditor(TPropertyEditorClass editorClass,
                                                                  std::vector<TInstProp> props) const
{
    return CreatePropertyEditor(editorClass, FDesigner, std::move(props));
}

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(TPropertyEditorClass editorClass, TFormDesigner* designer,
                                                      std::vector<TInstProp> props)
{
    if (!editorClass || !editorClass->InheritsFrom(TPropertyEditor::StaticClass()))
        throw EInvalidOperation(
            Format("%s is not a property editor class", {editorClass ? editorClass->ClassName() : "nil"}));
    if (props.empty())
        throw EInvalidOperation("A property editor needs at least one object to edit");
    for (const TInstProp& p : props)
        if (!p.Instance || !p.PropInfo)
            throw EInvalidOperation("A property editor needs an object and a property");
    std::unique_ptr<TObject> object(editorClass->Create(nullptr));
    std::unique_ptr<TPropertyEditor> editor(As<TPropertyEditor>(object.get()));
    object.release();
    editor->FDesigner = designer;
    editor->FProps = std::move(props);
    editor->Initialize();
    return editor;
}
