#include "platform/CDiskSpace.h"
#include "platform/CPlatformInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(CPlatformInfo, FillReadsTheVersion)
{
    CPlatformInfo info;
    EXPECT_FALSE(info.filled);
    info.Fill();
    EXPECT_TRUE(info.filled);
    EXPECT_EQ(info.platformId, CPlatformInfo::kWindowsNTFamily);
    EXPECT_GE(info.majorVersion, 4u);
    EXPECT_GT(info.pageSize, 0u);
}

TEST(CDiskSpace, ReportsClusterUnitsOnTheNtFamily)
{
    CPlatformInfo::Current().Fill();
    CDiskSpace space("C:\\Windows\\system32");
    EXPECT_FALSE(CDiskSpace::UsesExtendedQuery());
    ASSERT_EQ(space.GetStatus(), CDiskSpace::kDone);
    DWORD sectors = 0, bytes = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    EXPECT_EQ(space.UnitSize(), sectors * bytes);
    EXPECT_GT(space.FreeUnits(), 0u);
    EXPECT_EQ(space.FreeBytes(), uint64_t(space.UnitSize()) * space.FreeUnits());
}

TEST(CDiskSpace, MissingDriveFails)
{
    CDiskSpace space("Q:\\nothing");
    EXPECT_NE(space.GetStatus(), CDiskSpace::kDone);
    EXPECT_EQ(space.FreeUnits(), 0u);
}
