#include "host/PropertyDefaults.h"

#include <memory>

#include "host/PropertyText.h"
#include "vcl50/Formwriter.h"
#include "vcl50/Propertydefaults.h"
#include "vcl50/Sysutils.h"

namespace {

// One fresh instance per class, for as long as one question or one reset takes: kept longer,
// an instance would outlive the package that made it, and a form counts among the screen's.
class TReferences {
public:
    const TObject* Of(TClass cls)
    {
        auto& instance = FInstances[cls];
        if (!instance)
            instance = FreshInstance(cls);
        return instance.get();
    }

    // The counterpart of the resolved `path` on the reference of `start`'s class, when it is
    // of the same class as `target` (so the property's accessors fit it); else a reference of
    // the target's own class.
    const TObject* Counterpart(const TObject* start, std::string_view path, const TObject* target)
    {
        const TObject* reference = Of(start->ClassType());
        if (reference) {
            std::optional<TPropertyPath> at = ResolvePropertyPath(const_cast<TObject*>(reference), path);
            reference = at ? at->Object : nullptr;
        }
        if (reference && reference->ClassType() == target->ClassType())
            return reference;
        return Of(target->ClassType());
    }

private:
    std::map<TClass, std::unique_ptr<TObject>> FInstances;
};

std::string_view ParentPath(std::string_view path)
{
    size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : path.substr(0, dot);
}

// A set element's row: the set property and the element's bit.
struct TSetElement {
    TPropertyPath Set;
    int64_t Bit;
};

std::optional<TSetElement> ResolveSetElement(TObject* start, std::string_view path)
{
    std::string_view parent = ParentPath(path);
    std::optional<TPropertyPath> set = parent.empty() ? std::nullopt : ResolvePropertyPath(start, parent);
    if (!set || !set->Object || set->Prop->Kind() != tkSet)
        return std::nullopt;
    int64_t element = GetEnumValue(set->Prop->PropType->CompType, path.substr(parent.size() + 1));
    if (element < 0 || element >= 64)
        return std::nullopt;
    return TSetElement{*set, int64_t{1} << element};
}

}  // namespace

TRowDefaults::TRowDefaults(const TDesignerSelectionList& selection, TComponent* root)
{
    TReferences references;
    auto add = [&](const AnsiString& path) {
        for (size_t dot = 0; (dot = path.find('.', dot)) != AnsiString::npos; ++dot)
            FPaths.insert(UpperCase(path.substr(0, dot)));
        FPaths.insert(UpperCase(path));
    };
    for (TPersistent* object : selection) {
        auto* component = dynamic_cast<TComponent*>(object);
        if (!component)
            continue;
        for (const AnsiString& path : WrittenPropertyPaths(component, root)) {
            add(path);
            std::optional<TPropertyPath> at = ResolvePropertyPath(component, path);
            if (!at || !at->Object || at->Prop->Kind() != tkSet)
                continue;
            const TObject* reference = references.Counterpart(component, path, at->Object);
            uint64_t changed = static_cast<uint64_t>(at->Prop->GetOrd(at->Object) ^
                                                     DefaultOrdValue(at->Prop, reference).value_or(0));
            const auto& names = at->Prop->PropType->CompType->EnumNames;
            for (size_t i = 0; i < names.size() && i < 64; ++i)
                if (changed & (uint64_t{1} << i))
                    add(path + "." + names[i]);
        }
    }
}

bool TRowDefaults::Differs(std::string_view path) const
{
    return FPaths.count(UpperCase(path)) > 0;
}

void ResetToDefault(const TDesignerSelectionList& objects, std::string_view path)
{
    TReferences references;
    for (TPersistent* object : objects) {
        if (std::optional<TPropertyPath> at = ResolvePropertyPath(object, path)) {
            if (at->Object)
                SetDefaultPropValue(at->Object, at->Prop, references.Counterpart(object, path, at->Object));
        } else if (std::optional<TSetElement> element = ResolveSetElement(object, path)) {
            const TPropertyPath& set = element->Set;
            if (!set.Prop->SetOrd)
                continue;
            const TObject* reference = references.Counterpart(object, ParentPath(path), set.Object);
            int64_t value = set.Prop->GetOrd(set.Object);
            int64_t fallback = DefaultOrdValue(set.Prop, reference).value_or(0);
            set.Prop->SetOrd(set.Object, (value & ~element->Bit) | (fallback & element->Bit));
        } else {
            throw EPropertyError(Format("%s has no property %s", {object->ClassName(), AnsiString(path)}));
        }
    }
}
