#include "vcl50/Formreader.h"

#include <algorithm>
#include <string>

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
        for (const TLoading& l : FLoading)
            if (std::find(FCreated.begin(), FCreated.end(), l.Component) == FCreated.end())
                l.Component->SetLoading(false);
        // Newest first, and only what the root still owns: a container may already have freed
        // the controls it holds.
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
            if (OwnedByRoot(*it))
                delete *it;
    }

    void Read(const TFormNode& tree)
    {
        CheckRoot(tree);
        BuildRoot(tree);
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

private:
    // ---- check: the tree against classes and type information, before anything is made ----

    void CheckRoot(const TFormNode& node)
    {
        std::vector<AnsiString> names;
        CheckProperties(node, FRoot->ClassType());
        for (const TFormNode& child : node.Children)
            CheckNode(child, FRoot, names);
    }

    // `lookupOwner` holds the components that `inherited` nodes name; null inside an inline
    // component, which does not exist yet.
    void CheckNode(const TFormNode& node, const TComponent* lookupOwner,
                   std::vector<AnsiString>& names)
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
            CheckNewName(node, at, names);
        }
        if (cls)
            CheckProperties(node, cls);
        const TComponent* childLookup = node.Kind == TFormNodeKind::Inline ? nullptr : lookupOwner;
        for (const TFormNode& child : node.Children)
            CheckNode(child, childLookup, names);
    }

    TClass CheckCreatable(const TFormNode& node, const TReadPlace& at) const
    {
        TClass cls = GetClass(node.ClassName);
        if (!cls)
            at.Fail("Class " + node.ClassName + " not found");
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

    void CheckNewName(const TFormNode& node, const TReadPlace& at,
                      std::vector<AnsiString>& names) const
    {
        if (node.Name.empty())
            return;
        bool seen = std::any_of(names.begin(), names.end(),
                                [&](const AnsiString& n) { return SameText(n, node.Name); });
        if (seen || FRoot->FindComponent(node.Name))
            at.Fail("a component named " + node.Name + " already exists");
        names.push_back(node.Name);
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
            if (!prop)
                at.Fail("property " + part + " does not exist");
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
            std::erase_if(FFixups,
                          [&](const TFixup& f) { return f.Target == target && f.Prop == prop; });
            At(at, [&] { Apply(target, prop, value, at); });
            if (value.Kind == TPropertyValue::TKind::Reference)
                FFixups.push_back(
                    {target, prop, value.Text, AnsiString(at.Component), p.Name, p.Line});
            return;
        }
        auto* persistent = dynamic_cast<TPersistent*>(target);
        TReader reader(last, p.Value, at);
        if (persistent)
            At(at, [&] { persistent->DefineProperties(&reader); });
        if (!reader.Handled())
            at.Fail("property " + last + " does not exist");
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
            TReadPlace at{f.Component, f.Property, f.Line};
            TComponent* component = FindReferenced(f.Name);
            if (!component)
                at.Fail("component " + f.Name + " not found");
            TClass wanted = f.Prop->PropType->ClassType;
            if (!component->InheritsFrom(wanted))
                at.Fail("invalid property value '" + f.Name + "': a " + component->ClassName() +
                        " is no " + wanted->ClassName());
            At(at, [&] { f.Prop->SetObj(f.Target, component); });
        }
        FFixups.clear();
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
        if (std::none_of(FLoading.begin(), FLoading.end(),
                         [&](const TLoading& l) { return l.Component == component; }))
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

    bool OwnedByRoot(const TComponent* component) const
    {
        for (int i = 0; i < FRoot->ComponentCount(); ++i)
            if (FRoot->Components(i) == component)
                return true;
        return false;
    }

    TComponent* FRoot;
    std::vector<TComponent*> FCreated;  // in creation order
    struct TLoading {
        TComponent* Component;
        AnsiString Name;  // where its errors are: its node
        int Line;
    };
    std::vector<TLoading> FLoading;  // the root and every component read, in read order
    std::vector<TComponent*> FBuilt;    // those of the root's own nodes
    std::vector<TFixup> FFixups;
    bool FFinished = false;
};

}  // namespace

void ReadFormResources(TComponent* root, const std::vector<std::string_view>& texts)
{
    // Every text parses before anything is built, so a syntax error changes nothing.
    std::vector<TFormNode> trees;
    for (std::string_view text : texts)
        trees.push_back(ParseFormResource(text));
    TFormReader reader(root);
    for (const TFormNode& tree : trees)
        reader.Read(tree);
    reader.Finish();
}

std::vector<TComponent*> ReadFormObjects(TComponent* root, const std::vector<TFormNode>& objects)
{
    // A root node without name or properties: the reader leaves the root itself alone.
    TFormNode tree;
    tree.Children = objects;
    TFormReader reader(root);
    reader.Read(tree);
    reader.Finish();
    return reader.Built();
}
