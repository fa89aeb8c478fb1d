#pragma once
// Persistent objects, components with owners and free notification, and the class registry
// that form resources, the palette and form files create objects through.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vcl50/Closure.h"
#include "vcl50/Sets.h"
#include "vcl50/System.h"
#include "vcl50/Typinfo.h"

class TFiler;

class TPersistent : public TDerived<TPersistent, TObject> {
public:
    ~TPersistent() override;
    static TClass StaticClass();

    // Copies the state of `source`; raises EConvertError "Cannot assign a X to a Y" when neither
    // side knows the other's class.
    virtual void Assign(TPersistent* source);
    // The object this one belongs to (a font's control), for the designer's naming of sub-objects.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // Lets a class stream data that is no published property (a string list's "Strings").
    virtual void DefineProperties(TFiler* filer);

protected:
    virtual void AssignTo(TPersistent* dest);
};

enum TOperation : uint8_t { opInsert, opRemove };

enum TComponentStateItem : uint8_t {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
    csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TDerived<TComponent, TPersistent> {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    static TClass StaticClass();

    const AnsiString& Name() const { return FName; }
    // Raises EComponentError for a name that is no identifier or that a sibling already holds;
    // an empty name is one only for a component not being designed.
    virtual void SetName(const AnsiString& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // Finds an owned component by name, without regard to letter case; null when there is none.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();
    // Frees owned components together, the last first, as a dataset frees its fields on closing
    // and a form reader what it made when it fails. Each is still announced to this component, to
    // the owned components outside the batch and to its free-notification subscribers; members of
    // the batch are not told of one another, which would cost the square of the batch. Components
    // not owned by this one are left alone.
    void DestroyComponents(const std::vector<TComponent*>& batch);
    // Between these, components inserted into this one (a dataset's new fields, a form's
    // components as they are read) are announced to this component and to the components it
    // owned before, not to one another, which would cost the square of their number. Removals are
    // announced as always. Brackets may nest.
    void BeginInsertBatch();
    void EndInsertBatch();

    // Asks for Notification(this, opRemove) on `component` when this one is freed, also across
    // owners (a component referring to a dataset on another form).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    const TComponentState& ComponentState() const { return FComponentState; }
    void SetDesigning(bool designing, bool setChildren = true);
    void SetLoading(bool loading);
    // Runs once a form resource or form file has set every property of the component.
    virtual void Loaded();

    // The streaming tree: a control's parent is its parent component; a form lists its
    // components and controls as children. Form resources and form files run on these.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

    // Where a designer shows a component that is no control: streamed as Left and Top, which a
    // control's published properties of the same names take precedence over. Always within
    // MinDesignPosition..MaxDesignPosition: a wider value is brought to the nearest end.
    int DesignLeft() const { return FDesignLeft; }
    int DesignTop() const { return FDesignTop; }
    void SetDesignPosition(int left, int top);
    void DefineProperties(TFiler* filer) override;

protected:
    // Told of components inserted into or removed from the owner tree and of freed components
    // that asked for free notification. Overrides clear their references, then call this.
    virtual void Notification(TComponent* component, TOperation operation);
    TComponentState FComponentState;

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void ClearPublishedFieldsReferringTo(TComponent* component);
    void Unname(TComponent* component);
    bool Subscribed(const TComponent* component) const;

    AnsiString FName;
    int FTag = 0;
    int FDesignLeft = 0;
    int FDesignTop = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;          // owned: freed with this component
    // The named ones of FComponents by name (keys view their names), so that the name checks of
    // a form of many thousand components cost no more per component than on a small one.
    std::unordered_map<std::string_view, TComponent*, TTextHash, TTextEqual> FNamed;
    std::vector<TComponent*> FReleasing;           // owned, out of FComponents, freed by a batch
    std::vector<TComponent*> FFreeNotifies;        // told when this one is freed
    int FInsertBatchDepth = 0;
    size_t FInsertBatchCount = 0;  // inserted in the open batch and still here: the end of FComponents
    bool FInReleaseBatch = false;  // in its owner's FReleasing, freed by DestroyComponents(batch)
};

using TComponentClass = TClass;

// The design positions a form file holds (a person sees nothing wider). The reader brings a wider
// one into this range and a component never holds one outside it, so that every position a
// designer writes reads back unchanged.
constexpr int MinDesignPosition = -32768;
constexpr int MaxDesignPosition = 32767;

// ---- the class registry -----------------------------------------------------------------------

// Makes classes known by name to form resources and form files. Registering the same class again
// does nothing; another class under a taken name raises EFilerError.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnregisterClass(TClass cls);
// Null when no class of that name (matched without regard to case) is registered.
TClass GetClass(std::string_view name);
// Raises EClassNotFound "Class NAME not found".
TClass FindClass(std::string_view name);
