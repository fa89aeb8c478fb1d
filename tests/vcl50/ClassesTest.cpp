#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "vcl50/Classes.h"
#include "vcl50/Strings.h"

namespace {

// Counts live instances so ownership faults show as leaks or double frees.
int liveThings = 0;

class TThing : public TDerived<TThing, TComponent> {
public:
    explicit TThing(TComponent* owner) : TDerived(owner) { ++liveThings; }
    ~TThing() override { --liveThings; }
    static TClass StaticClass();

    TThing* Partner() const { return FPartner; }
    void SetPartner(TThing* partner)
    {
        FPartner = partner;
        if (partner)
            partner->FreeNotification(this);
    }
    int Removals = 0;
    int Insertions = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove && component == FPartner)
            FPartner = nullptr;
        if (operation == opRemove)
            ++Removals;
        if (operation == opInsert)
            ++Insertions;
        TComponent::Notification(component, operation);
    }

private:
    TThing* FPartner = nullptr;
};

class TOtherThing : public TDerived<TOtherThing, TThing> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
};

class TThingRoot : public TDerived<TThingRoot, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    TThing* First = nullptr;
};

TClass TThing::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TThing, TComponent>("TThing")
        .Property("Partner", &TThing::Partner, &TThing::SetPartner)
        .Build();
    return &meta;
}

TClass TOtherThing::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TOtherThing, TThing>("TOtherThing").Build();
    return &meta;
}

TClass TThingRoot::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TThingRoot, TComponent>("TThingRoot").Field("First", &TThingRoot::First).Build();
    return &meta;
}

TEST(ClassesOwnership, OwnerFreesItsComponentsAndAFreedComponentLeavesItsOwner)
{
    {
        TComponent owner(nullptr);
        auto* a = new TThing(&owner);
        new TThing(&owner);
        new TThing(&owner);
        EXPECT_EQ(owner.ComponentCount(), 3);
        EXPECT_EQ(liveThings, 3);
        delete a;
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(liveThings, 2);
    }
    EXPECT_EQ(liveThings, 0);
}

TEST(ClassesOwnership, NestedOwnersFreeTheWholeTree)
{
    {
        TComponent root(nullptr);
        auto* mid = new TThing(&root);
        new TThing(mid);
        new TThing(mid);
        EXPECT_EQ(liveThings, 3);
    }
    EXPECT_EQ(liveThings, 0);
}

TEST(ClassesNotification, ReferenceAcrossOwnersIsClearedWhenTheTargetIsFreed)
{
    TComponent formA(nullptr), formB(nullptr);
    auto* holder = new TThing(&formA);
    auto* target = new TThing(&formB);
    holder->SetPartner(target);
    delete target;
    EXPECT_EQ(holder->Partner(), nullptr);
}

TEST(ClassesNotification, SiblingsHearOfARemovalAndTheHolderMayDieFirst)
{
    TComponent form(nullptr);
    auto* holder = new TThing(&form);
    auto* target = new TThing(&form);
    holder->SetPartner(target);
    delete holder;  // the target must not call back into the freed holder later
    delete target;
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ClassesNotification, PublishedFieldOfTheOwnerIsClearedWhenItsComponentGoes)
{
    TThingRoot root(nullptr);
    root.First = new TThing(&root);
    delete root.First;
    EXPECT_EQ(root.First, nullptr);
}

namespace {

// Frees owned components as one batch, as a dataset frees its fields on closing; the removal of
// `Trigger` makes it free `Victim`, another member of the batch, meanwhile. Also inserts in batches.
class TBatchOwner : public TThingRoot {
public:
    using TThingRoot::TThingRoot;
    using TComponent::DestroyComponents;
    using TComponent::BeginInsertBatch;
    using TComponent::EndInsertBatch;
    int Removals = 0;
    int Insertions = 0;
    TComponent* Trigger = nullptr;
    TComponent* Victim = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove) {
            ++Removals;
            if (component == Trigger)
                delete std::exchange(Victim, nullptr);
        }
        if (operation == opInsert)
            ++Insertions;
        TThingRoot::Notification(component, operation);
    }
};

}  // namespace

TEST(ClassesNotification, ABatchIsAnnouncedToTheOwnerItsOtherComponentsAndSubscribers)
{
    TComponent otherForm(nullptr);
    auto* holder = new TThing(&otherForm);
    auto* stranger = new TThing(&otherForm);  // in the batch but not the owner's: left alone
    {
        TBatchOwner owner(nullptr);
        auto* staying = new TThing(&owner);
        std::vector<TComponent*> batch{new TThing(&owner), new TThing(&owner), new TThing(&owner), stranger};
        batch.push_back(batch[0]);  // named twice, freed once
        owner.First = As<TThing>(batch[0]);
        holder->SetPartner(As<TThing>(batch[1]));
        owner.Trigger = batch[2];  // freed first
        owner.Victim = batch[1];
        owner.DestroyComponents(batch);
        EXPECT_EQ(owner.Removals, 3);
        EXPECT_EQ(staying->Removals, 3);
        EXPECT_EQ(owner.First, nullptr);
        EXPECT_EQ(holder->Partner(), nullptr);
        EXPECT_EQ(owner.ComponentCount(), 1);
        EXPECT_EQ(liveThings, 3);
    }
    EXPECT_EQ(otherForm.ComponentCount(), 2);
}

