#include "vcl50/Typinfo.h"

#include "vcl50/Sysutils.h"

namespace {

TTypeInfo OrdinalType(TTypeKind kind, std::string name, TOrdType ord, int64_t min, int64_t max)
{
    TTypeInfo info;
    info.Kind = kind;
    info.Name = std::move(name);
    info.OrdType = ord;
    info.MinValue = min;
    info.MaxValue = max;
    return info;
}

const TPropInfo* Require(const TObject* object, std::string_view name)
{
    if (const TPropInfo* prop = GetPropInfo(object, name))
        return prop;
    throw EPropertyError(Format("Property %s does not exist", {AnsiString(name)}));
}

template <class Accessor>
const Accessor& Check(const TPropInfo* prop, const Accessor& accessor)
{
    if (!accessor)
        throw EPropertyError(Format("Invalid property type: %s", {prop->PropType->Name}));
    return accessor;
}

}  // namespace

const TTypeInfo* TypeInfoTraits<int>::Get()
{
    static const TTypeInfo info = OrdinalType(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX);
    return &info;
}

const TTypeInfo* TypeInfoTraits<int16_t>::Get()
{
    static const TTypeInfo info = OrdinalType(tkInteger, "Smallint", otSWord, INT16_MIN, INT16_MAX);
    return &info;
}

const TTypeInfo* TypeInfoTraits<uint8_t>::Get()
{
    static const TTypeInfo info = OrdinalType(tkInteger, "Byte", otUByte, 0, UINT8_MAX);
    return &info;
}

const TTypeInfo* TypeInfoTraits<uint16_t>::Get()
{
    static const TTypeInfo info = OrdinalType(tkInteger, "Word", otUWord, 0, UINT16_MAX);
    return &info;
}

const TTypeInfo* TypeInfoTraits<bool>::Get()
{
    static const TTypeInfo info = [] {
        TTypeInfo b = OrdinalType(tkEnumeration, "Boolean", otUByte, 0, 1);
        b.EnumNames = {"False", "True"};
        return b;
    }();
    return &info;
}

const TTypeInfo* TypeInfoTraits<char>::Get()
{
    static const TTypeInfo info = OrdinalType(tkChar, "Char", otUByte, 0, 255);
    return &info;
}

const TTypeInfo* TypeInfoTraits<AnsiString>::Get()
{
    static const TTypeInfo info = [] {
        TTypeInfo s;
        s.Kind = tkLString;
        s.Name = "AnsiString";
        return s;
    }();
    return &info;
}

const TTypeInfo* TypeInfoTraits<TNotifyEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TNotifyEvent>("TNotifyEvent");
    return &info;
}

TOrdType OrdTypeOfSize(size_t size, bool isSigned)
{
    switch (size) {
    case 1: return isSigned ? otSByte : otUByte;
    case 2: return isSigned ? otSWord : otUWord;
    default: return isSigned ? otSLong : otULong;
    }
}

TTypeInfo SetTypeInfo(std::string name, const TTypeInfo* elementType)
{
    TTypeInfo info;
    info.Kind = tkSet;
    info.Name = std::move(name);
    info.CompType = elementType;
    info.OrdType = elementType->EnumNames.size() <= 8 ? otUByte
                   : elementType->EnumNames.size() <= 16 ? otUWord : otULong;
    return info;
}

TTypeInfo IdentIntegerTypeInfo(std::string name, TOrdType ordType, int64_t min, int64_t max,
                               bool (*identToInt)(std::string_view ident, int64_t& value),
                               bool (*intToIdent)(int64_t value, std::string& ident))
{
    TTypeInfo info = OrdinalType(tkInteger, std::move(name), ordType, min, max);
    info.IdentToInt = identToInt;
    info.IntToIdent = intToIdent;
    return info;
}

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name)
{
    return object ? GetPropInfo(object->ClassType(), name) : nullptr;
}

const TPropInfo* GetPropInfo(TClass cls, std::string_view name)
{
    return cls->FindProperty(name);
}

std::vector<const TPropInfo*> GetPropInfos(const TObject* object)
{
    return GetPropInfos(object->ClassType());
}

std::vector<const TPropInfo*> GetPropInfos(TClass cls)
{
    return cls->Properties();
}

int64_t GetOrdProp(const TObject* object, const TPropInfo* prop)
{
    return Check(prop, prop->GetOrd)(object);
}

void SetOrdProp(TObject* object, const TPropInfo* prop, int64_t value)
{
    Check(prop, prop->SetOrd)(object, value);
}

