#pragma once
// The About box.

#include "package/Ownunits.h"

class TAboutF;

// The form's global variable: holds the About box while it is shown.
extern TAboutF* AboutF;

VCL_UNIT(Kexpabout)
