#pragma once
// A package's description of itself, the "PACKAGEINFO" resource: its flags, the packages it
// requires and the units it contains. Every length is checked: the bytes come from a file.
//
// Layout, little-endian: 32-bit flags; 32-bit signed requires count, then per package a hash byte
// and a zero-terminated name; 32-bit signed contains count, then per unit a flags byte, a hash
// byte and a zero-terminated name. Zero bytes may pad the end.

#include <cstdint>
#include <span>
#include <vector>

#include "vcl50/Sysutils.h"

namespace PackageFlags {

inline constexpr uint32_t NeverBuild = 0x00000001;
inline constexpr uint32_t DesignOnly = 0x00000002;
inline constexpr uint32_t RunOnly = 0x00000004;
inline constexpr uint32_t IgnoreDupUnits = 0x00000008;
inline constexpr int ProducerShift = 26;  // two bits: the tool that built the package
inline constexpr uint32_t ProducerMask = 0x0C000000;
inline constexpr int ModuleTypeShift = 30;  // two bits: 0 program, 1 package, 2 library
inline constexpr uint32_t ModuleTypeMask = 0xC0000000;
inline constexpr uint32_t PackageModule = 1;

}  // namespace PackageFlags

namespace UnitFlags {

inline constexpr uint8_t Weak = 0x04;          // packaged weakly: each package has its own copy
inline constexpr uint8_t DeclaredWeak = 0x08;  // the unit declares itself weak

}  // namespace UnitFlags

struct TRequiredPackage {
    uint8_t HashCode = 0;
    AnsiString Name;
};

struct TContainedUnit {
    uint8_t Flags = 0;
    uint8_t HashCode = 0;
    AnsiString Name;
};

struct TPackageInfo {
    uint32_t Flags = 0;
    std::vector<TRequiredPackage> Requires;
    std::vector<TContainedUnit> Contains;

    uint32_t Producer() const { return (Flags & PackageFlags::ProducerMask) >> PackageFlags::ProducerShift; }
    uint32_t ModuleType() const { return (Flags & PackageFlags::ModuleTypeMask) >> PackageFlags::ModuleTypeShift; }
};

// Raises EPackageError "Malformed PACKAGEINFO: ..." saying what does not fit.
TPackageInfo ParsePackageInfo(std::span<const uint8_t> bytes);
