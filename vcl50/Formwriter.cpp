#include "vcl50/Formwriter.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "vcl50/Filer.h"
#include "vcl50/Propertydefaults.h"

namespace {

class TFormWriter {
public:
    explicit TFormWriter(TComponent* root) : FRoot(root) {}

    void WriteComponent(TComponent* component, int indent)
    {
        AnsiString header = component->Name().empty()
                                ? component->ClassName()
                                : component->Name() + ": " + component->ClassName();
        Line(indent, "object " + header);
        std::unique_ptr<TObject> reference = FreshInstance(component->ClassType());
        WriteProperties(component, reference.get(), component->Name(), "", indent + 2);
        component->GetChildren([&](TComponent* child) { WriteComponent(child, indent + 2); },
                               FRoot);
        Line(indent, "end");
    }

    // The dotted names of the component's own properties that it writes, not its children's.
    std::vector<AnsiString> WrittenPaths(TComponent* component)
    {
        std::vector<AnsiString> paths;
        FPaths = &paths;
        std::unique_ptr<TObject> reference = FreshInstance(component->ClassType());
        WriteProperties(component, reference.get(), component->Name(), "", 0);
        FPaths = nullptr;
        return paths;
    }

    AnsiString Text;

private:

    // `reference` is null or of the object's own class, so its accessors fit it.
    void WriteProperties(TObject* object, TObject* reference, const AnsiString& component,
                         const AnsiString& prefix, int indent)
    {
        for (const TPropInfo* prop : object->ClassType()->Properties()) {
            if (prop->IsStored && !prop->IsStored(object))
                continue;
            if (prefix.empty() && Is<TComponent>(object) && SameText(prop->Name, "Name"))
                continue;  // the object line holds it
            AnsiString path = prefix + prop->Name;
            if (prop->Kind() == tkClass) {
                WriteObjectProperty(object, reference, prop, component, path, indent);
            } else if (auto value = Value(object, reference, prop, component, indent)) {
                PropertyLine(indent, path, *value);
            }
        }
        if (auto* persistent = dynamic_cast<TPersistent*>(object))
            WriteDefinedProperties(persistent, dynamic_cast<TPersistent*>(reference), prefix,
                                   indent);
    }

    void WriteObjectProperty(TObject* object, TObject* reference, const TPropInfo* prop,
                             const AnsiString& component, const AnsiString& path, int indent)
    {
        TObject* value = prop->GetObj(object);
        if (!value)
            return;
        if (auto* referred = dynamic_cast<TComponent*>(value)) {
            AnsiString name = ReferenceName(referred);
            if (prop->SetObj && !name.empty())
                PropertyLine(indent, path, name);
            return;
        }
        // A sub-object of its own (a font, a string list): its properties by dotted name.
        TObject* counterpart = reference ? prop->GetObj(reference) : nullptr;
        std::unique_ptr<TObject> fresh;
        if (!counterpart || counterpart->ClassType() != value->ClassType()) {
            fresh = FreshInstance(value->ClassType());
            counterpart = fresh.get();
        }
        WriteProperties(value, counterpart, component, path + ".", indent);
    }

    std::optional<AnsiString> Value(TObject* object, TObject* reference, const TPropInfo* prop,
                                    const AnsiString& component, int indent) const
    {
        TWriter writer(indent);
        switch (prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet: {
            int64_t value = prop->GetOrd(object);
            if (!prop->SetOrd || IsDefaultPropValue(object, prop, reference))
                return std::nullopt;
            WriteOrdinal(writer, prop, value, component);
            break;
        }
        case tkString:
        case tkLString: {
            AnsiString value = prop->GetStr(object);
            if (!prop->SetStr || IsDefaultPropValue(object, prop, reference))
                return std::nullopt;
            writer.WriteString(value);
            break;
        }
        case tkMethod: {
            // Only a published method of the root can be named; handlers code installs are not
            // part of the resource.
            TMethodRef method = prop->GetMethod(object);
            if (!prop->SetMethod || !method.Assigned || method.Name.empty() || method.Data != FRoot)
                return std::nullopt;
            writer.WriteIdent(method.Name);
            break;
        }
        default:
            return std::nullopt;
        }
        return writer.Text();
    }

