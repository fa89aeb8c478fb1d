#pragma once
// The little of the operating system's interface that the module's start-up uses, on Linux.

#include <cstdint>

#include "vcl50/Instances.h"

using DWORD = uint32_t;
using BOOL = int;  // non-zero for success

// Reasons the module entry is called for.
inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;
inline constexpr DWORD DLL_THREAD_ATTACH = 2;
inline constexpr DWORD DLL_THREAD_DETACH = 3;

// Set in the version value on the systems that share one data segment among all processes.
inline constexpr DWORD SharedDataSystemBit = 0x80000000;

// The operating system's version value. Linux gives every process its own data, so the value
// is that of the separate-data family, with the top bit clear: 0x08930005 (5.0, build 2195).
DWORD GetVersion();
