#pragma once
// The package's unit table: every unit its units use, each after the units it depends on.

#include "vcl50/Packageunits.h"

extern const PackageInfoTable UnitTable;
