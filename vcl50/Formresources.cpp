#include "vcl50/Formresources.h"

#include <map>
#include <utility>
#include <vector>

#include "vcl50/Formreader.h"
#include "vcl50/Formwriter.h"

namespace {

// Keyed by the name in capitals: resource names match without regard to case.
std::map<AnsiString, AnsiString>& Registry()
{
    static std::map<AnsiString, AnsiString> texts;
    return texts;
}

TFormResourceLocator& Locator()
{
    static TFormResourceLocator locator;
    return locator;
}

std::optional<AnsiString> Locate(TClass cls, const AnsiString& name)
{
    auto it = Registry().find(UpperCase(name));
    if (it != Registry().end())
        return it->second;
    if (Locator())
        return Locator()(cls, name);
    return std::nullopt;
}

}  // namespace

TFormResourceLocator SetFormResourceLocator(TFormResourceLocator locator)
{
    return std::exchange(Locator(), std::move(locator));
}

void RegisterFormResource(const AnsiString& resourceName, AnsiString text)
{
    Registry()[UpperCase(resourceName)] = std::move(text);
}

void UnregisterFormResource(const AnsiString& resourceName)
{
    Registry().erase(UpperCase(resourceName));
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor)
{
    std::vector<TClass> chain;
    for (TClass c = instance->ClassType();
         c && c != rootAncestor && c != TComponent::StaticClass(); c = c->ClassParent())
        chain.push_back(c);
    std::vector<AnsiString> texts;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if (std::optional<AnsiString> text = Locate(*it, UpperCase((*it)->ClassName())))
            texts.push_back(std::move(*text));
    if (texts.empty())
        return false;
    ReadFormResources(instance, std::vector<std::string_view>(texts.begin(), texts.end()));
    // The class's code reaches its controls through its fields: a resource that leaves one empty
    // (a translated form without a control) is refused here rather than met as a null control.
    for (TClass c : chain)
        for (const TFieldEntry& field : c->OwnFields())
            if (!field.Read(instance))
                throw EReadError("Error reading " + c->ClassName() + ": no component " + field.Name +
                                 " for the field of that name");
    return true;
}

void ReadComponentResourceText(TComponent* root, std::string_view text)
{
    ReadFormResources(root, {text});
}

AnsiString WriteComponentResourceText(TComponent* root)
{
    return WriteFormResource(root);
}
