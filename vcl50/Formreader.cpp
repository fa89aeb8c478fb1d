#include "vcl50/Formreader.h"

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "vcl50/Filer.h"
#include "vcl50/Formparser.h"
#include "vcl50/Formvalues.h"

namespace {

std::vector<std::string_view> SplitDotted(std::string_view name)
{
    std::vector<std::string_view> parts;
    for (size_t dot; (dot = name.find('.')) != std::string_view::npos; name.remove_prefix(dot + 1))
        parts.push_back(name.substr(0, dot));
    parts.push_back(name);
    return parts;
}

AnsiString DisplayName(const TFormNode& node)
{
    return node.Name.empty() ? node.ClassName : node.Name;
}

// Runs `step`, turning any platform exception it raises (a setter refusing a value, a
// constructor failing) into a read error at `at`.
template <class Step>
void At(const TReadPlace& at, Step&& step)
{
    try {
        step();
    } catch (const EReadError&) {
        throw;  // already says where
    } catch (const Exception& e) {
        at.Fail(e.Message());
    }
}

// A component reference waits until the whole tree is built.
struct TFixup {
    TObject* Target;
    const TPropInfo* Prop;
    AnsiString Name;
    AnsiString Component;
    AnsiString Property;
    int Line;
};

class TFormReader {
public:
    explicit TFormReader(TComponent* root) : FRoot(root) {}
    TFormReader(const TFormReader&) = delete;
    TFormReader& operator=(const TFormReader&) = delete;

    // A reader that did not finish undoes what it built.
    ~TFormReader()
    {
        if (FFinished)
            return;
        const std::unordered_set<const TComponent*> created(FCreated.begin(), FCreated.end());
        for (const TLoading& l : FLoading)
            if (!created.contains(l.Component))
                l.Component->SetLoading(false);
        // Only what the root still owns (anything else may be freed already), together, newest
        // first: a container frees the controls it holds, which then leave the batch.
        std::unordered_set<const TComponent*> owned;
        for (int i = 0; i < FRoot->ComponentCount(); ++i)
            owned.insert(FRoot->Components(i));
        std::vector<TComponent*> leaving;
        for (TComponent* c : FCreated)
            if (owned.contains(c))
                leaving.push_back(c);
        FRoot->DestroyComponents(leaving);
    }

    void Read(const TFormNode& tree)
    {
        CheckRoot(tree);
        {
            // The components read need not hear of one another's arrival, which would cost the
            // square of their number; references between them are fixed up once all are there.
            struct TInsertBatch {
                TComponent* Owner;
                explicit TInsertBatch(TComponent* owner) : Owner(owner) { Owner->BeginInsertBatch(); }
                ~TInsertBatch() { Owner->EndInsertBatch(); }
            } batch(FRoot);
            BuildRoot(tree);
        }
        ResolveFixups();
    }

    // The components of the root's own nodes, in their order.
    const std::vector<TComponent*>& Built() const { return FBuilt; }

    void Finish()
    {
        // What Loaded raises (a dataset that cannot open) is a read error of that component.
        for (const TLoading& l : FLoading)
            At({l.Name, "", l.Line}, [&] { l.Component->Loaded(); });
        FFinished = true;
    }

    // What the reads left out, in the order of the text.
    std::vector<TUnknownFormName> Unknown() const
    {
        std::vector<TUnknownFormName> unknown = FUnknown;
        std::stable_sort(unknown.begin(), unknown.end(),
                         [](const auto& a, const auto& b) { return a.Line < b.Line; });
        return unknown;
    }

private:
    // ---- check: the tree against classes and type information, before anything is made ----

    // The names of the new components so far, each viewing its node.
    using TNames = std::unordered_set<std::string_view, TTextHash, TTextEqual>;

    void CheckRoot(const TFormNode& node)
    {
        TNames names;
        CheckProperties(node, FRoot->ClassType());
        for (const TFormNode& child : node.Children)
            CheckNode(child, FRoot, names);
    }

    // `lookupOwner` holds the components that `inherited` nodes name; null inside an inline
    // component, which does not exist yet.
    void CheckNode(const TFormNode& node, const TComponent* lookupOwner, TNames& names)
    {
        AnsiString display = DisplayName(node);
        TReadPlace at{display, "", node.Line};
        TClass cls = nullptr;
        if (node.Kind == TFormNodeKind::Inherited) {
            if (lookupOwner) {
                const TComponent* existing = lookupOwner->FindComponent(node.Name);
                if (!existing)
                    at.Fail("ancestor component " + node.Name + " not found");
                cls = existing->ClassType();
            } else {
                cls = GetClass(node.ClassName);
            }
        } else {
            cls = CheckCreatable(node, at);
            if (!cls) {
                LeaveOut(node);
                return;
            }
            CheckNewName(node, at, names);
        }
        if (cls)
            CheckProperties(node, cls);
        const TComponent* childLookup = node.Kind == TFormNodeKind::Inline ? nullptr : lookupOwner;
        for (const TFormNode& child : node.Children)
            CheckNode(child, childLookup, names);
    }

