#include "host/ComponentClipboard.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "host/Designer.h"
#include "vcl50/Formparser.h"
#include "vcl50/Formreader.h"
#include "vcl50/Formwriter.h"
#include "vcl50/Sysutils.h"

namespace {

// Where a pasted component moves when its place is taken: the design surface's grid step.
constexpr int PasteOffset = 8;

void ForEachNode(std::vector<TFormNode>& nodes, const std::function<void(TFormNode&)>& visit)
{
    for (TFormNode& node : nodes) {
        visit(node);
        ForEachNode(node.Children, visit);
    }
}

// The property a dotted name reaches through the declared classes of the sub-objects.
const TPropInfo* DeclaredProperty(TClass cls, std::string_view name)
{
    const TPropInfo* prop = nullptr;
    for (size_t dot; cls; name.remove_prefix(dot + 1)) {
        dot = name.find('.');
        prop = cls->FindProperty(name.substr(0, dot));
        if (!prop || dot == std::string_view::npos)
            return prop;
        cls = prop->Kind() == tkClass ? prop->PropType->ClassType : nullptr;
    }
    return nullptr;
}

class TPaste {
public:
    explicit TPaste(TComponent* root) : FRoot(root) {}

    void Rename(std::vector<TFormNode>& objects)
    {
        std::set<const TFormNode*> kept;
        ForEachNode(objects, [&](TFormNode& node) {
            if (node.Kind != TFormNodeKind::Object)
                RaiseReadError(node.Name, "", node.Line, "only whole components can be pasted");
            DropNameLine(node);
            if (!node.Name.empty() && !Taken(node.Name)) {
                Claim(node.Name, node.Name);
                kept.insert(&node);
            }
        });
        ForEachNode(objects, [&](TFormNode& node) {
            if (kept.count(&node))
                return;
            TClass cls = GetClass(node.ClassName);
            if (!cls)
                RaiseReadError(node.Name, "", node.Line, "Class " + node.ClassName + " not found");
            AnsiString name = FirstFreeName(cls, [&](const AnsiString& n) { return Taken(n); });
            Claim(node.Name, name);
            node.Name = name;
        });
    }

    // Points references at the pasted copies; clears those to components the form lacks.
    void Relink(std::vector<TFormNode>& objects) const
    {
        ForEachNode(objects, [&](TFormNode& node) {
            TClass cls = GetClass(node.ClassName);
            std::erase_if(node.Properties, [&](TFormProperty& p) {
                const TPropInfo* prop = cls ? DeclaredProperty(cls, p.Name) : nullptr;
                if (!prop || prop->Kind() != tkClass || p.Value.Kind != TFormValueKind::Ident ||
                    SameText(p.Value.Text, "nil"))
                    return false;
                auto copy = FPastedAs.find(UpperCase(p.Value.Text));
                if (copy != FPastedAs.end()) {
                    p.Value.Text = copy->second;
                    return false;
                }
                return !SameText(p.Value.Text, FRoot->Name()) && !FRoot->FindComponent(p.Value.Text);
            });
        });
    }

private:
    // The name is the object line's: the paste renames by it and points references by it. A
    // Name line saying the same is dropped; one saying otherwise would rename the component
    // behind their back, and is refused.
    static void DropNameLine(TFormNode& node)
    {
        std::erase_if(node.Properties, [&](const TFormProperty& p) {
            if (!SameText(p.Name, "Name"))
                return false;
            const bool same = p.Value.Kind == TFormValueKind::String && !node.Name.empty() &&
                              SameText(p.Value.Text, node.Name);
            if (!same)
                RaiseReadError(node.Name.empty() ? node.ClassName : node.Name, p.Name, p.Line,
                               node.Name.empty() ? "the name goes on the object line (object NAME: " +
                                                       node.ClassName + ")"
                                                 : "the object line names it " + node.Name +
                                                       "; a Name line may only repeat that");
            return true;
        });
    }

    bool Taken(const AnsiString& name) const
    {
        return SameText(name, FRoot->Name()) || FRoot->FindComponent(name) || FNames.count(UpperCase(name));
    }

    void Claim(const AnsiString& copied, const AnsiString& name)
    {
        FNames.insert({UpperCase(name), name});
        if (!copied.empty())
            FPastedAs.insert({UpperCase(copied), name});
    }

    TComponent* FRoot;
    std::map<AnsiString, AnsiString> FNames;     // the names the paste takes, by upper case
    std::map<AnsiString, AnsiString> FPastedAs;  // copied name (upper case) to pasted name
};

void MoveOffOthers(TComponent* root, const std::vector<TComponent*>& pasted)
{
    auto occupied = [&](int left, int top) {
        for (int i = 0; i < root->ComponentCount(); ++i) {
            TComponent* c = root->Components(i);
            if (std::find(pasted.begin(), pasted.end(), c) == pasted.end() && c->DesignLeft() == left &&
                c->DesignTop() == top)
                return true;
        }
        return false;
    };
    // Down and right, turning back at the end of the range a position has, so the place found
    // is one a form file holds. Each lane holds thousands of places: a free one comes long before
    // the bound, which only keeps a loop from running on.
    auto step = [](int at, int& by) {
        if (at + by > MaxDesignPosition || at + by < MinDesignPosition)
            by = -by;
        return at + by;
    };
    constexpr int tries = (MaxDesignPosition - MinDesignPosition) / PasteOffset;
    for (TComponent* c : pasted) {
        int left = c->DesignLeft(), top = c->DesignTop();
        int byLeft = PasteOffset, byTop = PasteOffset;
        for (int i = 0; i < tries && occupied(left, top); ++i) {
            left = step(left, byLeft);
            top = step(top, byTop);
        }
        c->SetDesignPosition(left, top);
    }
}

}  // namespace

AnsiString CopyComponentText(TComponent* root, const std::vector<TComponent*>& components)
{
    AnsiString text;
    for (TComponent* component : components)
        text += WriteComponentResource(component, root);
    return text;
}

std::vector<TComponent*> PasteComponentText(TComponent* root, std::string_view text)
{
    std::vector<TFormNode> objects = ParseFormObjects(text);
    TPaste paste(root);
    paste.Rename(objects);
    paste.Relink(objects);
    std::vector<TComponent*> pasted = ReadFormObjects(root, objects);
    MoveOffOthers(root, pasted);
    return pasted;
}
