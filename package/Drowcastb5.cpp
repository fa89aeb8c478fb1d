#include "package/Drowcastb5.h"

#include "package/Unittable.h"
#include "vcl50/Packageunits.h"

BOOL Drowcastb5::DllEntryPoint(HINSTANCE, DWORD, void*)
{
    return 1;
}

PACKAGE_UNIT_PROCS(Drowcastb5)

void Initialize()
{
    PackageLoad(&UnitTable);
}

void Finalize()
{
    PackageUnload(&UnitTable);
}
