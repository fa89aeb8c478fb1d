#pragma once
// The module's start-up: the module entry that the system calls at load and unload and for each
// thread, the runtime's per-thread data, the started mark and the module record.
//
// On Linux a module has no entry point that dlopen could refuse a load through, so the module's
// constructor and destructor functions call the module entry with the attach and detach reasons,
// and the loader takes the module record in the host's list as the entry's report of success.
// The entry is exported as well, as the system's entry point would be.

#include <cstddef>

#include "package/Ownunits.h"
#include "package/Windows.h"

extern "C" BOOL ModuleEntry(HINSTANCE instance, DWORD reason, void* reserved);

namespace Sysinit {

// The size of a thread's block.
inline constexpr size_t ThreadBlockSize = 64;

// The calling thread's per-thread data, zero-filled when made. Linux announces no new thread to
// a module, so a thread that did not attach gets its block on first use.
void* CurrentThreadBlock();
// How many threads hold a block.
size_t ThreadBlockCount();

// The refusal of a second start of the module's data, by the system's version value.
const char* SecondStartText(DWORD version);

}  // namespace Sysinit

VCL_UNIT(Sysinit)