// Removals inside the bracket, of an earlier component and of a member, must not let a member hear
// of another or keep an earlier one from hearing.
TEST(ClassesNotification, AnInsertBatchIsAnnouncedToTheOwnerAndItsEarlierComponentsOnly)
{
    TBatchOwner owner(nullptr);
    auto* earlier = new TThing(&owner);
    auto* leavingEarly = new TThing(&owner);
    owner.BeginInsertBatch();
    owner.BeginInsertBatch();
    auto* first = new TThing(&owner);
    auto* freedMember = new TThing(&owner);
    delete leavingEarly;
    delete freedMember;
    owner.EndInsertBatch();
    auto* second = new TThing(&owner);
    owner.EndInsertBatch();
    auto* after = new TThing(&owner);
    EXPECT_EQ(owner.Insertions, 6);
    EXPECT_EQ(earlier->Insertions, 5);  // every later one
    EXPECT_EQ(first->Insertions, 1);    // only `after`
    EXPECT_EQ(second->Insertions, 1);
    EXPECT_EQ(first->Removals, 2);      // removals reach members as always
    EXPECT_EQ(after->Insertions, 0);
    EXPECT_EQ(owner.ComponentCount(), 4);
}

TEST(ClassesNames, FindComponentIgnoresCaseAndNamesAreChecked)
{
    TComponent owner(nullptr);
    auto* a = new TThing(&owner);
    a->SetName("HtmlOut");
    EXPECT_EQ(owner.FindComponent("HTMLOUT"), a);
    EXPECT_EQ(owner.FindComponent("Other"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    auto* b = new TThing(&owner);
    EXPECT_THROW(b->SetName("htmlout"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    b->SetName("Second_2");
    EXPECT_EQ(b->Name(), "Second_2");
}

// A name is found under its owner exactly while the component holds it there.
TEST(ClassesNames, LookupsFollowRenamesMovesAndFrees)
{
    TComponent owner(nullptr), other(nullptr);
    auto* a = new TThing(&owner);
    a->SetName("Alpha");
    a->SetName("Beta");
    EXPECT_EQ(owner.FindComponent("alpha"), nullptr);
    EXPECT_EQ(owner.FindComponent("BETA"), a);
    auto* b = new TThing(&owner);
    b->SetName("ALPHA");  // free again
    other.InsertComponent(a);
    EXPECT_EQ(owner.FindComponent("Beta"), nullptr);
    EXPECT_EQ(other.FindComponent("beta"), a);
    auto* c = new TThing(&other);
    c->SetName("Alpha");
    EXPECT_THROW(owner.InsertComponent(c), EComponentError);  // b holds it there
    EXPECT_EQ(other.FindComponent("alpha"), c);
    a->SetName("");
    EXPECT_EQ(other.FindComponent("Beta"), nullptr);
    delete b;
    EXPECT_EQ(owner.FindComponent("Alpha"), nullptr);
    owner.InsertComponent(c);
    EXPECT_EQ(owner.FindComponent("alpha"), c);
    EXPECT_EQ(other.FindComponent("alpha"), nullptr);
}

TEST(ClassesNames, ComponentsIndexOutOfRangeRaises)
{
    TComponent owner(nullptr);
    EXPECT_THROW(owner.Components(0), EListError);
}

TEST(ClassesCast, CheckedCastRaisesOnAWrongClassAndPassesDescendants)
{
    TComponent owner(nullptr);
    TObject* thing = new TOtherThing(&owner);
    EXPECT_EQ(As<TThing>(thing), thing);
    EXPECT_EQ(As<TThing>(nullptr), nullptr);
    TObject* plain = &owner;
    try {
        As<TThing>(plain);
        FAIL() << "no exception";
    } catch (const EInvalidCast& e) {
        EXPECT_EQ(e.Message(), "Invalid class typecast");
        EXPECT_STREQ(e.ClassName(), "EInvalidCast");
    }
    EXPECT_TRUE(thing->InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(plain->InheritsFrom(TThing::StaticClass()));
    EXPECT_EQ(thing->ClassName(), "TOtherThing");
    EXPECT_EQ(thing->ClassType()->ClassParent(), TThing::StaticClass());
}

TEST(ClassesMetaclass, VirtualConstructorMakesTheRightClassWithItsOwner)
{
    TComponent owner(nullptr);
    TObject* made = TOtherThing::StaticClass()->Create(&owner);
    EXPECT_EQ(made->ClassType(), TOtherThing::StaticClass());
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_THROW(TStrings::StaticClass()->Create(nullptr), EAbstractError);
}

TEST(ClassesRegistry, ClassesAreFoundByNameWithoutRegardToCase)
{
    RegisterClass(TThing::StaticClass());
    RegisterClass(TThing::StaticClass());  // again: no error
    EXPECT_EQ(GetClass("tthing"), TThing::StaticClass());
    EXPECT_EQ(GetClass("TNoSuchThing"), nullptr);
    EXPECT_THROW(FindClass("TNoSuchThing"), EClassNotFound);
    UnregisterClass(TThing::StaticClass());
    EXPECT_EQ(GetClass("TThing"), nullptr);
}

}  // namespace