AnsiString GetStrProp(const TObject* object, const TPropInfo* prop)
{
    return Check(prop, prop->GetStr)(object);
}

void SetStrProp(TObject* object, const TPropInfo* prop, const AnsiString& value)
{
    Check(prop, prop->SetStr)(object, value);
}

TObject* GetObjectProp(const TObject* object, const TPropInfo* prop)
{
    return Check(prop, prop->GetObj)(object);
}

void SetObjectProp(TObject* object, const TPropInfo* prop, TObject* value)
{
    Check(prop, prop->SetObj)(object, value);
}

int64_t GetOrdProp(const TObject* object, std::string_view name)
{
    return GetOrdProp(object, Require(object, name));
}

void SetOrdProp(TObject* object, std::string_view name, int64_t value)
{
    SetOrdProp(object, Require(object, name), value);
}

AnsiString GetStrProp(const TObject* object, std::string_view name)
{
    return GetStrProp(object, Require(object, name));
}

void SetStrProp(TObject* object, std::string_view name, const AnsiString& value)
{
    SetStrProp(object, Require(object, name), value);
}

TObject* GetObjectProp(const TObject* object, std::string_view name)
{
    return GetObjectProp(object, Require(object, name));
}

void SetObjectProp(TObject* object, std::string_view name, TObject* value)
{
    SetObjectProp(object, Require(object, name), value);
}

AnsiString GetEnumProp(const TObject* object, std::string_view name)
{
    const TPropInfo* prop = Require(object, name);
    return GetEnumName(prop->PropType, GetOrdProp(object, prop));
}

void SetEnumProp(TObject* object, std::string_view name, std::string_view value)
{
    const TPropInfo* prop = Require(object, name);
    int64_t ordinal = GetEnumValue(prop->PropType, value);
    if (ordinal < 0)
        throw EPropertyError(Format("Invalid property value %s", {AnsiString(value)}));
    SetOrdProp(object, prop, ordinal);
}

TMethodRef GetMethodProp(const TObject* object, std::string_view name)
{
    const TPropInfo* prop = Require(object, name);
    return Check(prop, prop->GetMethod)(object);
}

AnsiString GetEnumName(const TTypeInfo* type, int64_t value)
{
    if (type->Kind == tkInteger)
        return IntToStr(value);
    if (value < 0 || value >= static_cast<int64_t>(type->EnumNames.size()))
        return "";
    return type->EnumNames[static_cast<size_t>(value)];
}

int64_t GetEnumValue(const TTypeInfo* type, std::string_view name)
{
    for (size_t i = 0; i < type->EnumNames.size(); ++i)
        if (SameText(type->EnumNames[i], name))
            return static_cast<int64_t>(i);
    return -1;
}

AnsiString SetToString(const TTypeInfo* setType, int64_t value, bool brackets)
{
    AnsiString text;
    const auto& names = setType->CompType->EnumNames;
    for (size_t i = 0; i < names.size() && i < 64; ++i)
        if (static_cast<uint64_t>(value) & (uint64_t{1} << i)) {
            if (!text.empty())
                text += ',';
            text += names[i];
        }
    return brackets ? "[" + text + "]" : text;
}

int64_t StringToSet(const TTypeInfo* setType, std::string_view text)
{
    AnsiString s = Trim(text);
    std::string_view body = s;
    if (!body.empty() && body.front() == '[') {
        if (body.back() != ']')
            throw EConvertError(Format("Invalid set text: %s", {s}));
        body = body.substr(1, body.size() - 2);
    }
    uint64_t mask = 0;
    while (!body.empty()) {
        size_t comma = body.find(',');
        AnsiString name = Trim(body.substr(0, comma));
        body = comma == std::string_view::npos ? std::string_view() : body.substr(comma + 1);
        if (name.empty())
            continue;
        int64_t ordinal = GetEnumValue(setType->CompType, name);
        if (ordinal < 0)
            throw EConvertError(Format("Invalid property element: %s", {name}));
        mask |= uint64_t{1} << ordinal;
    }
    return static_cast<int64_t>(mask);
}

int64_t NormalizeOrdinal(const TTypeInfo* type, int64_t value)
{
    switch (type->OrdType) {
    case otSByte: return static_cast<int8_t>(value);
    case otUByte: return static_cast<uint8_t>(value);
    case otSWord: return static_cast<int16_t>(value);
    case otUWord: return static_cast<uint16_t>(value);
    case otSLong: return static_cast<int32_t>(value);
    case otULong: return static_cast<uint32_t>(value);
    }
    return value;
}
