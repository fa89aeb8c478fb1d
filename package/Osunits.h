#pragma once
// The operating system's interface units, compiled into the package weakly (each package keeps
// its own copy). On Linux they declare nothing; they remain units of the package.

#include "package/Ownunits.h"

VCL_UNIT(Windows)
VCL_UNIT(Messages)
VCL_UNIT(Commctrl)
VCL_UNIT(Shellapi)
VCL_UNIT(Regstr)
VCL_UNIT(Wininet)
VCL_UNIT(Urlmon)
VCL_UNIT(Shlobj)
VCL_UNIT(Commdlg)
VCL_UNIT(Dlgs)
VCL_UNIT(Imm)
VCL_UNIT(Richedit)
VCL_UNIT(Winspool)
