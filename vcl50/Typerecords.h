#pragma once
// The records of type information: a type's kind, range and names, and a published property
// with its accessors. The metaclass holds them; Typinfo builds and reads them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "vcl50/Sysutils.h"

class TObject;
class TMetaClass;
struct TMethodEntry;

// A class reference, as the platform's `class of TObject`.
using TClass = const TMetaClass*;

enum TTypeKind : uint8_t {
    tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
    tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};

// Storage of an ordinal value.
enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    std::string Name;
    TOrdType OrdType = otSLong;                     // ordinal kinds
    int64_t MinValue = 0;                           // ordinal kinds
    int64_t MaxValue = 0;
    std::vector<std::string> EnumNames;             // tkEnumeration: name of each ordinal
    const TTypeInfo* CompType = nullptr;            // tkSet: the element type
    TClass ClassType = nullptr;                     // tkClass
    const std::type_info* MethodSignature = nullptr; // tkMethod: typeid(void(Args...))
    // Integer types with named constants (clWhite, DEFAULT_CHARSET): name to value and back.
    bool (*IdentToInt)(std::string_view ident, int64_t& value) = nullptr;
    bool (*IntToIdent)(int64_t value, std::string& ident) = nullptr;
};

// The value of a method property: whose method is bound, and its published name.
struct TMethodRef {
    TObject* Data = nullptr;
    std::string Name;
    bool Assigned = false;
};

// Type information looked up on first use, so that a class can publish a property of its own
// class (or of a class that refers back to it) while its metaclass is still being built.
class TTypeInfoRef {
public:
    using Getter = const TTypeInfo* (*)();
    TTypeInfoRef() = default;
    TTypeInfoRef(Getter getter) : FGetter(getter) {}
    TTypeInfoRef(const TTypeInfo* info) : FInfo(info) {}

    const TTypeInfo* get() const
    {
        if (!FInfo && FGetter)
            FInfo = FGetter();
        return FInfo;
    }
    const TTypeInfo* operator->() const { return get(); }
    const TTypeInfo& operator*() const { return *get(); }
    operator const TTypeInfo*() const { return get(); }

private:
    Getter FGetter = nullptr;
    mutable const TTypeInfo* FInfo = nullptr;
};

// A published property. Only the accessors of its kind are set: ordinal (integers, enumerations,
// booleans, sets, colours), string, class or method.
struct TPropInfo {
    std::string Name;
    TTypeInfoRef PropType;
    TClass Declarer = nullptr;

    std::function<int64_t(const TObject*)> GetOrd;
    std::function<void(TObject*, int64_t)> SetOrd;
    std::function<AnsiString(const TObject*)> GetStr;
    std::function<void(TObject*, const AnsiString&)> SetStr;
    std::function<TObject*(const TObject*)> GetObj;
    std::function<void(TObject*, TObject*)> SetObj;
    std::function<TMethodRef(const TObject*)> GetMethod;
    // Binds `method` of `data` (null clears); false when the method's signature does not fit.
    std::function<bool(TObject*, TObject* data, const TMethodEntry* method)> SetMethod;
    // The platform's `stored` directive: false when form resources leave the value out (a
    // font's Size, which its Height already holds). Null means always stored.
    std::function<bool(const TObject*)> IsStored;
    // The platform's `default` directive of an ordinal property: the value form resources leave
    // out and the designer shows plain. Empty: the class's freshly constructed value is the default.
    std::optional<int64_t> Default;

    TTypeKind Kind() const { return PropType->Kind; }
    bool IsWritable() const { return SetOrd || SetStr || SetObj || SetMethod; }
};
