// The standard property editors of the designer interface.

#include "vcl50/Dsgnproperties.h"

#include "vcl50/Dialogs.h"
#include "vcl50/Dsgnregistry.h"
#include "vcl50/Graphics.h"
#include "vcl50/Sysutils.h"

namespace {

[[noreturn]] void InvalidValue()
{
    throw EPropertyError("Invalid property value");
}

}  // namespace

// ---- ordinals ---------------------------------------------------------------------------------

TClass TOrdinalProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TOrdinalProperty, TPropertyEditor>("TOrdinalProperty").Build();
    return &meta;
}

bool TOrdinalProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetOrdValueAt(i) != GetOrdValue())
            return false;
    return true;
}

int TOrdinalProperty::GetEditLimit()
{
    return 63;
}

TClass TIntegerProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TIntegerProperty, TOrdinalProperty>("TIntegerProperty").Build();
    return &meta;
}

AnsiString TIntegerProperty::GetValue()
{
    int64_t value = GetOrdValue();
    std::string ident;
    if (GetPropType()->IntToIdent && GetPropType()->IntToIdent(value, ident))
        return ident;
    return IntToStr(value);
}

void TIntegerProperty::SetValue(const AnsiString& value)
{
    const TTypeInfo* type = GetPropType();
    int64_t number;
    if (!(type->IdentToInt && type->IdentToInt(Trim(value), number)))
        number = StrToInt(value);
    if (number < type->MinValue || number > type->MaxValue)
        throw EPropertyError(Format("Value must be between %d and %d", {type->MinValue, type->MaxValue}));
    SetOrdValue(number);
}

TClass TCharProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TCharProperty, TOrdinalProperty>("TCharProperty").Build();
    return &meta;
}

AnsiString TCharProperty::GetValue()
{
    int64_t c = GetOrdValue();
    if (c >= ' ' && c < 127)
        return AnsiString(1, static_cast<char>(c));
    return "#" + IntToStr(c);
}

void TCharProperty::SetValue(const AnsiString& value)
{
    int64_t c;
    if (value.empty())
        c = 0;
    else if (value.size() == 1)
        c = static_cast<unsigned char>(value[0]);
    else if (value[0] == '#')
        c = StrToInt(std::string_view(value).substr(1));
    else
        InvalidValue();
    const TTypeInfo* type = GetPropType();
    if (c < type->MinValue || c > type->MaxValue)
        throw EPropertyError(Format("Value must be between %d and %d", {type->MinValue, type->MaxValue}));
    SetOrdValue(c);
}

// ---- enumerations and sets --------------------------------------------------------------------

TClass TEnumProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TEnumProperty, TOrdinalProperty>("TEnumProperty").Build();
    return &meta;
}

TPropertyAttributes TEnumProperty::GetAttributes()
{
    return TOrdinalProperty::GetAttributes() + TPropertyAttributes{paValueList, paSortList};
}

AnsiString TEnumProperty::GetValue()
{
    int64_t value = GetOrdValue();
    AnsiString name = GetEnumName(GetPropType(), value);
    return name.empty() ? IntToStr(value) : name;
}

void TEnumProperty::GetValues(const TGetStrProc& proc)
{
    for (const std::string& name : GetPropType()->EnumNames)
        proc(name);
}

void TEnumProperty::SetValue(const AnsiString& value)
{
    int64_t ordinal = GetEnumValue(GetPropType(), Trim(value));
    if (ordinal < 0)
        InvalidValue();
    SetOrdValue(ordinal);
}

TClass TBoolProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TBoolProperty, TEnumProperty>("TBoolProperty").Build();
    return &meta;
}

TPropertyAttributes TBoolProperty::GetAttributes()
{
    return TEnumProperty::GetAttributes() - TPropertyAttributes{paSortList};
}

TClass TSetProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TSetProperty, TOrdinalProperty>("TSetProperty").Build();
    return &meta;
}

TPropertyAttributes TSetProperty::GetAttributes()
{
    return TOrdinalProperty::GetAttributes() + TPropertyAttributes{paSubProperties, paReadOnly};
}

AnsiString TSetProperty::GetValue()
{
    return SetToString(GetPropType(), GetOrdValue());
}

void TSetProperty::GetProperties(const TGetPropEditProc& proc)
{
    size_t count = GetPropType()->CompType->EnumNames.size();
    for (size_t element = 0; element < count && element < 64; ++element) {
        auto editor = CreateSubEditor(TSetElementProperty::StaticClass(), Props());
        static_cast<TSetElementProperty*>(editor.get())->FElement = static_cast<int>(element);
        proc(std::move(editor));
    }
}

TClass TSetElementProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TSetElementProperty, TPropertyEditor>("TSetElementProperty").Build();
    return &meta;
}

