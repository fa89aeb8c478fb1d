#pragma once
// The package's own units: their start-up and shut-down have nothing to do, so that loading the
// package creates nothing and unloading it frees nothing.

#include "vcl50/Unitlog.h"

#define PACKAGE_UNIT_PROCS(Unit)      \
    void Unit::Initialization() {}    \
    void Unit::Finalization() {}
