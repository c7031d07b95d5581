#include "ui/CSpaceFigures.h"

#include <gtest/gtest.h>

TEST(CSpaceFigures, RequiredSpaceChargesOneUnitPerEntryRoundsUpAndDoesNotWrap)
{
    const struct {
        uint32_t entries, unit;
        uint64_t bytes, megabytes;
    } cases[] = {
        {100, 4096, 3145728, 4},
        {0, 4096, 3 * 1048576, 3},
        {0, 4096, 3 * 1048576 + 1, 4},
        {257, 4096, 2 * 1048576 - 4096 * 257 + 1, 3}, // the unit charge crosses the boundary
        {0, 0, 0, 1},
        {1, 512, 1, 1}, // never below one megabyte
        {0, 4096, 5ull << 30, 5120},
        {1u << 20, 65536, 0, 65536}, // a 32-bit sum would wrap
        {UINT32_MAX, UINT32_MAX, UINT64_MAX, UINT64_MAX >> 20},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSpaceFigures::RequiredMegabytes(c.entries, c.unit, c.bytes), c.megabytes)
            << c.entries << " " << c.unit << " " << c.bytes;
}

TEST(CSpaceFigures, AvailableSpaceIsTruncatedToWholeMegabytesAndDoesNotWrap)
{
    const struct {
        uint32_t unit;
        uint64_t units, megabytes;
    } cases[] = {
        {4096, 256, 1},
        {4096, 255, 0},
        {512, 0, 0},
        {0, 12345, 0},
        {512, (3ull << 31) + 1024, 3145728},
        {1u << 20, 1ull << 50, 1ull << 50},
        {1u << 21, (1ull << 50) + 1, (1ull << 51) + 2}, // beyond 64 bits
        {UINT32_MAX, UINT64_MAX, UINT64_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSpaceFigures::AvailableMegabytes(c.unit, c.units), c.megabytes) << c.unit << " " << c.units;
}

TEST(CSpaceFigures, FiguresAreShownAsDecimalMegabytes)
{
    EXPECT_STREQ(CSpaceFigures::MegabytesText(0).Text(), "0 MB");
    EXPECT_STREQ(CSpaceFigures::MegabytesText(3000000000u).Text(), "3000000000 MB"); // beyond 32 bits signed
    EXPECT_STREQ(CSpaceFigures::MegabytesText(UINT64_MAX).Text(), "18446744073709551615 MB");
}