bool TSetElementProperty::AllEqual()
{
    auto bit = [this](int i) { return (GetOrdValueAt(i) >> FElement) & 1; };
    for (int i = 1; i < PropCount(); ++i)
        if (bit(i) != bit(0))
            return false;
    return true;
}

TPropertyAttributes TSetElementProperty::GetAttributes()
{
    return {paMultiSelect, paValueList, paSortList};
}

AnsiString TSetElementProperty::GetName()
{
    return GetPropType()->CompType->EnumNames.at(static_cast<size_t>(FElement));
}

AnsiString TSetElementProperty::GetValue()
{
    return (GetOrdValue() >> FElement) & 1 ? "True" : "False";
}

void TSetElementProperty::GetValues(const TGetStrProc& proc)
{
    proc("False");
    proc("True");
}

void TSetElementProperty::SetValue(const AnsiString& value)
{
    bool on;
    if (SameText(Trim(value), "True"))
        on = true;
    else if (SameText(Trim(value), "False"))
        on = false;
    else
        InvalidValue();
    int64_t bit = int64_t{1} << FElement;
    ChangeOrdValues([&](int64_t old) { return on ? old | bit : old & ~bit; });
}

// ---- strings and colours ----------------------------------------------------------------------

TClass TStringProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TStringProperty, TPropertyEditor>("TStringProperty").Build();
    return &meta;
}

bool TStringProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetStrValueAt(i) != GetStrValue())
            return false;
    return true;
}

AnsiString TStringProperty::GetValue()
{
    return GetStrValue();
}

void TStringProperty::SetValue(const AnsiString& value)
{
    SetStrValue(value);
}

TClass TComponentNameProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TComponentNameProperty, TStringProperty>("TComponentNameProperty").Build();
    return &meta;
}

TPropertyAttributes TComponentNameProperty::GetAttributes()
{
    return {};
}

int TComponentNameProperty::GetEditLimit()
{
    return 63;
}

TClass TColorProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TColorProperty, TIntegerProperty>("TColorProperty").Build();
    return &meta;
}

void TColorProperty::Edit()
{
    auto dialog = ConstructUnique<TColorDialog>(nullptr);
    dialog->SetColor(static_cast<TColor>(GetOrdValue()));
    if (dialog->Execute())
        SetOrdValue(dialog->Color());
}

TPropertyAttributes TColorProperty::GetAttributes()
{
    return {paMultiSelect, paDialog, paValueList, paRevertable};
}

AnsiString TColorProperty::GetValue()
{
    return ColorToString(static_cast<TColor>(GetOrdValue()));
}

void TColorProperty::GetValues(const TGetStrProc& proc)
{
    GetColorValues(proc);
}

void TColorProperty::SetValue(const AnsiString& value)
{
    SetOrdValue(StringToColor(Trim(value)));
}

// ---- objects, references and events -----------------------------------------------------------

TClass TClassProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TClassProperty, TPropertyEditor>("TClassProperty").Build();
    return &meta;
}

TPropertyAttributes TClassProperty::GetAttributes()
{
    return {paMultiSelect, paSubProperties, paReadOnly};
}

void TClassProperty::GetProperties(const TGetPropEditProc& proc)
{
    TDesignerSelectionList objects;
    for (int i = 0; i < PropCount(); ++i) {
        TObject* object = GetObjValueAt(i);
        if (!Is<TPersistent>(object))
            return;  // an unassigned sub-object has nothing to show
        objects.push_back(static_cast<TPersistent*>(object));
    }
    GetComponentProperties(objects, Designer(), proc);
}

AnsiString TClassProperty::GetValue()
{
    return "(" + GetPropType()->Name + ")";
}

namespace {

AnsiString NameOf(TFormDesigner* designer, TObject* object)
{
    auto* component = As<TComponent>(object);
    if (!component)
        return "";
    return designer ? designer->GetComponentName(component) : component->Name();
}

}  // namespace

TClass TComponentProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TComponentProperty, TPropertyEditor>("TComponentProperty").Build();
    return &meta;
}

bool TComponentProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetObjValueAt(i) != GetObjValue())
            return false;
    return true;
}

TPropertyAttributes TComponentProperty::GetAttributes()
{
    return TPropertyEditor::GetAttributes() + TPropertyAttributes{paValueList, paSortList};
}

int TComponentProperty::GetEditLimit()
{
    return 127;
}

AnsiString TComponentProperty::GetValue()
{
    return NameOf(Designer(), GetObjValue());
}

void TComponentProperty::GetValues(const TGetStrProc& proc)
{
    if (Designer())
        Designer()->GetComponentNames(GetPropType()->ClassType, proc);
}

