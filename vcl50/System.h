#pragma once
// TObject and its metaclass: class name, parent, virtual constructor and the published tables
// that type information, form resources, the object inspector and InheritsFrom all run on.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <vector>

#include "vcl50/Sysutils.h"
#include "vcl50/Typerecords.h"

class TComponent;

// A published method: what `OnClick = Row1Click` in a form resource binds to.
struct TMethodEntry {
    std::string Name;
    std::type_index Signature;        // typeid(void(Args...)) of the handler
    std::shared_ptr<const void> Code;  // a void (TObject::*)(Args...) of that signature
};

// A published field that refers to a component of the same name owned by the object.
struct TFieldEntry {
    std::string Name;
    TClass (*GetFieldClass)();  // looked up on use: a class may hold a field of its own class
    TClass FieldClass() const { return GetFieldClass(); }
    std::function<void(TObject* self, TObject* value)> Assign;  // checks the value's class
    std::function<TObject*(const TObject* self)> Read;
};

class TMetaClass {
public:
    using Factory = TObject* (*)(TComponent* owner);

    // `createNew` is the constructor that reads no form resource (a form's CreateNew); null when
    // the class reads none anyway.
    TMetaClass(std::string name, TClass parent, Factory create, Factory createNew = nullptr);
    TMetaClass(TMetaClass&&) noexcept;
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;
    ~TMetaClass();

    const std::string& ClassName() const { return FName; }
    TClass ClassParent() const { return FParent; }
    bool InheritsFrom(TClass ancestor) const;
    // The virtual constructor; raises EAbstractError for a class that cannot be made.
    TObject* Create(TComponent* owner) const;
    // The object as its constructor leaves it, before any form resource fills it: what the form
    // writer compares with.
    TObject* CreateNew(TComponent* owner) const;
    bool CanCreate() const { return FCreate != nullptr; }
    // Type information of the class type itself (kind tkClass).
    const TTypeInfo* ClassTypeInfo() const { return FTypeInfo.get(); }

    // Published tables. Own* hold what this class declares; the lookups walk up to the root and
    // match names without regard to letter case, as the platform does.
    const std::vector<TMethodEntry>& OwnMethods() const { return FMethods; }
    const std::vector<TFieldEntry>& OwnFields() const { return FFields; }
    // Ancestors' properties first, in declaration order; a redeclared name keeps its first place.
    std::vector<const TPropInfo*> Properties() const;
    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodEntry* FindMethod(std::string_view name) const;
    const TFieldEntry* FindField(std::string_view name) const;

private:
    template <class C, class P> friend class TClassBuilder;

    std::string FName;
    TClass FParent;
    Factory FCreate;
    Factory FCreateNew;
    std::unique_ptr<TTypeInfo> FTypeInfo;
    std::vector<std::unique_ptr<TPropInfo>> FProperties;
    // Declared but not published (the platform's protected properties): descendants publish
    // them by name.
    std::vector<std::unique_ptr<TPropInfo>> FUnpublished;
    std::vector<TMethodEntry> FMethods;
    std::vector<TFieldEntry> FFields;
};

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    static TClass StaticClass();
    virtual TClass ClassType() const;
    // Runs once the most derived constructor has finished (a form reads its form resource here).
    // Construct() and TMetaClass::Create call it; an exception from it frees the object.
    virtual void AfterConstruction();

    const std::string& ClassName() const { return ClassType()->ClassName(); }
    bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }
};

// The base a class derives through so that its ClassType is its own metaclass: a class that
// forgot the override would report its parent's. The class still declares StaticClass, which
// builds its published tables:
//     class TButton : public TDerived<TButton, TWinControl> { ... static TClass StaticClass(); };
// Its constructors initialise the base as TDerived(owner).
template <class Self, class Parent>
class TDerived : public Parent {
public:
    using Parent::Parent;
    TClass ClassType() const override { return Self::StaticClass(); }
};

// Finishes a new object: runs its AfterConstruction, and frees it if that raises.
template <class T>
T* AfterConstructed(T* object)
{
    try {
        object->AfterConstruction();
    } catch (...) {
        delete object;
        throw;
    }
    return object;
}

// Creates an object the way the platform does: constructor, then AfterConstruction.
template <class T, class... Args>
T* Construct(Args&&... args)
{
    return AfterConstructed(new T(std::forward<Args>(args)...));
}

// An object made with no owner, owned by the caller for the length of the call.
template <class T, class... Args>
std::unique_ptr<T> ConstructUnique(Args&&... args)
{
    return std::unique_ptr<T>(Construct<T>(std::forward<Args>(args)...));
}

// The platform's checked cast (`obj as T`): null stays null, a wrong class raises EInvalidCast.
template <class T>
T* As(TObject* object)
{
    if (object && !object->InheritsFrom(T::StaticClass()))
        throw EInvalidCast("Invalid class typecast");
    return static_cast<T*>(object);
}

// The platform's `obj is T`.
template <class T>
bool Is(const TObject* object)
{
    return object && object->InheritsFrom(T::StaticClass());
}
