#pragma once
// When a published property holds its default: the one rule that decides what the form writer
// writes and what the designer shows bold and restores on Reset. An ordinal property's declared
// default (the `default` directive) comes first; otherwise the value a freshly constructed
// instance of the class holds (the reference). With neither, no value counts as the default.

#include <memory>
#include <optional>

#include "vcl50/Typinfo.h"

// The class as its constructor leaves it, not as its resource fills it: the reference the rule
// compares with. Null for a class that cannot be made.
std::unique_ptr<TObject> FreshInstance(TClass cls);

// `reference` is null or of the object's own class, so the property's accessors fit it.
std::optional<int64_t> DefaultOrdValue(const TPropInfo* prop, const TObject* reference);

// For ordinal and string properties; the form writer decides the others by their kind (an event
// or a reference is written when set, a sub-object member by member).
bool IsDefaultPropValue(const TObject* object, const TPropInfo* prop, const TObject* reference);

// Puts the default back: the declared default, else the reference's value (an event or a
// component reference: unassigned; a sub-object: assigned from the reference's). Nothing for a
// read-only property or one with no default to go by.
void SetDefaultPropValue(TObject* object, const TPropInfo* prop, const TObject* reference);
