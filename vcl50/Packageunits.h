#pragma once
// Starting and stopping the units of a package. A package's Initialize and Finalize hand the
// loader its unit table: every unit it uses, each after the units it depends on. Units shared by
// several packages start with the first package that needs them and stop with the last.

#include <cstdint>
#include <vector>

struct PackageUnitEntry {
    void (*Init)();   // start-up; may be null
    void (*FInit)();  // shut-down; may be null
};

struct PackageInfoTable {
    int32_t UnitCount;
    const PackageUnitEntry* UnitInfo;
};

// Runs the start-up of every unit not yet started, in table order. If one raises, the units
// that this call started are stopped again, newest first, and the exception passes on.
void PackageLoad(const PackageInfoTable* table);
// Releases the table's units in reverse order; a unit no other package still uses is shut down.
// Every shut-down runs even if one raises; the first exception then passes on.
void PackageUnload(const PackageInfoTable* table);

// The units the loader has started and not yet stopped, in start order.
std::vector<PackageUnitEntry> StartedUnits();
