#include "ui/CWorkAreaCentre.h"

#include <gtest/gtest.h>

namespace {

RECT Rect(LONG left, LONG top, LONG right, LONG bottom)
{
    RECT rect = {left, top, right, bottom};
    return rect;
}

} // namespace

TEST(CWorkAreaCentre, MovesTheCentreOntoTheAreasCentreAndKeepsTheSize)
{
    RECT moved = CWorkAreaCentre::Centred(Rect(60, 60, 460, 360), Rect(0, 0, 1024, 738));
    EXPECT_EQ(moved.left, 312);
    EXPECT_EQ(moved.top, 219);
    EXPECT_EQ(moved.right - moved.left, 400);
    EXPECT_EQ(moved.bottom - moved.top, 300);
}

TEST(CWorkAreaCentre, OddSizesTruncateEachCentre)
{
    // Area centre (1023 / 2) = 511, rectangle centre (0 + 101) / 2 = 50.
    RECT moved = CWorkAreaCentre::Centred(Rect(0, 0, 101, 51), Rect(0, 0, 1023, 767));
    EXPECT_EQ(moved.left, 461);
    EXPECT_EQ(moved.top, 383 - 25);
    // A work area left of the primary screen: the centre is truncated toward zero.
    moved = CWorkAreaCentre::Centred(Rect(0, 0, 100, 100), Rect(-1281, 0, 0, 100));
    EXPECT_EQ(moved.left, -640 - 50);
}

TEST(CWorkAreaCentre, ExtremeCoordinatesDoNotWrap)
{
    RECT moved = CWorkAreaCentre::Centred(Rect(0x7FFFFF00, 0, 0x7FFFFFFE, 10), Rect(0, 0, 1000, 10));
    EXPECT_EQ(moved.right - moved.left, 0xFE);
    EXPECT_GT(moved.left, 0);
    EXPECT_LT(moved.left, 500);
}

TEST(CWorkAreaCentre, UsesThePlatformsWorkArea)
{
    RECT area = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    RECT moved = CWorkAreaCentre::OnWorkArea(Rect(0, 0, 200, 100));
    EXPECT_EQ((moved.left + moved.right) / 2, (area.left + area.right) / 2);
    EXPECT_EQ((moved.top + moved.bottom) / 2, (area.top + area.bottom) / 2);
}