void TComponentProperty::SetValue(const AnsiString& value)
{
    AnsiString name = Trim(value);
    if (name.empty()) {
        SetObjValue(nullptr);
        return;
    }
    TComponent* component = Designer() ? Designer()->GetComponent(name) : nullptr;
    if (!component || !component->InheritsFrom(GetPropType()->ClassType))
        InvalidValue();
    SetObjValue(component);
}

TClass TMethodProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TMethodProperty, TPropertyEditor>("TMethodProperty").Build();
    return &meta;
}

bool TMethodProperty::AllEqual()
{
    TMethodRef first = GetMethodValue();
    for (int i = 1; i < PropCount(); ++i) {
        TMethodRef other = GetMethodValueAt(i);
        if (other.Data != first.Data || !SameText(other.Name, first.Name))
            return false;
    }
    return true;
}

namespace {

const TMethodEntry* FittingMethod(TFormDesigner* designer, const TTypeInfo* eventType, std::string_view name)
{
    if (!designer || !designer->GetRoot())
        return nullptr;
    const TMethodEntry* method = designer->GetRoot()->ClassType()->FindMethod(name);
    if (!method || !eventType->MethodSignature || method->Signature != std::type_index(*eventType->MethodSignature))
        return nullptr;
    return method;
}

}  // namespace

void TMethodProperty::Edit()
{
    AnsiString name = GetValue();
    if (name.empty()) {
        name = GetFormMethodName();
        // Without a code editor no handler can be written, but an existing one is bound.
        if (FittingMethod(Designer(), GetPropType(), name))
            SetValue(name);
    }
    if (Designer())
        Designer()->ShowMethod(name);
}

TPropertyAttributes TMethodProperty::GetAttributes()
{
    return TPropertyEditor::GetAttributes() + TPropertyAttributes{paValueList, paSortList};
}

int TMethodProperty::GetEditLimit()
{
    return 127;
}

AnsiString TMethodProperty::GetValue()
{
    TMethodRef method = GetMethodValue();
    return method.Assigned ? method.Name : "";
}

void TMethodProperty::GetValues(const TGetStrProc& proc)
{
    if (Designer())
        Designer()->GetMethods(GetPropType(), proc);
}

void TMethodProperty::SetValue(const AnsiString& value)
{
    AnsiString name = Trim(value);
    if (name.empty()) {
        SetMethodValue(nullptr, nullptr);
        return;
    }
    const TMethodEntry* method = FittingMethod(Designer(), GetPropType(), name);
    if (!method)
        InvalidValue();
    SetMethodValue(Designer()->GetRoot(), method);
}

AnsiString TMethodProperty::GetFormMethodName()
{
    AnsiString prefix;
    TPersistent* object = GetComponent(0);
    if (Designer() && object == Designer()->GetRoot()) {
        prefix = object->ClassName();
        if (!prefix.empty() && (prefix[0] == 'T' || prefix[0] == 't'))
            prefix.erase(0, 1);
    } else if (Is<TComponent>(object)) {
        prefix = static_cast<TComponent*>(object)->Name();
    }
    AnsiString event = GetName();
    if (event.size() > 2 && SameText(event.substr(0, 2), "On"))
        event.erase(0, 2);
    return prefix + event;
}

// ---- which editor a property gets ------------------------------------------------------------

TPropertyEditorClass GetEditorClass(const TPropInfo* prop, TClass componentClass)
{
    if (IDesignRegistry* registry = DesignRegistry())
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

// ---- the properties of a selection ------------------------------------------------------------

namespace {

// The inspector shows what it can read, and of plain values only what it can also write.
bool Shown(const TPropInfo* prop)
{
    return prop->IsWritable() || prop->Kind() == tkClass;
}

}  // namespace

void GetComponentProperties(const TDesignerSelectionList& selection, TFormDesigner* designer,
                            const TGetPropEditProc& proc)
{
    if (selection.empty())
        return;
    TPersistent* first = selection.front();
    for (const TPropInfo* prop : GetPropInfos(first)) {
        if (!Shown(prop))
            continue;
        TPropertyEditorClass editorClass = GetEditorClass(prop, first->ClassType());
        if (!editorClass)
            continue;
        std::vector<TInstProp> props{{first, prop}};
        for (size_t i = 1; i < selection.size(); ++i) {
            const TPropInfo* other = GetPropInfo(selection[i], prop->Name);
            if (!other || other->PropType != prop->PropType || !Shown(other) ||
                GetEditorClass(other, selection[i]->ClassType()) != editorClass)
                break;
            props.push_back({selection[i], other});
        }
        if (props.size() != selection.size())
            continue;
        auto editor = CreatePropertyEditor(editorClass, designer, std::move(props));
        if (selection.size() > 1 && !editor->GetAttributes().Contains(paMultiSelect))
            continue;
        proc(std::move(editor));
    }
}
