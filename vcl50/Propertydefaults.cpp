#include "vcl50/Propertydefaults.h"

#include "vcl50/Classes.h"

std::unique_ptr<TObject> FreshInstance(TClass cls)
{
    if (!cls->CanCreate())
        return nullptr;
    return std::unique_ptr<TObject>(cls->CreateNew(nullptr));
}

std::optional<int64_t> DefaultOrdValue(const TPropInfo* prop, const TObject* reference)
{
    if (prop->Default)
        return prop->Default;
    if (reference)
        return prop->GetOrd(reference);
    return std::nullopt;
}

bool IsDefaultPropValue(const TObject* object, const TPropInfo* prop, const TObject* reference)
{
    if (prop->GetOrd)
        return DefaultOrdValue(prop, reference) == prop->GetOrd(object);
    return prop->GetStr && reference && prop->GetStr(object) == prop->GetStr(reference);
}

void SetDefaultPropValue(TObject* object, const TPropInfo* prop, const TObject* reference)
{
    if (prop->SetOrd) {
        if (std::optional<int64_t> value = DefaultOrdValue(prop, reference))
            prop->SetOrd(object, *value);
    } else if (prop->SetMethod) {
        prop->SetMethod(object, nullptr, nullptr);
    } else if (!reference) {
        return;
    } else if (prop->SetStr) {
        prop->SetStr(object, prop->GetStr(reference));
    } else if (prop->GetObj) {
        TObject* value = prop->GetObj(reference);
        if (prop->SetObj)
            prop->SetObj(object, value);  // a sub-object's setter assigns, a reference points
        else if (auto* own = dynamic_cast<TPersistent*>(prop->GetObj(object)); own && value)
            own->Assign(dynamic_cast<TPersistent*>(value));
    }
}
