#include "vcl50/System.h"

#include "vcl50/Sysutils.h"

namespace {

template <class Table, class Name>
auto FindIn(TClass cls, Table table, Name name) -> decltype(&(cls->*table)().front())
{
    for (TClass c = cls; c; c = c->ClassParent())
        for (const auto& entry : (c->*table)())
            if (SameText(entry.Name, name))
                return &entry;
    return nullptr;
}

}  // namespace

TMetaClass::TMetaClass(std::string name, TClass parent, Factory create, Factory createNew)
    : FName(std::move(name)), FParent(parent), FCreate(create), FCreateNew(createNew), FTypeInfo(std::make_unique<TTypeInfo>())
{
    FTypeInfo->Kind = tkClass;
    FTypeInfo->Name = FName;
    FTypeInfo->ClassType = this;
}

TMetaClass::TMetaClass(TMetaClass&& other) noexcept
    : FName(std::move(other.FName)), FParent(other.FParent), FCreate(other.FCreate),
      FCreateNew(other.FCreateNew),
      FTypeInfo(std::move(other.FTypeInfo)), FProperties(std::move(other.FProperties)),
      FUnpublished(std::move(other.FUnpublished)),
      FMethods(std::move(other.FMethods)), FFields(std::move(other.FFields))
{
    // Type information and properties point back at their metaclass.
    FTypeInfo->ClassType = this;
    for (auto& prop : FProperties)
        prop->Declarer = this;
    for (auto& prop : FUnpublished)
        prop->Declarer = this;
}

TMetaClass::~TMetaClass() = default;

bool TMetaClass::InheritsFrom(TClass ancestor) const
{
    for (TClass c = this; c; c = c->FParent)
        if (c == ancestor)
            return true;
    return false;
}

TObject* TMetaClass::Create(TComponent* owner) const
{
    if (!FCreate)
        throw EAbstractError("Abstract Error");
    return AfterConstructed(FCreate(owner));
}

TObject* TMetaClass::CreateNew(TComponent* owner) const
{
    if (!FCreateNew)
        return Create(owner);
    return AfterConstructed(FCreateNew(owner));
}

std::vector<const TPropInfo*> TMetaClass::Properties() const
{
    std::vector<TClass> chain;
    for (TClass c = this; c; c = c->FParent)
        chain.push_back(c);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const auto& prop : (*it)->FProperties) {
            bool replaced = false;
            for (auto& seen : result)
                if (SameText(seen->Name, prop->Name)) {
                    seen = prop.get();  // a descendant's redeclaration, in the ancestor's place
                    replaced = true;
                }
            if (!replaced)
                result.push_back(prop.get());
        }
    return result;
}

const TPropInfo* TMetaClass::FindProperty(std::string_view name) const
{
    for (TClass c = this; c; c = c->FParent)
        for (const auto& prop : c->FProperties)
            if (SameText(prop->Name, name))
                return prop.get();
    return nullptr;
}

const TMethodEntry* TMetaClass::FindMethod(std::string_view name) const
{
    return FindIn(this, &TMetaClass::OwnMethods, name);
}

const TFieldEntry* TMetaClass::FindField(std::string_view name) const
{
    return FindIn(this, &TMetaClass::OwnFields, name);
}

TObject::~TObject() = default;

void TObject::AfterConstruction() {}

TClass TObject::StaticClass()
{
    static const TMetaClass meta("TObject", nullptr, [](TComponent*) -> TObject* { return new TObject; });
    return &meta;
}

TClass TObject::ClassType() const
{
    return StaticClass();
}
