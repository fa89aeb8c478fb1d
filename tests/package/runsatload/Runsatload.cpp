// A shared library that is no package and shows whether it ever ran: its load sets a variable
// of the environment.

#include <cstdlib>

namespace {

__attribute__((constructor)) void MarkLoaded()
{
    setenv("DROWCAST_RUNSATLOAD_RAN", "1", 1);
}

}  // namespace
