#pragma once
// Registration: the package's one hand-over to the designer host.

#include "package/Ownunits.h"

namespace Kexpreg {

// Called by the host once per load, after all units have started; found by its unit-qualified
// name from the contained-units list.
void Register();

}  // namespace Kexpreg

VCL_UNIT(Kexpreg)
