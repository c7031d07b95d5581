// Its own program: the free-space function of later Windows 95 systems is looked up once per
// process, so the platform must read as Windows 95 OSR2 before the first query.
#include "platform/CDiskSpace.h"
#include "platform/CPlatformInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(CDiskSpace, LaterWindows95CountsFourKilobyteUnits)
{
    CPlatformInfo& info = CPlatformInfo::Current();
    info.Fill();
    info.platformId = CPlatformInfo::kWindows95Family;
    info.buildNumber = 0x04000457; // 4.00.1111: the build number's low word counts
    CDiskSpace space("C:\\Windows");
    EXPECT_TRUE(CDiskSpace::UsesExtendedQuery());
    ASSERT_EQ(space.GetStatus(), CDiskSpace::kDone);
    EXPECT_EQ(space.UnitSize(), 4096u);
    ULARGE_INTEGER available, total, totalFree;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
    uint64_t expected = available.QuadPart >> 12;
    // Other programs may write meanwhile: allow a little movement.
    EXPECT_NEAR(static_cast<double>(space.FreeUnits()), static_cast<double>(expected), 4096.0);
    EXPECT_EQ(space.FreeBytes(), uint64_t(4096) * space.FreeUnits());
}
