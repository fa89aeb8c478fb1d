#pragma once
// Stored property values as text, read directly (no editor) in the notation the inspector uses:
// strings as they are, enumerations and booleans by name, colours and other integers with named
// constants by name where there is one (other colours as "$00FF8080"), sets as "[a,b]", component
// references by name, a string list as its CommaText, other objects as "(TClass)", events by the
// name of their handler.

#include <optional>
#include <string_view>

#include "vcl50/Typinfo.h"

AnsiString PropertyText(const TObject* object, const TPropInfo* prop);

struct TPropertyPath {
    TObject* Object;  // null when an object part way along is unassigned
    const TPropInfo* Prop;
};
// Follows a dotted path of published properties from `start` ("HTMLOptions.DefaultFont.Name").
// Empty when a name is no property, or a name before a dot is no class property.
std::optional<TPropertyPath> ResolvePropertyPath(TObject* start, std::string_view path);
