#pragma once
// Which inspector rows hold something other than their default, and putting a row back to its
// default. A row differs when the form writer would write it for a selected component, so what
// shows bold is exactly what a saved form keeps (one rule, Propertydefaults.h); a class row
// differs when any of its members does, a set's element row when its bit differs from the
// set's default. With several components selected a row differs when it differs on any of them:
// bold then warns that a common edit would overwrite something.

#include <map>
#include <set>
#include <string_view>

#include "vcl50/Dsgnintf.h"

class TRowDefaults {
public:
    // Takes the selection's state now: a view makes one per refresh.
    TRowDefaults(const TDesignerSelectionList& selection, TComponent* root);
    // `path` as the inspector dots it: "HTMLOptions.DefaultFont.Style.fsBold".
    bool Differs(std::string_view path) const;

private:
    std::set<AnsiString> FPaths;  // upper case, every prefix of a written path too
};

// Sets `path` of every object back to its default: an ordinal's declared default, else the value
// of a freshly constructed instance of the class (one instance per class for the call); a class
// row member by member, a set element by its bit. Raises EPropertyError for a path the objects
// lack.
void ResetToDefault(const TDesignerSelectionList& objects, std::string_view path);
