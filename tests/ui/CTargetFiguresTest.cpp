#include "ui/CTargetFigures.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

TEST(CTargetFigures, ShowTheFreeSpaceOfTheFoldersDrive)
{
    CTargetFigures figures("C:\\windows", 1, 1);
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    const std::string shown = figures.AvailableText().Text();
    ASSERT_EQ(shown.substr(shown.size() - 3), " MB");
    // The space may change a little between the two questions.
    EXPECT_NEAR(std::strtod(shown.c_str(), nullptr), double(available.QuadPart >> 20), 64.0) << shown;
}

TEST(CTargetFigures, AnUnreadableDriveShowsNoFreeSpaceAndCountsSmallUnits)
{
    std::string drive;
    for (char letter = 'Q'; letter <= 'Y' && drive.empty(); ++letter)
        if (!(GetLogicalDrives() & (1u << (letter - 'A'))))
            drive = std::string(1, letter) + ":\\";
    ASSERT_FALSE(drive.empty());
    // 3000 entries of one 512-byte unit each: 1536000 bytes, rounded up to 2 MB. A real
    // 4096-byte unit would have given 12 MB.
    CTargetFigures figures((drive + "Programs").c_str(), 3000, 0);
    EXPECT_STREQ(figures.AvailableText().Text(), "0 MB");
    EXPECT_STREQ(figures.RequiredText().Text(), "2 MB");
}
