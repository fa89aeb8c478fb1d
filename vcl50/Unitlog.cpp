#include "vcl50/Unitlog.h"

#include <deque>
#include <mutex>

namespace {

std::mutex logLock;

// A host loads and unloads packages for as long as it runs: the log keeps the latest runs only,
// several times what one package's load and unload note, so it does not grow without end.
constexpr size_t LogCapacity = 1024;

std::deque<std::string>& Log()
{
    static std::deque<std::string> log;
    return log;
}

}  // namespace

void NoteUnitRun(const char* unit, bool startup)
{
    std::lock_guard lock(logLock);
    if (Log().size() == LogCapacity)
        Log().pop_front();
    Log().push_back((startup ? "+" : "-") + std::string(unit));
}

std::vector<std::string> UnitLog()
{
    std::lock_guard lock(logLock);
    return {Log().begin(), Log().end()};
}

void ClearUnitLog()
{
    std::lock_guard lock(logLock);
    Log().clear();
}
