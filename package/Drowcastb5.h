#pragma once
// The package's main unit: its entry function and the exported Initialize and Finalize, which
// hand the unit table to the host runtime's loader.

#include "package/Ownunits.h"
#include "package/Windows.h"

namespace Drowcastb5 {

// Called by the module entry once the runtime has started, and first at detach. The package
// has nothing to do there.
BOOL DllEntryPoint(HINSTANCE instance, DWORD reason, void* reserved);

}  // namespace Drowcastb5

VCL_UNIT(Drowcastb5)

extern "C" {
void Initialize();  // starts the units of the unit table, in order
void Finalize();    // stops them, in reverse order
}
