#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "vcl50/Packageunits.h"

namespace {

std::vector<std::string> runs;

template <int N>
void Start()
{
    runs.push_back("+" + std::to_string(N));
}

template <int N>
void Stop()
{
    runs.push_back("-" + std::to_string(N));
}

void FailingStart()
{
    throw std::runtime_error("start failed");
}

void FailingStop()
{
    runs.push_back("-fail");
    throw std::runtime_error("stop failed");
}

template <int N>
constexpr PackageUnitEntry Unit = {Start<N>, Stop<N>};

using Runs = std::vector<std::string>;

class PackageUnits : public ::testing::Test {
protected:
    void SetUp() override
    {
        runs.clear();
        baseline = StartedUnits().size();
    }
    void TearDown() override { EXPECT_EQ(StartedUnits().size(), baseline) << "a test left units started"; }
    size_t baseline = 0;
};

TEST_F(PackageUnits, StartInTableOrderStopInReverse)
{
    const PackageUnitEntry units[] = {Unit<1>, Unit<2>, Unit<3>};
    const PackageInfoTable table = {3, units};
    PackageLoad(&table);
    EXPECT_EQ(runs, (Runs{"+1", "+2", "+3"}));
    EXPECT_EQ(StartedUnits().size(), baseline + 3);
    PackageUnload(&table);
    EXPECT_EQ(runs, (Runs{"+1", "+2", "+3", "-3", "-2", "-1"}));
}

TEST_F(PackageUnits, SharedUnitStartsOnceAndStopsWithItsLastPackage)
{
    const PackageUnitEntry first[] = {Unit<1>, Unit<2>, Unit<3>};
    const PackageUnitEntry second[] = {Unit<2>, Unit<4>};
    const PackageInfoTable a = {3, first}, b = {2, second};
    PackageLoad(&a);
    PackageLoad(&b);
    EXPECT_EQ(runs, (Runs{"+1", "+2", "+3", "+4"}));
    PackageUnload(&a);
    EXPECT_EQ(runs, (Runs{"+1", "+2", "+3", "+4", "-3", "-1"}));
    PackageUnload(&b);
    EXPECT_EQ(runs, (Runs{"+1", "+2", "+3", "+4", "-3", "-1", "-4", "-2"}));
}

TEST_F(PackageUnits, FailedStartStopsOnlyWhatThatLoadStarted)
{
    const PackageUnitEntry other[] = {Unit<2>};
    const PackageUnitEntry failing[] = {Unit<1>, Unit<2>, {FailingStart, Stop<9>}, Unit<3>};
    const PackageInfoTable holder = {1, other}, table = {4, failing};
    PackageLoad(&holder);
    EXPECT_THROW(PackageLoad(&table), std::runtime_error);
    EXPECT_EQ(runs, (Runs{"+2", "+1", "-1"}));  // unit 2 stays with the other package
    EXPECT_EQ(StartedUnits().size(), baseline + 1);
    PackageUnload(&holder);
    EXPECT_EQ(runs.back(), "-2");
}

TEST_F(PackageUnits, EveryShutDownRunsAndTheFirstFailurePassesOn)
{
    const PackageUnitEntry units[] = {Unit<1>, {Start<2>, FailingStop}, Unit<3>};
    const PackageInfoTable table = {3, units};
    PackageLoad(&table);
    EXPECT_THROW(PackageUnload(&table), std::runtime_error);
    EXPECT_EQ(runs, (Runs{"+1", "+2", "+3", "-3", "-fail", "-1"}));
}

}  // namespace
