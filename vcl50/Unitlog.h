#pragma once
// Start-up and shut-down procedures of the units of the runtime packages. Each unit exports its
// two procedures under its unit-qualified name, UNIT::Initialization and UNIT::Finalization, so
// that the unit tables of the packages that use it point to them. The units have nothing to set
// up; their procedures only note that they ran, in one process-wide log.

#include <string>
#include <vector>

// Declares the two procedures of a unit.
#define VCL_UNIT(Unit)       \
    namespace Unit {         \
    void Initialization();   \
    void Finalization();     \
    }

// Defines them: each notes its run.
#define VCL_UNIT_PROCS(Unit)                                    \
    void Unit::Initialization() { NoteUnitRun(#Unit, true); }  \
    void Unit::Finalization() { NoteUnitRun(#Unit, false); }

void NoteUnitRun(const char* unit, bool startup);
// "+Unit" for each start-up, "-Unit" for each shut-down, in the order they ran.
std::vector<std::string> UnitLog();
void ClearUnitLog();
