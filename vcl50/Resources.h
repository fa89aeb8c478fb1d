#pragma once
// A module's resources, found by type and name in the resource directory that the resource
// compiler built into the module (see Resourcedirectory.h).

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "vcl50/Instances.h"
#include "vcl50/Resourcedirectory.h"

using LANGID = uint16_t;
// A found resource: its entry in the module's directory; null when none was found.
using HRSRC = const uint8_t*;

inline constexpr char RT_RCDATA[] = "RCDATA";
inline constexpr char RT_BITMAP[] = "BITMAP";

// The first resource of that type and name (both matched without regard to case), in any
// language; null when the module has none. A damaged directory raises EResourceError.
HRSRC FindResource(HINSTANCE instance, std::string_view name, std::string_view type);
// The same, in one language only.
HRSRC FindResourceEx(HINSTANCE instance, std::string_view type, std::string_view name, LANGID language);
// The bytes and size of a found resource; null and 0 for a resource of another module.
const void* LoadResource(HINSTANCE instance, HRSRC resource);
uint32_t SizeofResource(HINSTANCE instance, HRSRC resource);

// The bytes of a resource; nothing when the module has no such resource.
std::optional<std::vector<uint8_t>> ReadResource(HINSTANCE instance, std::string_view name, std::string_view type);

// Every resource of the module, in directory order; empty when the module has no directory.
std::vector<TResourceEntry> EnumResources(HINSTANCE instance);
