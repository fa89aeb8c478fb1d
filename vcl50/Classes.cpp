#include "vcl50/Classes.h"

#include <algorithm>
#include <map>

#include "vcl50/Filer.h"
#include "vcl50/Sysutils.h"

// ---- TPersistent ------------------------------------------------------------------------------

TPersistent::~TPersistent() = default;

TClass TPersistent::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TPersistent, TObject>("TPersistent").Build();
    return &meta;
}

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(Format("Cannot assign a %s to a %s", {"nil", ClassName()}));
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError(Format("Cannot assign a %s to a %s", {ClassName(), dest->ClassName()}));
}

void TPersistent::DefineProperties(TFiler*) {}

// ---- TComponent -------------------------------------------------------------------------------

namespace {

// Owned components mostly leave from the back (destroyed last first), so the search starts there.
// Returns the position the component had, or -1.
std::ptrdiff_t EraseLast(std::vector<TComponent*>& list, TComponent* component)
{
    auto it = std::find(list.rbegin(), list.rend(), component);
    if (it == list.rend())
        return -1;
    auto at = list.erase(std::next(it).base());
    return at - list.begin();
}

bool IsValidIdent(std::string_view s)
{
    if (s.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(s[0]))
        return false;
    return std::all_of(s.begin() + 1, s.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

}  // namespace

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState << csDestroying;
    // Whoever asked to hear of this component's end clears its reference now.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseLast(c->FFreeNotifies, this);
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TClass TComponent::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TComponent, TPersistent>("TComponent")
        .Property("Name", &TComponent::Name, &TComponent::SetName)
        .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
        .Default(0)
        .Build();
    return &meta;
}

void TComponent::SetName(const AnsiString& name)
{
    if (name == FName)
        return;
    // A designed component is found by its name, in the designer and in its form file: it
    // cannot give it up, though a component made in code may have none.
    if (name.empty() ? FComponentState.Contains(csDesigning) : !IsValidIdent(name))
        throw EComponentError(Format("'%s' is not a valid component name", {name}));
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError(Format("A component named %s already exists", {name}));
    }
    // One leaving in a batch is no longer among its owner's components, nor among their names.
    const bool listed = FOwner && !FInReleaseBatch;
    if (listed)
        FOwner->Unname(this);
    FName = name;
    if (listed && !FName.empty())
        FOwner->FNamed.emplace(FName, this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
    return static_cast<int>(it - FOwner->FComponents.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    auto it = FNamed.find(name);
    return it == FNamed.end() ? nullptr : it->second;
}

void TComponent::Unname(TComponent* component)
{
    if (component->FName.empty())
        return;  // never listed
    if (auto it = FNamed.find(component->FName); it != FNamed.end() && it->second == component)
        FNamed.erase(it);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError(Format("A component named %s already exists", {component->FName}));
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    Insert(component);
    if (FComponentState.Contains(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (component->FOwner != this)
        return;
    Notification(component, opRemove);
    ClearPublishedFieldsReferringTo(component);
    Remove(component);
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        delete c;
    }
}

void TComponent::DestroyComponents(const std::vector<TComponent*>& batch)
{
    // Out of FComponents first, with one pass, so that each one's announcement reaches only those
    // staying. Each leaves FReleasing in its own destructor (Remove), also when something else
    // frees it meanwhile.
    FReleasing.reserve(FReleasing.size() + batch.size());
    for (TComponent* c : batch)
        if (c->FOwner == this && !c->FInReleaseBatch) {  // a component named twice is freed once
            Unname(c);
            c->FInReleaseBatch = true;
            FReleasing.push_back(c);
        }
    const auto leaves = [](TComponent* c) { return c->FInReleaseBatch; };
    FInsertBatchCount -= static_cast<size_t>(
        std::count_if(FComponents.end() - static_cast<std::ptrdiff_t>(FInsertBatchCount), FComponents.end(), leaves));
    std::erase_if(FComponents, leaves);
    while (!FReleasing.empty())
        delete FReleasing.back();
}

void TComponent::BeginInsertBatch()
{
    ++FInsertBatchDepth;
}

void TComponent::EndInsertBatch()
{
    if (--FInsertBatchDepth == 0)
        FInsertBatchCount = 0;
}

void TComponent::Insert(TComponent* component)
{
    if (!component->FName.empty())
        FNamed.emplace(component->FName, component);
    FComponents.push_back(component);
    if (FInsertBatchDepth > 0)
        ++FInsertBatchCount;
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component)
{
    Unname(component);
    const auto size = FComponents.size();
    const auto at = EraseLast(FComponents, component);
    if (at < 0)
        EraseLast(FReleasing, component);
    else if (static_cast<size_t>(at) >= size - FInsertBatchCount)
        --FInsertBatchCount;
    component->FOwner = nullptr;
    component->FInReleaseBatch = false;
}

void TComponent::ClearPublishedFieldsReferringTo(TComponent* component)
{
    for (TClass c = ClassType(); c; c = c->ClassParent())
        for (const TFieldEntry& field : c->OwnFields())
            if (field.Read(this) == component)
                field.Assign(this, nullptr);
}

bool TComponent::Subscribed(const TComponent* component) const
{
    // Both sides hear of the other's end, so each lists the other or neither does: the shorter
    // list answers, which matters for a dataset that thousands of exports use.
    if (FFreeNotifies.size() <= component->FFreeNotifies.size())
        return std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) != FFreeNotifies.end();
    return std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) !=
           component->FFreeNotifies.end();
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this || Subscribed(component))
        return;
    FFreeNotifies.push_back(component);
    component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component || !Subscribed(component))
        return;
    // The newest first: components mostly go last first.
    EraseLast(FFreeNotifies, component);
    EraseLast(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // Every component of the owner tree hears of every insertion and removal, as references
    // between siblings (a dataset and an export on one form) need. A member of an insert batch
    // hears of itself, as any new component, but not of the others, which all follow those owned
    // before the batch.
    size_t told = FComponents.size();
    // A member of the open batch was inserted last.
    if (operation == opInsert && FInsertBatchCount > 0 && FComponents.back() == component) {
        told -= FInsertBatchCount;
        component->Notification(component, operation);
    }
    for (size_t i = told; i-- > 0;)
        if (i < FComponents.size())
            FComponents[i]->Notification(component, operation);
}

