#include "host/PropertyText.h"

#include "vcl50/Classes.h"
#include "vcl50/Graphics.h"
#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

namespace {

AnsiString OrdinalText(const TTypeInfo* type, int64_t value)
{
    switch (type->Kind) {
    case tkEnumeration: {
        AnsiString name = GetEnumName(type, value);
        return name.empty() ? IntToStr(value) : name;
    }
    case tkSet:
        return SetToString(type, value);
    case tkChar:
        return value >= ' ' && value < 127 ? AnsiString(1, static_cast<char>(value)) : "#" + IntToStr(value);
    default:
        break;
    }
    if (type == TypeInfoOf<TColor>())
        return ColorToString(static_cast<TColor>(value));
    std::string ident;
    if (type->IntToIdent && type->IntToIdent(value, ident))
        return ident;
    return IntToStr(value);
}

AnsiString ObjectText(const TTypeInfo* type, const TObject* object)
{
    if (!object)
        return "";
    if (Is<TStrings>(object))
        return static_cast<const TStrings*>(object)->CommaText();
    if (Is<TComponent>(object))
        return static_cast<const TComponent*>(object)->Name();
    return "(" + type->Name + ")";
}

}  // namespace

AnsiString PropertyText(const TObject* object, const TPropInfo* prop)
{
    if (prop->GetStr)
        return prop->GetStr(object);
    if (prop->GetOrd)
        return OrdinalText(prop->PropType, prop->GetOrd(object));
    if (prop->GetObj)
        return ObjectText(prop->PropType, prop->GetObj(object));
    if (prop->GetMethod) {
        TMethodRef method = prop->GetMethod(object);
        return method.Assigned ? method.Name : "";
    }
    return "";
}

std::optional<TPropertyPath> ResolvePropertyPath(TObject* start, std::string_view path)
{
    TObject* object = start;
    TClass cls = start->ClassType();
    while (true) {
        size_t dot = path.find('.');
        const TPropInfo* prop = GetPropInfo(cls, path.substr(0, dot));
        if (!prop)
            return std::nullopt;
        if (dot == std::string_view::npos)
            return TPropertyPath{object, prop};
        if (prop->Kind() != tkClass || !prop->GetObj)
            return std::nullopt;
        // An unassigned object's members are still known by its declared class.
        cls = prop->PropType->ClassType;
        object = object ? prop->GetObj(object) : nullptr;
        if (object)
            cls = object->ClassType();
        path.remove_prefix(dot + 1);
    }
}
