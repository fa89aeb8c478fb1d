#pragma once
// Writing a component tree in the text form syntax, as form files and resources hold it.

#include <vector>

#include "vcl50/Classes.h"

// Writes `root` and, through GetChildren, every component below it. A component's properties
// are written where they differ from their defaults (Propertydefaults.h: the declared default,
// else a freshly constructed instance of its class; sub-objects property by property), in
// published order; `stored` false properties are left out.
// Raises EWriteError for a value that no resource could read back.
AnsiString WriteFormResource(TComponent* root);

// One component of `root`'s tree and its children, references named as `root` sees them: the
// components a designer copies.
AnsiString WriteComponentResource(TComponent* component, TComponent* root);
// The dotted names of the properties the writer writes for `component` itself (not its
// children): those that differ from their defaults.
std::vector<AnsiString> WrittenPropertyPaths(TComponent* component, TComponent* root);
