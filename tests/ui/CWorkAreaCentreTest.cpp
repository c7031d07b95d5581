#include "ui/CWorkAreaCentre.h"

#include <gtest/gtest.h>

TEST(CWorkAreaCentre, MovesTheCentreOntoTheAreasKeepsTheSizeAndTruncatesEachCentre)
{
    const struct {
        RECT rect, area;
        LONG left, top;
    } cases[] = {
        {{60, 60, 460, 360}, {0, 0, 1024, 738}, 312, 219},
        {{0, 0, 101, 51}, {0, 0, 1023, 767}, 461, 358}, // 511 - 50 and 383 - 25
        {{0, 0, 100, 100}, {-1281, 0, 0, 100}, -690, 0}, // toward zero left of the primary screen
        {{0x7FFFFF00, 0, 0x7FFFFFFE, 10}, {0, 0, 1000, 10}, 500 - 0x7F, 0}, // no wrap at the range's end
    };
    for (const auto& c : cases) {
        const RECT moved = CWorkAreaCentre::Centred(c.rect, c.area);
        EXPECT_EQ(moved.left, c.left) << c.rect.left;
        EXPECT_EQ(moved.top, c.top) << c.rect.left;
        EXPECT_EQ(moved.right - moved.left, c.rect.right - c.rect.left);
        EXPECT_EQ(moved.bottom - moved.top, c.rect.bottom - c.rect.top);
    }
}
