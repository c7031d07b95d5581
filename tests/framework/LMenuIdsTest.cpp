#include "framework/LMenuIds.h"

#include <gtest/gtest.h>

#include <set>

TEST(LMenuIds, HandsOutTheThousandTwentyFourIdsThenZeroAndAFreedOneWhenTheCursorWrapsToIt)
{
    LMenuIds::Reset();
    std::set<uint16_t> ids;
    for (int i = 0; i < LMenuIds::kCount; ++i)
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

TEST(LMenuIds, SearchStartsAtTheCursorNotAtTheFirstFreeId)
{
    LMenuIds::Reset();
    const uint16_t a = LMenuIds::Allocate();
    const uint16_t b = LMenuIds::Allocate();
    LMenuIds::Free(a);
    EXPECT_EQ(LMenuIds::Allocate(), b + 1);
    LMenuIds::Reset();
}
