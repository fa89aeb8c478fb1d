#pragma once
// Loading and unloading packages as the host does: open the module (its entry starts the
// module's runtime and registers its module record), check its PACKAGEINFO, start its units.
// The host then calls the Register procedure of each contained unit that has one.

#include <string_view>

#include "vcl50/Instances.h"
#include "vcl50/Packageinfo.h"
#include "vcl50/Packageunits.h"

// Whether this process is a designer host: only a designer host may load design-only packages.
void SetDesignerHost(bool designer);
bool IsDesignerHost();

// Raises EPackageError (the module closed again) when the module cannot be opened, its entry
// registered no module record, its PACKAGEINFO is missing or malformed, it is design-only and
// this process no designer host, or it has no Initialize; an exception of a unit start-up passes on.
HMODULE LoadPackage(const AnsiString& fileName);
// Stops the package's units and closes the module; EPackageError for a handle LoadPackage did not give.
void UnloadPackage(HMODULE module);

// The package's PACKAGEINFO; EPackageError when it has none or it is malformed.
TPackageInfo GetPackageInfo(HMODULE module);

// The Register procedure of a contained unit (exported as UNIT::Register()); null when the unit
// has none.
using TRegisterProc = void (*)();
TRegisterProc FindRegisterProc(HMODULE module, std::string_view unitName);
