#include "ui/CTargetFigures.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// The figure of a "N MB" text, or -1 when the text has another shape.
long long Figure(const LString& text)
{
    std::string s = text.Text();
    if (s.size() < 4 || s.compare(s.size() - 3, 3, " MB") != 0)
        return -1;
    return std::strtoll(s.c_str(), nullptr, 10);
}

// A drive letter that no drive of this machine uses.
std::string MissingDrive()
{
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if (!(drives & (1u << (letter - 'A'))))
            return std::string(1, letter) + ":\\";
    }
    return "";
}

} // namespace

TEST(CTargetFigures, ShowsTheFolderAndTheFreeSpaceOfItsDrive)
{
    CTargetFigures figures("C:\\windows", 1, 1);
    EXPECT_STREQ(figures.FolderText().Text(), "C:\\windows");
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    long long shown = Figure(figures.AvailableText());
    long long expected = static_cast<long long>(available.QuadPart >> 20);
    // The space may change a little between the two queries.
    EXPECT_NEAR(static_cast<double>(shown), static_cast<double>(expected), 64.0) << figures.AvailableText().Text();
    EXPECT_EQ(Figure(figures.RequiredText()), 1);
}

TEST(CTargetFigures, AnUnreadableDriveShowsNoFreeSpaceAndCountsSmallUnits)
{
    std::string drive = MissingDrive();
    ASSERT_FALSE(drive.empty());
    // 3000 entries of one 512-byte unit each: 1536000 bytes, rounded up to 2 MB. A real
    // 4096-byte unit would have given 12 MB.
    CTargetFigures figures((drive + "Programs").c_str(), 3000, 0);
    EXPECT_STREQ(figures.AvailableText().Text(), "0 MB");
    EXPECT_STREQ(figures.RequiredText().Text(), "2 MB");
}

TEST(CTargetFigures, RequiredSpaceOfProductsOver4GiBIsTrue)
{
    std::string drive = MissingDrive();
    ASSERT_FALSE(drive.empty());
    CTargetFigures figures(drive.c_str(), 0, 6ull << 30);
    EXPECT_STREQ(figures.RequiredText().Text(), "6144 MB");
}
