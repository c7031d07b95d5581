#include "ui/CSpaceFigures.h"

#include <gtest/gtest.h>

TEST(CSpaceFigures, RequiredSpaceChargesOneUnitPerEntryAndRoundsUp)
{
    // 40960 + 100000 + 1048575 bytes, shifted by 20 bits: 1.
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(10, 4096, 100000), 1u);
    // 409600 + 3145728 + 1048575: 4.
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(100, 4096, 3145728), 4u);
    // Exactly 3 MiB of data and no entries stays 3; one byte more makes 4.
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(0, 4096, 3 * 1048576), 3u);
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(0, 4096, 3 * 1048576 + 1), 4u);
    // The unit charge alone can cross a megabyte boundary.
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(257, 4096, 2 * 1048576 - 4096 * 257 + 1), 3u);
}

TEST(CSpaceFigures, RequiredSpaceIsNeverBelowOneMegabyte)
{
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(0, 0, 0), 1u);
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(0, 4096, 0), 1u);
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(1, 512, 1), 1u);
}

TEST(CSpaceFigures, RequiredSpaceOfLargeProductsDoesNotWrap)
{
    // 5 GiB of data: a 32-bit sum would wrap to about 1 GiB.
    const uint64_t fiveGiB = 5ull << 30;
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(0, 4096, fiveGiB), 5120u);
    // 2^20 entries of 64 KiB units are 64 GiB of unit charge alone.
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(1u << 20, 65536, 0), 65536u);
    // Far out of range still gives a figure instead of wrapping to a small one.
    EXPECT_EQ(CSpaceFigures::RequiredMegabytes(UINT32_MAX, UINT32_MAX, UINT64_MAX), UINT64_MAX >> 20);
}

TEST(CSpaceFigures, AvailableSpaceIsTruncatedToWholeMegabytes)
{
    // 2500 units of 4096 bytes: 10240000 bytes, 9.77 MiB.
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(4096, 2500), 9u);
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(4096, 256), 1u);
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(4096, 255), 0u);
    // A failed query is reported as 512-byte units, none free.
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(512, 0), 0u);
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(0, 12345), 0u);
}

TEST(CSpaceFigures, AvailableSpaceOfLargeDisksDoesNotWrap)
{
    // A 4 TiB free area in 4 KiB units: 2^30 units.
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(4096, 1ull << 30), 4194304u);
    // 3 TiB plus half a megabyte in 512-byte units.
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(512, (3ull << 31) + 1024), 3145728u);
    // Units whose product exceeds 64 bits are still divided exactly.
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(1u << 20, 1ull << 50), 1ull << 50);
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(1u << 21, (1ull << 50) + 1), (1ull << 51) + 2);
    EXPECT_EQ(CSpaceFigures::AvailableMegabytes(UINT32_MAX, UINT64_MAX), UINT64_MAX);
}

TEST(CSpaceFigures, FiguresAreShownAsDecimalMegabytes)
{
    EXPECT_STREQ(CSpaceFigures::MegabytesText(0).Text(), "0 MB");
    EXPECT_STREQ(CSpaceFigures::MegabytesText(1).Text(), "1 MB");
    EXPECT_STREQ(CSpaceFigures::MegabytesText(4194304).Text(), "4194304 MB");
    // Beyond the signed 32-bit range, where a narrowing would have shown a negative figure.
    EXPECT_STREQ(CSpaceFigures::MegabytesText(3000000000u).Text(), "3000000000 MB");
    EXPECT_STREQ(CSpaceFigures::MegabytesText(UINT64_MAX).Text(), "18446744073709551615 MB");
}
