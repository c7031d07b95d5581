#include "platform/CDiskSpace.h"
#include "platform/CPlatformInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(CDiskSpace, ReportsClusterUnitsOnTheNtFamily)
{
    CPlatformInfo::Current().Fill();
    ASSERT_EQ(CPlatformInfo::Current().platformId, CPlatformInfo::kWindowsNTFamily);
    CDiskSpace space("C:\\Windows\\system32");
    EXPECT_FALSE(CDiskSpace::UsesExtendedQuery());
    ASSERT_EQ(space.GetStatus(), CDiskSpace::kDone);
    DWORD sectors = 0, bytes = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    EXPECT_EQ(space.UnitSize(), sectors * bytes);
    EXPECT_GT(space.FreeUnits(), 0u);
    EXPECT_EQ(space.FreeBytes(), uint64_t(space.UnitSize()) * space.FreeUnits());

    CDiskSpace missing("Q:\\nothing");
    EXPECT_NE(missing.GetStatus(), CDiskSpace::kDone);
    EXPECT_EQ(missing.FreeUnits(), 0u);
}