    // Null for a class nothing registered.
    TClass CheckCreatable(const TFormNode& node, const TReadPlace& at) const
    {
        TClass cls = GetClass(node.ClassName);
        if (!cls)
            return nullptr;
        if (!cls->InheritsFrom(TComponent::StaticClass()))
            at.Fail("class " + node.ClassName + " is no component class");
        if (!cls->CanCreate())
            at.Fail("class " + node.ClassName + " cannot be created");
        const TFieldEntry* field = FieldOf(node.Name);
        if (field && !cls->InheritsFrom(field->FieldClass()))
            at.Fail("field " + field->Name + " of " + FRoot->ClassName() + " is a " +
                    field->FieldClass()->ClassName() + ", the resource makes a " + node.ClassName);
        return cls;
    }

    void CheckNewName(const TFormNode& node, const TReadPlace& at, TNames& names) const
    {
        if (node.Name.empty())
            return;
        if (names.contains(node.Name) || FRoot->FindComponent(node.Name))
            at.Fail("a component named " + node.Name + " already exists");
        names.insert(node.Name);
    }

    void CheckProperties(const TFormNode& node, TClass cls) const
    {
        AnsiString component = DisplayName(node);
        for (const TFormProperty& p : node.Properties) {
            TReadPlace at{component, p.Name, p.Line};
            if (const TPropInfo* prop = DeclaredProperty(cls, p.Name, at))
                ConvertFormValue(prop, p.Value, FRoot->ClassType(), at);
        }
    }

    // An object of an unknown class goes with all it holds; references to any of them follow.
    void LeaveOut(const TFormNode& node)
    {
        FUnknown.push_back({DisplayName(node), "", node.Line, "Class " + node.ClassName + " not found"});
        FLeftOut.insert(&node);
        std::vector<const TFormNode*> pending{&node};
        while (!pending.empty()) {
            const TFormNode* next = pending.back();
            pending.pop_back();
            if (!next->Name.empty())
                FLeftOutNames.push_back(next->Name);
            for (const TFormNode& child : next->Children)
                pending.push_back(&child);
        }
    }

    bool NamesLeftOut(std::string_view reference) const
    {
        for (std::string_view part : SplitDotted(reference))
            for (const AnsiString& name : FLeftOutNames)
                if (SameText(name, part))
                    return true;
        return false;
    }

    void Unknown(const TReadPlace& at, const AnsiString& what)
    {
        FUnknown.push_back({AnsiString(at.Component), AnsiString(at.Property), at.Line, what});
    }

    // The published property a dotted name reaches through the declared classes of the
    // sub-objects; null when only the objects themselves can tell (a defined property, or one
    // of a sub-object's own class), which the build step resolves.
    static const TPropInfo* DeclaredProperty(TClass cls, std::string_view name,
                                             const TReadPlace& at)
    {
        std::vector<std::string_view> parts = SplitDotted(name);
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            const TPropInfo* prop = cls->FindProperty(parts[i]);
            if (!prop)
                return nullptr;
            if (prop->Kind() != tkClass)
                at.Fail("property " + AnsiString(parts[i]) + " holds no object");
            cls = prop->PropType->ClassType;
        }
        return cls->FindProperty(parts.back());
    }

    // ---- build ------------------------------------------------------------------------------

    void BuildRoot(const TFormNode& node)
    {
        StartLoading(FRoot, node);
        if (!node.Name.empty())
            At({node.Name, "", node.Line}, [&] { FRoot->SetName(UniqueRootName(node.Name)); });
        ReadProperties(FRoot, node);
        for (const TFormNode& child : node.Children)
            if (!FLeftOut.contains(&child))
                FBuilt.push_back(BuildNode(child, FRoot, FRoot));
    }

