#include "package/Kexpreg.h"

void Kexpreg::Register()
{
}

PACKAGE_UNIT_PROCS(Kexpreg)
