#include "host/Designer.h"

#include <algorithm>

#include "vcl50/Formresources.h"
#include "host/ComponentClipboard.h"
#include "host/PropertyDefaults.h"
#include "vcl50/Sysutils.h"

TDesigner::TDesigner(std::unique_ptr<TComponent> root) : FRoot(std::move(root))
{
    if (!FRoot)
        throw EInvalidOperation("A designer needs a root component");
    FRoot->SetDesigning(true);
}

TDesigner::~TDesigner() = default;

void TDesigner::Modified()
{
    FModified = true;
    // Until the action's text is known: a change that records no step is a change all the same.
    FAtSaved = false;
    if (FOnModified)
        FOnModified();
}

AnsiString TDesigner::GetComponentName(TComponent* component) const
{
    if (!component)
        return "";
    if (component == FRoot.get() || component->Owner() == FRoot.get() || !component->Owner())
        return component->Name();
    return component->Owner()->Name() + "." + component->Name();
}

TComponent* TDesigner::GetComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    if (SameText(FRoot->Name(), name))
        return FRoot.get();
    return FRoot->FindComponent(name);
}

void TDesigner::GetComponentNames(TClass cls, const TGetStrProc& proc) const
{
    for (int i = 0; i < FRoot->ComponentCount(); ++i) {
        TComponent* c = FRoot->Components(i);
        if (!c->Name().empty() && (!cls || c->InheritsFrom(cls)))
            proc(c->Name());
    }
}

void TDesigner::GetMethods(const TTypeInfo* eventType, const TGetStrProc& proc) const
{
    if (!eventType->MethodSignature)
        return;
    std::vector<std::string> seen;
    for (TClass c = FRoot->ClassType(); c; c = c->ClassParent())
        for (const TMethodEntry& method : c->OwnMethods()) {
            if (method.Signature != std::type_index(*eventType->MethodSignature))
                continue;
            if (std::any_of(seen.begin(), seen.end(), [&](const std::string& s) { return SameText(s, method.Name); }))
                continue;
            seen.push_back(method.Name);
            proc(method.Name);
        }
}

void TDesigner::ShowMethod(const AnsiString& name)
{
    FLastShownMethod = name;
}

TComponent* TDesigner::AddComponent(TComponentClass cls, const AnsiString& name, int left, int top)
{
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
        throw EInvalidOperation(Format("%s is not a component class", {cls ? cls->ClassName() : "nil"}));
    TComponent* component = nullptr;
    Perform("Add " + cls->ClassName(), [&] {
        std::unique_ptr<TObject> object(cls->Create(FRoot.get()));
        component = As<TComponent>(object.get());
        component->SetName(name.empty() ? UniqueName(cls) : name);  // a refused name frees it again
        component->SetDesignPosition(left, top);
        object.release();
        Modified();
    });
    return component;
}

void TDesigner::DeleteComponent(TComponent* component)
{
    DeleteComponents({component});
}

void TDesigner::DeleteComponents(const std::vector<TComponent*>& components)
{
    for (TComponent* component : components)
        if (!component || component == FRoot.get() || component->Owner() != FRoot.get())
            throw EInvalidOperation("Only a component on the form can be deleted");
    const AnsiString label = components.size() == 1 ? "Delete " + components[0]->Name() : AnsiString("Delete");
    Perform(label, [&] {
        // Each once, however often named; the form owns them all, so freeing one frees no other.
        TDesignerSelectionList leaving = OnForm(TDesignerSelectionList(components.begin(), components.end()));
        std::sort(leaving.begin(), leaving.end());
        leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());
        for (TPersistent* component : leaving) {
            std::erase(FSelection, component);
            delete component;
        }
        Modified();
    });
}

void TDesigner::ResetProperty(std::string_view path)
{
    // Like the inspector's Reset item, which is greyed out there.
    if (!TRowDefaults(Selection(), FRoot.get()).Differs(path))
        return;
    Perform("Reset " + AnsiString(path), [&] {
        ResetToDefault(Selection(), path);
        Modified();
    });
}

std::vector<TComponent*> TDesigner::PasteComponents(std::string_view text)
{
    std::vector<TComponent*> pasted;
    Perform("Paste", [&] {
        pasted = PasteComponentText(FRoot.get(), text);
        FSelection.assign(pasted.begin(), pasted.end());
        Modified();
    });
    return pasted;
}

void TDesigner::MoveComponent(TComponent* component, int left, int top)
{
    if (!component || component == FRoot.get() || component->Owner() != FRoot.get())
        throw EInvalidOperation("Only a component on the form can be moved");
    if (component->DesignLeft() == left && component->DesignTop() == top)
        return;
    Perform("Move " + component->Name(), [&] {
        component->SetDesignPosition(left, top);
        Modified();
    });
}