    TComponent* BuildNode(const TFormNode& node, TComponent* enclosing, TComponent* lookupOwner)
    {
        AnsiString display = DisplayName(node);
        TReadPlace at{display, "", node.Line};
        TComponent* component = nullptr;
        if (node.Kind == TFormNodeKind::Inherited) {
            component = lookupOwner ? lookupOwner->FindComponent(node.Name) : nullptr;
            if (!component)
                at.Fail("ancestor component " + node.Name + " not found");
        } else {
            At(at, [&] {
                component = static_cast<TComponent*>(FindClass(node.ClassName)->Create(FRoot));
            });
            FCreated.push_back(component);
        }
        // Loading before naming: a control that takes its name as caption must not do so here.
        StartLoading(component, node);
        if (node.Kind != TFormNodeKind::Inherited)
            At(at, [&] { component->SetName(node.Name); });
        if (component->Owner() == FRoot)
            if (const TFieldEntry* field = FieldOf(node.Name))
                At(at, [&] { field->Assign(FRoot, component); });
        if (component->HasParent())
            At(at, [&] { component->SetParentComponent(enclosing); });
        ReadProperties(component, node);
        TComponent* childLookup = node.Kind == TFormNodeKind::Inline ? component : lookupOwner;
        for (const TFormNode& child : node.Children)
            if (!FLeftOut.contains(&child))
                BuildNode(child, component, childLookup);
        return component;
    }

    void ReadProperties(TComponent* component, const TFormNode& node)
    {
        AnsiString display = DisplayName(node);
        for (const TFormProperty& p : node.Properties)
            ReadProperty(component, {display, p.Name, p.Line}, p);
    }

    void ReadProperty(TObject* instance, const TReadPlace& at, const TFormProperty& p)
    {
        std::vector<std::string_view> parts = SplitDotted(p.Name);
        TObject* target = instance;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            AnsiString part(parts[i]);
            const TPropInfo* prop = target->ClassType()->FindProperty(part);
            if (!prop) {
                Unknown(at, "property " + part + " does not exist");
                return;
            }
            if (prop->Kind() != tkClass)
                at.Fail("property " + part + " holds no object");
            target = prop->GetObj(target);
            if (!target)
                at.Fail("property " + part + " holds no object");
        }
        AnsiString last(parts.back());
        if (const TPropInfo* prop = target->ClassType()->FindProperty(last)) {
            TPropertyValue value = ConvertFormValue(prop, p.Value, FRoot->ClassType(), at);
            // The last assignment wins, also over a reference still waiting for its fixup.
            if (auto waiting = FWaiting.find({target, prop}); waiting != FWaiting.end()) {
                FFixups[waiting->second].Target = nullptr;
                FWaiting.erase(waiting);
            }
            At(at, [&] { Apply(target, prop, value, at); });
            if (value.Kind == TPropertyValue::TKind::Reference) {
                FWaiting[{target, prop}] = FFixups.size();
                FFixups.push_back(
                    {target, prop, value.Text, AnsiString(at.Component), p.Name, p.Line});
            }
            return;
        }
        auto* persistent = dynamic_cast<TPersistent*>(target);
        TReader reader(last, p.Value, at);
        if (persistent)
            At(at, [&] { persistent->DefineProperties(&reader); });
        if (!reader.Handled())
            Unknown(at, "property " + last + " does not exist");
    }

    void Apply(TObject* target, const TPropInfo* prop, const TPropertyValue& value,
               const TReadPlace& at)
    {
        switch (value.Kind) {
        case TPropertyValue::TKind::Ordinal:
            prop->SetOrd(target, value.Ordinal);
            break;
        case TPropertyValue::TKind::String:
            prop->SetStr(target, value.Text);
            break;
        case TPropertyValue::TKind::Method:
            if (!prop->SetMethod(target, FRoot, value.Method))
                at.Fail("method " + value.Method->Name + " does not fit " + prop->PropType->Name);
            break;
        case TPropertyValue::TKind::Nil:
            if (prop->Kind() == tkClass)
                prop->SetObj(target, nullptr);
            else
                prop->SetMethod(target, nullptr, nullptr);
            break;
        case TPropertyValue::TKind::Reference:
            break;  // a fixup, once every component exists
        }
    }

    void ResolveFixups()
    {
        for (const TFixup& f : FFixups) {
            if (!f.Target)
                continue;  // a later assignment took its place
            TReadPlace at{f.Component, f.Property, f.Line};
            TComponent* component = FindReferenced(f.Name);
            if (!component && NamesLeftOut(f.Name)) {
                Unknown(at, "component " + f.Name + " not found");
                continue;
            }
            if (!component)
                at.Fail("component " + f.Name + " not found");
            TClass wanted = f.Prop->PropType->ClassType;
            if (!component->InheritsFrom(wanted))
                at.Fail("invalid property value '" + f.Name + "': a " + component->ClassName() +
                        " is no " + wanted->ClassName());
            At(at, [&] { f.Prop->SetObj(f.Target, component); });
        }
        FFixups.clear();
        FWaiting.clear();
    }

    // "Button1", the root itself, or a dotted path through owners ("fmMain.Frame1.Button1").
    TComponent* FindReferenced(std::string_view name) const
    {
        std::vector<std::string_view> parts = SplitDotted(name);
        size_t i = 0;
        if (SameText(parts[0], FRoot->Name())) {
            if (parts.size() == 1)
                return FRoot;
            i = 1;
        }
        TComponent* c = FRoot;
        for (; c && i < parts.size(); ++i)
            c = c->FindComponent(parts[i]);
        return c;
    }

    // ---- bookkeeping ------------------------------------------------------------------------

    void StartLoading(TComponent* component, const TFormNode& node)
    {
        component->SetLoading(true);
        if (FLoadingSet.insert(component).second)
            FLoading.push_back({component, DisplayName(node), node.Line});
    }

    const TFieldEntry* FieldOf(std::string_view name) const
    {
        return name.empty() ? nullptr : FRoot->ClassType()->FindField(name);
    }

    // A second form of one class under the same owner gets "fmFoo_1", as the platform does.
    AnsiString UniqueRootName(const AnsiString& name) const
    {
        const TComponent* owner = FRoot->Owner();
        AnsiString candidate = name;
        for (int i = 1; owner; ++i) {
            const TComponent* other = owner->FindComponent(candidate);
            if (!other || other == FRoot)
                break;
            candidate = name + "_" + std::to_string(i);
        }
        return candidate;
    }

    TComponent* FRoot;
    std::vector<TComponent*> FCreated;  // in creation order
    struct TLoading {
        TComponent* Component;
        AnsiString Name;  // where its errors are: its node
        int Line;
    };
    std::vector<TLoading> FLoading;  // the root and every component read, in read order
    std::unordered_set<const TComponent*> FLoadingSet;
    std::vector<TComponent*> FBuilt;  // those of the root's own nodes
    std::vector<TFixup> FFixups;  // in read order; a null Target was overridden
    // Where each property still waiting for its reference has its fixup.
    struct TPropertyOf {
        size_t operator()(const std::pair<TObject*, const TPropInfo*>& p) const
        {
            return std::hash<TObject*>()(p.first) * 31 + std::hash<const TPropInfo*>()(p.second);
        }
    };
    std::unordered_map<std::pair<TObject*, const TPropInfo*>, size_t, TPropertyOf> FWaiting;
    std::vector<TUnknownFormName> FUnknown;
    std::set<const TFormNode*> FLeftOut;  // nodes of unknown classes, which the build passes by
    std::vector<AnsiString> FLeftOutNames;  // theirs and those of all they hold
    bool FFinished = false;
};

