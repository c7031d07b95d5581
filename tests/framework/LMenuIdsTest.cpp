#include "framework/LMenuIds.h"

#include <gtest/gtest.h>

#include <set>

TEST(LMenuIds, HandsOutTheThousandTwentyFourIdsThenZeroAndAFreedOneWhenTheCursorWrapsToIt)
{
    LMenuIds::Reset();
    const uint16_t first = LMenuIds::Allocate();
    const uint16_t second = LMenuIds::Allocate();
    LMenuIds::Free(first);
    EXPECT_EQ(LMenuIds::Allocate(), second + 1); // the search starts at the cursor
    std::set<uint16_t> ids = {second, uint16_t(second + 1)};
    for (int i = 0; i < LMenuIds::kCount - 2; ++i)
        ids.insert(LMenuIds::Allocate());
    EXPECT_EQ(ids.size(), 1024u);
    EXPECT_EQ(*ids.begin(), 0xFC00);
    EXPECT_EQ(LMenuIds::Allocate(), 0);
    LMenuIds::Free(0xFC05);
    LMenuIds::Free(0x1234); // outside the range: ignored
    EXPECT_EQ(LMenuIds::Allocate(), 0xFC05);
    EXPECT_EQ(LMenuIds::Allocate(), 0);
    LMenuIds::Reset();
}
