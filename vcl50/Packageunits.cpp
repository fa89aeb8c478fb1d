#include "vcl50/Packageunits.h"

#include <algorithm>
#include <exception>

namespace {

// Called from the host's user-interface thread only, so no lock.
struct TStartedUnit {
    PackageUnitEntry Entry;
    int Users;
};

std::vector<TStartedUnit>& Started()
{
    static std::vector<TStartedUnit> units;
    return units;
}

bool SameUnit(const PackageUnitEntry& a, const PackageUnitEntry& b)
{
    return a.Init == b.Init && a.FInit == b.FInit;
}

std::vector<TStartedUnit>::iterator Find(const PackageUnitEntry& entry)
{
    return std::find_if(Started().begin(), Started().end(),
                        [&entry](const TStartedUnit& u) { return SameUnit(u.Entry, entry); });
}

// Drops one user of the unit; shuts it down when that was the last.
void Release(const PackageUnitEntry& entry)
{
    auto it = Find(entry);
    if (it == Started().end() || --it->Users > 0)
        return;
    Started().erase(it);
    if (entry.FInit)
        entry.FInit();
}

}  // namespace

void PackageLoad(const PackageInfoTable* table)
{
    int i = 0;
    try {
        for (; i < table->UnitCount; ++i) {
            const PackageUnitEntry& entry = table->UnitInfo[i];
            if (auto it = Find(entry); it != Started().end()) {
                ++it->Users;
                continue;
            }
            if (entry.Init)
                entry.Init();
            Started().push_back({entry, 1});
        }
    } catch (...) {
        while (i-- > 0) {
            try {
                Release(table->UnitInfo[i]);
            } catch (...) {
                // The start-up's failure is the one to report.
            }
        }
        throw;
    }
}

void PackageUnload(const PackageInfoTable* table)
{
    std::exception_ptr first;
    for (int i = table->UnitCount - 1; i >= 0; --i) {
        try {
            Release(table->UnitInfo[i]);
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

std::vector<PackageUnitEntry> StartedUnits()
{
    std::vector<PackageUnitEntry> units;
    for (const TStartedUnit& u : Started())
        units.push_back(u.Entry);
    return units;
}
