#pragma once
// The units of the VCLDB50 package, as the unit tables of the packages that use it name them,
// each after the units it depends on.

#include "vcl50/Unitlog.h"

VCL_UNIT(Dbconsts)
VCL_UNIT(Db)
