#pragma once
// Type information and published property access by name.
//
// A class declares its published properties once, in the definition of its metaclass, with its
// typed getter and setter: TClassBuilder deduces the property's type information and wraps the
// accessors, so a wrong type fails to compile instead of failing at run time.

#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "vcl50/Closure.h"
#include "vcl50/Sets.h"
#include "vcl50/System.h"
#include "vcl50/Typerecords.h"

// ---- type information of C++ types ------------------------------------------------------------

template <class T>
struct TypeInfoTraits;  // specialised for every published type

template <class T>
const TTypeInfo* TypeInfoOf()
{
    return TypeInfoTraits<std::remove_cv_t<T>>::Get();
}

template <> struct TypeInfoTraits<int> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<int16_t> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<uint8_t> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<uint16_t> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<bool> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<char> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<AnsiString> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TNotifyEvent> { static const TTypeInfo* Get(); };

template <class T>
    requires std::is_base_of_v<TObject, T>
struct TypeInfoTraits<T*> {
    static const TTypeInfo* Get() { return T::StaticClass()->ClassTypeInfo(); }
};

TOrdType OrdTypeOfSize(size_t size, bool isSigned);

// Builders for the specialisations of enumerations, sets and events.
template <class E>
    requires std::is_enum_v<E>
TTypeInfo EnumTypeInfo(std::string name, std::vector<std::string> names)
{
    TTypeInfo info;
    info.Kind = tkEnumeration;
    info.Name = std::move(name);
    info.OrdType = OrdTypeOfSize(sizeof(E), std::is_signed_v<std::underlying_type_t<E>>);
    info.MinValue = 0;
    info.MaxValue = static_cast<int64_t>(names.size()) - 1;
    info.EnumNames = std::move(names);
    return info;
}

TTypeInfo SetTypeInfo(std::string name, const TTypeInfo* elementType);

// An integer type with named constants (TColor, TCursor, TFontCharset), whose names form
// resources and the designer show in place of the number.
TTypeInfo IdentIntegerTypeInfo(std::string name, TOrdType ordType, int64_t min, int64_t max,
                               bool (*identToInt)(std::string_view ident, int64_t& value),
                               bool (*intToIdent)(int64_t value, std::string& ident));

template <class Event>
TTypeInfo MethodTypeInfo(std::string name)
{
    TTypeInfo info;
    info.Kind = tkMethod;
    info.Name = std::move(name);
    info.MethodSignature = &typeid(typename Event::Signature);
    return info;
}

// ---- property access by name ------------------------------------------------------------------

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name);
const TPropInfo* GetPropInfo(TClass cls, std::string_view name);
std::vector<const TPropInfo*> GetPropInfos(const TObject* object);
std::vector<const TPropInfo*> GetPropInfos(TClass cls);

// These raise EPropertyError for an unknown property or one of another kind.
int64_t GetOrdProp(const TObject* object, std::string_view name);
void SetOrdProp(TObject* object, std::string_view name, int64_t value);
AnsiString GetStrProp(const TObject* object, std::string_view name);
void SetStrProp(TObject* object, std::string_view name, const AnsiString& value);
TObject* GetObjectProp(const TObject* object, std::string_view name);
void SetObjectProp(TObject* object, std::string_view name, TObject* value);
AnsiString GetEnumProp(const TObject* object, std::string_view name);
void SetEnumProp(TObject* object, std::string_view name, std::string_view value);
TMethodRef GetMethodProp(const TObject* object, std::string_view name);

int64_t GetOrdProp(const TObject* object, const TPropInfo* prop);
void SetOrdProp(TObject* object, const TPropInfo* prop, int64_t value);
AnsiString GetStrProp(const TObject* object, const TPropInfo* prop);
void SetStrProp(TObject* object, const TPropInfo* prop, const AnsiString& value);
TObject* GetObjectProp(const TObject* object, const TPropInfo* prop);
void SetObjectProp(TObject* object, const TPropInfo* prop, TObject* value);

// Enumeration names: the name of an ordinal ("" when out of range) and the ordinal of a name
// (matched without regard to case; -1 when there is none).
AnsiString GetEnumName(const TTypeInfo* type, int64_t value);
int64_t GetEnumValue(const TTypeInfo* type, std::string_view name);
// A set as the platform writes it ("[fsBold,fsItalic]") and back; unknown names raise EConvertError.
AnsiString SetToString(const TTypeInfo* setType, int64_t value, bool brackets = true);
int64_t StringToSet(const TTypeInfo* setType, std::string_view text);

