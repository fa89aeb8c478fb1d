#include "vcldb50/Units.h"

VCL_UNIT_PROCS(Dbconsts)
VCL_UNIT_PROCS(Db)