// Raises every unknown name at once, so that one try tells all that is missing.
void RaiseUnknown(const std::vector<TUnknownFormName>& unknown)
{
    if (unknown.empty())
        return;
    AnsiString message;
    for (const TUnknownFormName& name : unknown)
        message += (message.empty() ? "" : "; ") + name.Message();
    throw EReadError(message);
}

}  // namespace

AnsiString TUnknownFormName::Message() const
{
    return ReadErrorText(Component, Property, Line, What);
}

namespace {

std::vector<TUnknownFormName> ReadResources(TComponent* root, const std::vector<std::string_view>& texts,
                                            bool lenient)
{
    // Every text parses before anything is built, so a syntax error changes nothing.
    std::vector<TFormNode> trees;
    for (std::string_view text : texts)
        trees.push_back(ParseFormResource(text));
    TFormReader reader(root);
    for (const TFormNode& tree : trees)
        reader.Read(tree);
    std::vector<TUnknownFormName> unknown = reader.Unknown();
    if (!lenient)
        RaiseUnknown(unknown);
    reader.Finish();
    return unknown;
}

}  // namespace

void ReadFormResources(TComponent* root, const std::vector<std::string_view>& texts)
{
    ReadResources(root, texts, false);
}

std::vector<TUnknownFormName> ReadFormResourcesLeniently(TComponent* root,
                                                         const std::vector<std::string_view>& texts)
{
    return ReadResources(root, texts, true);
}

std::vector<TComponent*> ReadFormObjects(TComponent* root, const std::vector<TFormNode>& objects)
{
    // A root node without name or properties: the reader leaves the root itself alone.
    TFormNode tree;
    tree.Children = objects;
    TFormReader reader(root);
    reader.Read(tree);
    RaiseUnknown(reader.Unknown());
    reader.Finish();
    return reader.Built();
}
