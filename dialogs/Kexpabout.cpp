#include "dialogs/Kexpabout.h"

TAboutF* AboutF = nullptr;

PACKAGE_UNIT_PROCS(Kexpabout)
