#include "vcl50/Unitlog.h"

#include <mutex>

namespace {

std::mutex logLock;

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

}  // namespace

void NoteUnitRun(const char* unit, bool startup)
{
    std::lock_guard lock(logLock);
    Log().push_back((startup ? "+" : "-") + std::string(unit));
}

std::vector<std::string> UnitLog()
{
    std::lock_guard lock(logLock);
    return Log();
}

void ClearUnitLog()
{
    std::lock_guard lock(logLock);
    Log().clear();
}