// Sign-extends or truncates a raw ordinal to its storage, as a one-byte enumeration holds it.
int64_t NormalizeOrdinal(const TTypeInfo* type, int64_t value);

// ---- declaring a class ------------------------------------------------------------------------

namespace typinfo_detail {

template <class T> struct IsEvent : std::false_type {};
template <class... A> struct IsEvent<TEvent<A...>> : std::true_type {};
template <class T> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type {};

template <class T>
constexpr bool IsOrdinal = std::is_integral_v<T> || std::is_enum_v<T> || IsSet<T>::value;

template <class C, class V, class S>
void Apply(S setter, C& object, V value)
{
    if constexpr (std::is_member_object_pointer_v<S>)
        object.*setter = std::move(value);
    else
        std::invoke(setter, object, std::move(value));
}

template <class V>
int64_t ToOrd(const V& v)
{
    if constexpr (IsSet<V>::value)
        return static_cast<int64_t>(v.Mask());
    else
        return static_cast<int64_t>(v);
}

template <class V>
V FromOrd(int64_t v)
{
    if constexpr (IsSet<V>::value)
        return V::FromMask(static_cast<uint64_t>(v));
    else if constexpr (std::is_same_v<V, bool>)
        return v != 0;
    else
        return static_cast<V>(v);
}

template <class C>
TMetaClass::Factory FactoryOf()
{
    if constexpr (std::is_abstract_v<C>)
        return nullptr;
    else if constexpr (std::is_constructible_v<C, TComponent*>)
        return [](TComponent* owner) -> TObject* { return new C(owner); };
    else if constexpr (std::is_default_constructible_v<C>)
        return [](TComponent*) -> TObject* { return new C(); };
    else
        return nullptr;
}

// The constructor that reads no form resource, by the form's convention: (owner, dummy).
template <class C>
TMetaClass::Factory CreateNewOf()
{
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*, int>)
        return [](TComponent* owner) -> TObject* { return new C(owner, 0); };
    else
        return nullptr;
}

}  // namespace typinfo_detail

// Builds the metaclass of C, whose parent class is P:
//   static const TMetaClass meta = TClassBuilder<TLabel, TGraphicControl>("TLabel")
//       .Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
//       .Build();
template <class C, class P>
class TClassBuilder {
public:
    explicit TClassBuilder(std::string name)
        : FMeta(std::move(name), P::StaticClass(), typinfo_detail::FactoryOf<C>(),
                typinfo_detail::CreateNewOf<C>())
    {
        static_assert(std::is_base_of_v<P, C>);
    }

    // getter: a const member function or a data member; setter: a member function taking the
    // value, a data member, or nullptr for a read-only property.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Property(std::string name, G getter, S setter = nullptr)
    {
        using V = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
        auto prop = std::make_unique<TPropInfo>();
        prop->Name = std::move(name);
        prop->PropType = TTypeInfoRef(&TypeInfoOf<V>);
        prop->Declarer = &FMeta;
        auto self = [](const TObject* o) -> const C& { return *static_cast<const C*>(o); };
        auto mut = [](TObject* o) -> C& { return *static_cast<C*>(o); };

        if constexpr (typinfo_detail::IsOrdinal<V>) {
            prop->GetOrd = [getter, self](const TObject* o) {
                return typinfo_detail::ToOrd<V>(std::invoke(getter, self(o)));
            };
            if constexpr (writable)
                prop->SetOrd = [setter, mut](TObject* o, int64_t v) {
                    typinfo_detail::Apply<C, V>(setter, mut(o), typinfo_detail::FromOrd<V>(v));
                };
        } else if constexpr (std::is_same_v<V, AnsiString>) {
            prop->GetStr = [getter, self](const TObject* o) -> AnsiString {
                return std::invoke(getter, self(o));
            };
            if constexpr (writable)
                prop->SetStr = [setter, mut](TObject* o, const AnsiString& v) {
                    typinfo_detail::Apply<C, V>(setter, mut(o), v);
                };
        } else if constexpr (std::is_pointer_v<V>) {
            using T = std::remove_pointer_t<V>;
            static_assert(std::is_base_of_v<TObject, T>, "class properties hold TObject descendants");
            prop->GetObj = [getter, self](const TObject* o) -> TObject* {
                return std::invoke(getter, self(o));
            };
            if constexpr (writable)
                prop->SetObj = [setter, mut](TObject* o, TObject* v) {
                    typinfo_detail::Apply<C, V>(setter, mut(o), As<T>(v));
                };
        } else if constexpr (typinfo_detail::IsEvent<V>::value) {
            prop->GetMethod = [getter, self](const TObject* o) {
                const V& e = std::invoke(getter, self(o));
                return TMethodRef{e.Data(), e.MethodName(), static_cast<bool>(e)};
            };
            if constexpr (writable)
                prop->SetMethod = [setter, mut](TObject* o, TObject* data, const TMethodEntry* m) {
                    V e;
                    if (m && !e.Bind(data, *m))
                        return false;
                    typinfo_detail::Apply<C, V>(setter, mut(o), std::move(e));
                    return true;
                };
        } else {
            static_assert(sizeof(V) == 0, "no published access for this property type");
        }
        FLast = prop.get();
        FMeta.FProperties.push_back(std::move(prop));
        return *this;
    }

