#include "vcl50/Resources.h"

#include <algorithm>

namespace {

std::span<const uint8_t> DirectoryBlock(HINSTANCE instance)
{
    const void* block = GetProcAddress(instance, ResourceDirectory::SymbolName);
    if (!block)
        return {};
    return {static_cast<const uint8_t*>(block), GetExportSize(instance, ResourceDirectory::SymbolName)};
}

const TResourceEntry* FindIn(const std::vector<TResourceEntry>& entries, HRSRC resource)
{
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [resource](const TResourceEntry& e) { return e.Record == resource; });
    return it == entries.end() ? nullptr : &*it;
}

}  // namespace

std::vector<TResourceEntry> EnumResources(HINSTANCE instance)
{
    const auto block = DirectoryBlock(instance);
    if (block.empty())
        return {};
    return ParseResourceDirectory(block);
}

HRSRC FindResource(HINSTANCE instance, std::string_view name, std::string_view type)
{
    for (const TResourceEntry& entry : EnumResources(instance))
        if (SameText(entry.Name, name) && SameText(entry.Type, type))
            return entry.Record;
    return nullptr;
}

HRSRC FindResourceEx(HINSTANCE instance, std::string_view type, std::string_view name, LANGID language)
{
    for (const TResourceEntry& entry : EnumResources(instance))
        if (SameText(entry.Name, name) && SameText(entry.Type, type) && entry.Language == language)
            return entry.Record;
    return nullptr;
}

const void* LoadResource(HINSTANCE instance, HRSRC resource)
{
    const auto entries = EnumResources(instance);
    const TResourceEntry* entry = FindIn(entries, resource);
    return entry ? entry->Data.data() : nullptr;
}

uint32_t SizeofResource(HINSTANCE instance, HRSRC resource)
{
    const auto entries = EnumResources(instance);
    const TResourceEntry* entry = FindIn(entries, resource);
    return entry ? static_cast<uint32_t>(entry->Data.size()) : 0;
}

std::optional<std::vector<uint8_t>> ReadResource(HINSTANCE instance, std::string_view name, std::string_view type)
{
    HRSRC resource = FindResource(instance, name, type);
    if (!resource)
        return std::nullopt;
    const auto* data = static_cast<const uint8_t*>(LoadResource(instance, resource));
    return std::vector<uint8_t>(data, data + SizeofResource(instance, resource));
}
