#include <gtest/gtest.h>

#include "PackageTesting.h"
#include "vcl50/Packageinfo.h"

namespace {

void ExpectMalformed(const std::vector<uint8_t>& bytes, const std::string& why)
{
    try {
        ParsePackageInfo(bytes);
        ADD_FAILURE() << "accepted: " << why;
    } catch (const EPackageError& error) {
        EXPECT_NE(error.Message().find("Malformed PACKAGEINFO"), std::string::npos) << error.Message();
        EXPECT_NE(error.Message().find(why), std::string::npos) << error.Message();
    }
}

void SetU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Where the contains count sits: after the flags, the requires count and three entries.
constexpr size_t ContainsCountAt = 4 + 4 + (1 + 6) + (1 + 8) + (1 + 10);

TEST(PackageInfo, DecodesFlagsRequiresAndContains)
{
    ASSERT_EQ(ExpectedPackageInfo().size(), 260u);
    const TPackageInfo info = ParsePackageInfo(ExpectedPackageInfo());
    EXPECT_EQ(info.Flags, PackageFlags::NeverBuild | PackageFlags::DesignOnly | 2u << PackageFlags::ProducerShift |
                              PackageFlags::PackageModule << PackageFlags::ModuleTypeShift);
    EXPECT_EQ(info.Producer(), 2u);
    EXPECT_EQ(info.ModuleType(), PackageFlags::PackageModule);
    std::vector<std::string> required, contained;
    for (const auto& package : info.Requires)
        required.push_back(package.Name);
    for (const auto& unit : info.Contains) {
        contained.push_back(unit.Name);
        const bool osUnit = contained.size() >= 2 && contained.size() <= 14;
        EXPECT_EQ(unit.Flags, osUnit ? UnitFlags::Weak | UnitFlags::DeclaredWeak : 0) << unit.Name;
    }
    EXPECT_EQ(required, (std::vector<std::string>{"VCL50", "VCLDB50", "ROWCASTB5"}));
    EXPECT_EQ(contained, ContainedUnitNames());
}

TEST(PackageInfo, EveryTruncationIsRefused)
{
    const auto full = ExpectedPackageInfo();
    for (size_t size = 0; size < full.size(); ++size) {
        const std::vector<uint8_t> part(full.begin(), full.begin() + size);
        EXPECT_THROW(ParsePackageInfo(part), EPackageError) << size << " bytes";
    }
}

TEST(PackageInfo, CountsThatCannotFitAreRefused)
{
    auto bytes = ExpectedPackageInfo();
    SetU32(bytes, 4, 0x7FFFFFFF);
    ExpectMalformed(bytes, "requires count 2147483647 does not fit");

    bytes = ExpectedPackageInfo();
    SetU32(bytes, 4, 0xFFFFFFFF);
    ExpectMalformed(bytes, "requires count -1 is negative");

    bytes = ExpectedPackageInfo();
    SetU32(bytes, ContainsCountAt, 100);
    ExpectMalformed(bytes, "contains count 100 does not fit in the 221 bytes");

    // A count that the bytes could hold, but does not find its entries.
    bytes = ExpectedPackageInfo();
    SetU32(bytes, ContainsCountAt, 21);
    ExpectMalformed(bytes, "truncated before the flags of a contained unit");
}

TEST(PackageInfo, NamesMustBeTerminatedAndNonEmpty)
{
    auto bytes = ExpectedPackageInfo();
    bytes.back() = 'x';  // the NUL of "Drowcastb5"
    ExpectMalformed(bytes, "contained unit 20 is not terminated");

    bytes = ExpectedPackageInfo();
    bytes[9] = 0;  // "VCL50" becomes ""
    ExpectMalformed(bytes, "required package 1 is empty");
}

TEST(PackageInfo, ZeroPaddingIsAcceptedOtherTrailingBytesAreNot)
{
    auto bytes = ExpectedPackageInfo();
    bytes.insert(bytes.end(), 4, 0);
    EXPECT_EQ(ParsePackageInfo(bytes).Contains.size(), 20u);

    bytes.push_back(7);
    ExpectMalformed(bytes, "5 bytes after the contained units are not zero padding");
}

}  // namespace