    static void WriteOrdinal(TWriter& writer, const TPropInfo* prop, int64_t value,
                             const AnsiString& component)
    {
        const TTypeInfo* type = prop->PropType;
        auto unwritable = [&] {
            throw EWriteError("Error writing " + component + "." + prop->Name + ": value " +
                              std::to_string(value) + " out of range for " + type->Name);
        };
        switch (type->Kind) {
        case tkEnumeration: {
            AnsiString name = GetEnumName(type, value);
            if (name.empty())
                unwritable();
            writer.WriteIdent(name);
            return;
        }
        case tkSet: {
            std::vector<AnsiString> names;
            auto mask = static_cast<uint64_t>(value);
            const auto& elements = type->CompType->EnumNames;
            for (size_t i = 0; i < elements.size() && i < 64; ++i)
                if (mask & (uint64_t{1} << i)) {
                    names.push_back(elements[i]);
                    mask &= ~(uint64_t{1} << i);
                }
            if (mask)
                unwritable();
            writer.WriteSet(names);
            return;
        }
        case tkChar:
            writer.WriteString(AnsiString(1, static_cast<char>(value)));
            return;
        default: {
            std::string ident;
            if (type->IntToIdent && type->IntToIdent(value, ident))
                writer.WriteIdent(ident);
            else
                writer.WriteInteger(value);
        }
        }
    }

    void WriteDefinedProperties(TPersistent* object, TPersistent* reference,
                                const AnsiString& prefix, int indent)
    {
        TWriter mine(indent);
        object->DefineProperties(&mine);
        TWriter theirs(indent);
        if (reference)
            reference->DefineProperties(&theirs);
        for (const TWriter::TDefinedProperty& d : mine.DefinedProperties()) {
            const auto& others = theirs.DefinedProperties();
            auto match = std::find_if(others.begin(), others.end(),
                                      [&](const auto& o) { return SameText(o.Name, d.Name); });
            bool found = match != others.end();
            if (!d.HasData && !(found && match->HasData))
                continue;
            if (found && match->HasData == d.HasData && match->Text == d.Text)
                continue;
            PropertyLine(indent, prefix + d.Name, d.Text);
        }
    }

    // The name a reader resolves: relative to the root, or through the owners of a component
    // elsewhere ("fmOther.Button1"). Empty for one that has no name to go by.
    AnsiString ReferenceName(const TComponent* component) const
    {
        if (component == FRoot)
            return FRoot->Name();
        if (component->Name().empty())
            return "";
        AnsiString path = component->Name();
        for (const TComponent* o = component->Owner(); o && o != FRoot; o = o->Owner()) {
            if (o->Name().empty())
                return "";
            path = o->Name() + "." + path;
        }
        return path;
    }

    void PropertyLine(int indent, const AnsiString& path, const AnsiString& value)
    {
        if (FPaths)
            FPaths->push_back(path);
        else
            Line(indent, path + " = " + value);
    }

    void Line(int indent, const AnsiString& text)
    {
        Text += AnsiString(static_cast<size_t>(indent), ' ') + text + "\n";
    }

    TComponent* FRoot;
    std::vector<AnsiString>* FPaths = nullptr;  // collecting names instead of writing lines
};

}  // namespace

AnsiString WriteComponentResource(TComponent* component, TComponent* root)
{
    TFormWriter writer(root);
    writer.WriteComponent(component, 0);
    return writer.Text;
}

std::vector<AnsiString> WrittenPropertyPaths(TComponent* component, TComponent* root)
{
    return TFormWriter(root).WrittenPaths(component);
}

AnsiString WriteFormResource(TComponent* root)
{
    TFormWriter writer(root);
    writer.WriteComponent(root, 0);
    return writer.Text;
}
