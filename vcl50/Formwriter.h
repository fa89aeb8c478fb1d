#pragma once
// Writing a component tree in the text form syntax, as form files and resources hold it.

#include "vcl50/Classes.h"

// Writes `root` and, through GetChildren, every component below it. A component's properties
// are written where they differ from a freshly constructed instance of its class (sub-objects
// property by property), in published order; `stored` false properties are left out.
// Raises EWriteError for a value that no resource could read back.
AnsiString WriteFormResource(TComponent* root);