void TDesigner::Perform(const AnsiString& label, const std::function<void()>& action)
{
    if (FAction) {
        if (FAction->Label.empty())
            FAction->Label = label;
        action();
        return;
    }
    FAction.emplace(TRunningAction{label, WriteComponentResourceText(FRoot.get())});
    try {
        action();
    } catch (...) {
        EndAction();
        throw;
    }
    EndAction();
}

void TDesigner::EndAction()
{
    TRunningAction action = std::move(*FAction);
    FAction.reset();
    AnsiString after = WriteComponentResourceText(FRoot.get());
    if (after == action.Before)
        return;
    FAtSaved = IsSavedText(after);
    if (!FHistory.Push(std::move(action.Label), std::move(action.Before), std::move(after)) && FOnHistoryCleared)
        FOnHistoryCleared();
}

bool TDesigner::Undo()
{
    if (FAction || !FHistory.CanUndo())
        return false;
    Restore(FHistory.UndoText());
    const bool saved = IsSavedText(FHistory.UndoText());
    FHistory.Undone();
    Modified();
    FAtSaved = saved;
    return true;
}

bool TDesigner::Redo()
{
    if (FAction || !FHistory.CanRedo())
        return false;
    Restore(FHistory.RedoText());
    const bool saved = IsSavedText(FHistory.RedoText());
    FHistory.Redone();
    Modified();
    FAtSaved = saved;
    return true;
}

void TDesigner::MarkSaved(const AnsiString& text)
{
    FSavedHash = std::hash<std::string_view>{}(text);
    FAtSaved = true;
}

bool TDesigner::IsSavedText(const AnsiString& text) const
{
    return std::hash<std::string_view>{}(text) == FSavedHash;
}

void TDesigner::Restore(const AnsiString& text)
{
    // A fresh root, as its constructor leaves it: properties the text omits are at their
    // defaults, exactly as they were when it was written. Should reading fail, nothing changes.
    std::unique_ptr<TComponent> root(As<TComponent>(FRoot->ClassType()->CreateNew(nullptr)));
    root->SetDesigning(true);
    ReadComponentResourceText(root.get(), text);
    root->SetDesigning(true);
    std::vector<AnsiString> selected;
    for (TPersistent* object : Selection())
        selected.push_back(object == FRoot.get() ? AnsiString() : static_cast<TComponent*>(object)->Name());
    FSelection.clear();
    FRoot = std::move(root);
    for (const AnsiString& name : selected)
        if (TComponent* component = name.empty() ? FRoot.get() : FRoot->FindComponent(name))
            FSelection.push_back(component);
}

void TDesigner::Select(const TDesignerSelectionList& selection)
{
    if (OnForm(selection).size() != selection.size())
        throw EInvalidOperation("Only the form and its components can be selected");
    FSelection = selection;
}

TDesignerSelectionList TDesigner::Selection() const
{
    return OnForm(FSelection);
}

TDesignerSelectionList TDesigner::OnForm(const TDesignerSelectionList& objects) const
{
    // Compared by address only: a component freed behind the designer's back is not touched.
    // One pass over the form, however many objects, so a large form with many selected stays
    // quick; the sorted objects are searched, not the form.
    std::vector<const TPersistent*> wanted(objects.begin(), objects.end());
    std::sort(wanted.begin(), wanted.end());
    std::vector<const TPersistent*> present{FRoot.get()};
    for (int i = 0; i < FRoot->ComponentCount(); ++i)
        if (std::binary_search(wanted.begin(), wanted.end(), FRoot->Components(i)))
            present.push_back(FRoot->Components(i));
    std::sort(present.begin(), present.end());
    TDesignerSelectionList kept;
    for (TPersistent* object : objects)
        if (std::binary_search(present.begin(), present.end(), object))
            kept.push_back(object);
    return kept;
}

AnsiString TDesigner::UniqueName(TComponentClass cls) const
{
    return FirstFreeName(cls, [this](const AnsiString& name) { return GetComponent(name) != nullptr; });
}

AnsiString FirstFreeName(TClass cls, const std::function<bool(const AnsiString&)>& taken)
{
    AnsiString base = cls->ClassName();
    if (base.size() > 1 && (base[0] == 'T' || base[0] == 't'))
        base.erase(0, 1);
    for (int n = 1;; ++n) {
        AnsiString name = base + IntToStr(n);
        if (!taken(name))
            return name;
    }
}