void TComponent::SetDesigning(bool designing, bool setChildren)
{
    if (designing)
        FComponentState << csDesigning;
    else
        FComponentState >> csDesigning;
    if (setChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(designing, true);
}

void TComponent::SetLoading(bool loading)
{
    if (loading)
        FComponentState << csLoading;
    else
        FComponentState >> csLoading;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::Loaded()
{
    FComponentState >> csLoading;
}

void TComponent::SetDesignPosition(int left, int top)
{
    FDesignLeft = std::clamp(left, MinDesignPosition, MaxDesignPosition);
    FDesignTop = std::clamp(top, MinDesignPosition, MaxDesignPosition);
}

void TComponent::DefineProperties(TFiler* filer)
{
    // A control publishes its own position; a second one of the same names would clash with it.
    if (ClassType()->FindProperty("Left") || ClassType()->FindProperty("Top"))
        return;
    // A form file holds positions a person can see; anything wider is no position.
    auto coordinate = [](TReader& reader) {
        return static_cast<int>(std::clamp<int64_t>(reader.ReadInteger(), MinDesignPosition, MaxDesignPosition));
    };
    filer->DefineProperty(
        "Left", [&](TReader& reader) { FDesignLeft = coordinate(reader); },
        [&](TWriter& writer) { writer.WriteInteger(FDesignLeft); }, FDesignLeft != 0);
    filer->DefineProperty(
        "Top", [&](TReader& reader) { FDesignTop = coordinate(reader); },
        [&](TWriter& writer) { writer.WriteInteger(FDesignTop); }, FDesignTop != 0);
}

// ---- the class registry -----------------------------------------------------------------------

namespace {

std::vector<TClass>& Registry()
{
    static std::vector<TClass> classes;
    return classes;
}

}  // namespace

void RegisterClass(TClass cls)
{
    TClass existing = GetClass(cls->ClassName());
    if (existing == cls)
        return;
    if (existing)
        throw EFilerError(Format("A class named %s already exists", {cls->ClassName()}));
    Registry().push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes)
{
    for (TClass cls : classes)
        RegisterClass(cls);
}

void UnregisterClass(TClass cls)
{
    std::erase(Registry(), cls);
}

TClass GetClass(std::string_view name)
{
    for (TClass cls : Registry())
        if (SameText(cls->ClassName(), name))
            return cls;
    return nullptr;
}

TClass FindClass(std::string_view name)
{
    if (TClass cls = GetClass(name))
        return cls;
    throw EClassNotFound(Format("Class %s not found", {AnsiString(name)}));
}