    // A property that the class declares but leaves unpublished, as the platform's protected
    // properties: a descendant publishes it by name.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Unpublished(std::string name, G getter, S setter = nullptr)
    {
        Property(std::move(name), getter, setter);
        FMeta.FUnpublished.push_back(std::move(FMeta.FProperties.back()));
        FMeta.FProperties.pop_back();
        return *this;
    }

    // Publishes, in this place of the published order, properties that ancestors left
    // unpublished, with their accessors and `stored` directives. A name no ancestor declares is
    // a fault in the class's own definition.
    TClassBuilder& Publish(std::initializer_list<std::string_view> names)
    {
        for (std::string_view name : names)
            FLast = FMeta.FProperties.emplace_back(std::make_unique<TPropInfo>(Inherited(name))).get();
        return *this;
    }

    // Sets the `stored` directive of the property declared last: `stored` is a predicate on the
    // object, such as a const member function or [](const C&) { return false; }.
    template <class S>
        requires std::is_invocable_r_v<bool, S, const C&>
    TClassBuilder& Stored(S stored)
    {
        FLast->IsStored = [stored](const TObject* o) {
            return static_cast<bool>(std::invoke(stored, *static_cast<const C*>(o)));
        };
        return *this;
    }

    // Sets the `default` directive of the ordinal property declared last.
    template <class V>
        requires typinfo_detail::IsOrdinal<V>
    TClassBuilder& Default(V value)
    {
        if (!FLast->GetOrd)
            throw EPropertyError(Format("%s: only an ordinal property has a declared default", {FLast->Name}));
        FLast->Default = typinfo_detail::ToOrd<V>(value);
        return *this;
    }

    template <class... A>
    TClassBuilder& Method(std::string name, void (C::*method)(A...))
    {
        using Base = void (TObject::*)(A...);
        FMeta.FMethods.push_back({std::move(name), typeid(void(A...)),
                                  std::make_shared<const Base>(static_cast<Base>(method))});
        return *this;
    }

    template <class F>
        requires std::is_base_of_v<TObject, F>
    TClassBuilder& Field(std::string name, F* C::*field)
    {
        FMeta.FFields.push_back(
            {std::move(name), &F::StaticClass,
             [field](TObject* self, TObject* value) { static_cast<C*>(self)->*field = As<F>(value); },
             [field](const TObject* self) -> TObject* { return static_cast<const C*>(self)->*field; }});
        return *this;
    }

    TMetaClass Build() { return std::move(FMeta); }

private:
    TPropInfo Inherited(std::string_view name) const
    {
        for (TClass c = FMeta.ClassParent(); c; c = c->ClassParent())
            for (const auto& declared : c->FUnpublished)
                if (SameText(declared->Name, name)) {
                    TPropInfo prop = *declared;
                    prop.Declarer = &FMeta;
                    return prop;
                }
        throw EPropertyError(Format("%s publishes %s, which no ancestor declares",
                                    {FMeta.ClassName(), AnsiString(name)}));
    }

    TMetaClass FMeta;
    TPropInfo* FLast = nullptr;  // the property declared last, which Stored and Default apply to
};
