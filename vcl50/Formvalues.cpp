#include "vcl50/Formvalues.h"

#include <string>
#include <typeindex>

namespace {

TPropertyValue OrdinalValue(int64_t ordinal)
{
    TPropertyValue result;
    result.Kind = TPropertyValue::TKind::Ordinal;
    result.Ordinal = ordinal;
    return result;
}

bool IsNil(const TFormValue& value)
{
    return value.Kind == TFormValueKind::Ident && SameText(value.Text, "nil");
}

class TConverter {
public:
    TConverter(const TPropInfo* prop, const TFormValue& value, const TReadPlace& at)
        : FProp(prop), FType(prop->PropType), FValue(value), FAt(at)
    {
    }

    TPropertyValue Integer() const
    {
        RequireSetter(static_cast<bool>(FProp->SetOrd));
        int64_t n = 0;
        if (FValue.Kind == TFormValueKind::Integer) {
            n = FValue.Integer;
            if (!InRange(n) && FValue.Hex32)
                n = static_cast<int32_t>(n);
        } else if (FValue.Kind == TFormValueKind::Ident) {
            if (!FType->IdentToInt || !FType->IdentToInt(FValue.Text, n))
                InvalidIdent();
        } else if (FValue.Kind == TFormValueKind::String && FType->Kind == tkChar &&
                   FValue.Text.size() == 1) {
            n = static_cast<unsigned char>(FValue.Text[0]);
        } else {
            WrongKind("integer");
        }
        CheckRange(n);
        return OrdinalValue(n);
    }

    TPropertyValue Enumeration() const
    {
        RequireSetter(static_cast<bool>(FProp->SetOrd));
        if (FValue.Kind != TFormValueKind::Ident)
            WrongKind("identifier");
        int64_t n = GetEnumValue(FType, FValue.Text);
        if (n < 0)
            InvalidIdent();
        CheckRange(n);
        return OrdinalValue(n);
    }

    TPropertyValue Set() const
    {
        RequireSetter(static_cast<bool>(FProp->SetOrd));
        if (FValue.Kind != TFormValueKind::Set)
            WrongKind("set");
        int bits = FType->OrdType == otUByte ? 8 : FType->OrdType == otUWord ? 16 : 64;
        uint64_t mask = 0;
        for (const AnsiString& name : FValue.Names) {
            int64_t n = GetEnumValue(FType->CompType, name);
            if (n < 0 || n >= bits)
                FAt.Fail("invalid set element '" + name + "'");
            mask |= uint64_t{1} << n;
        }
        return OrdinalValue(static_cast<int64_t>(mask));
    }

    TPropertyValue String() const
    {
        RequireSetter(static_cast<bool>(FProp->SetStr));
        if (FValue.Kind != TFormValueKind::String)
            WrongKind("string");
        TPropertyValue result;
        result.Kind = TPropertyValue::TKind::String;
        result.Text = FValue.Text;
        return result;
    }

    TPropertyValue Component() const
    {
        RequireSetter(static_cast<bool>(FProp->SetObj));
        if (FValue.Kind != TFormValueKind::Ident)
            WrongKind("component name");
        TPropertyValue result;
        if (IsNil(FValue)) {
            result.Kind = TPropertyValue::TKind::Nil;
            return result;
        }
        if (!FType->ClassType->InheritsFrom(TComponent::StaticClass()))
            FAt.Fail("invalid property value '" + FValue.Text + "': " + FType->Name +
                     " is no component class");
        result.Kind = TPropertyValue::TKind::Reference;
        result.Text = FValue.Text;
        return result;
    }

    TPropertyValue Method(TClass rootClass) const
    {
        RequireSetter(static_cast<bool>(FProp->SetMethod));
        if (FValue.Kind != TFormValueKind::Ident)
            WrongKind("method name");
        TPropertyValue result;
        if (IsNil(FValue)) {
            result.Kind = TPropertyValue::TKind::Nil;
            return result;
        }
        const TMethodEntry* method = rootClass->FindMethod(FValue.Text);
        if (!method)
            FAt.Fail("method " + FValue.Text + " not found in " + rootClass->ClassName());
        if (method->Signature != std::type_index(*FType->MethodSignature))
            FAt.Fail("method " + FValue.Text + " does not fit " + FType->Name);
        result.Kind = TPropertyValue::TKind::Method;
        result.Method = method;
        return result;
    }

private:
    bool InRange(int64_t n) const { return n >= FType->MinValue && n <= FType->MaxValue; }

    void CheckRange(int64_t n) const
    {
        if (!InRange(n))
            FAt.Fail("value " + std::to_string(n) + " out of range for " + FType->Name + " (" +
                     std::to_string(FType->MinValue) + ".." + std::to_string(FType->MaxValue) +
                     ")");
    }

    void RequireSetter(bool present) const
    {
        if (!present)
            FAt.Fail("property " + FProp->Name + " is read-only");
    }

    [[noreturn]] void InvalidIdent() const
    {
        FAt.Fail("invalid property value '" + FValue.Text + "'");
    }

    [[noreturn]] void WrongKind(const char* expected) const
    {
        FAt.Fail(AnsiString("invalid property value: ") + expected + " expected but " +
                 FormValueKindName(FValue.Kind) + " found");
    }

    const TPropInfo* FProp;
    const TTypeInfo* FType;
    const TFormValue& FValue;
    const TReadPlace& FAt;
};

}  // namespace

TPropertyValue ConvertFormValue(const TPropInfo* prop, const TFormValue& value, TClass rootClass,
                                const TReadPlace& at)
{
    TConverter convert(prop, value, at);
    switch (prop->Kind()) {
    case tkInteger:
    case tkChar:
        return convert.Integer();
    case tkEnumeration:
        return convert.Enumeration();
    case tkSet:
        return convert.Set();
    case tkString:
    case tkLString:
        return convert.String();
    case tkClass:
        return convert.Component();
    case tkMethod:
        return convert.Method(rootClass);
    default:
        at.Fail("property " + prop->Name + " of type " + prop->PropType->Name +
                " cannot be read from a form resource");
    }
}
