#include "framework/LMenuIds.h"

#include <gtest/gtest.h>

#include <set>

TEST(LMenuIds, HandsOutTheThousandTwentyFourIdsThenZero)
{
    LMenuIds::Reset();
    std::set<uint16_t> ids;
    for (int i = 0; i < LMenuIds::kCount; ++i) {
        const uint16_t id = LMenuIds::Allocate();
        EXPECT_GE(id, 0xFC00);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 1024u);
    EXPECT_EQ(*ids.rbegin(), 0xFFFF);
    EXPECT_EQ(LMenuIds::Allocate(), 0);
    LMenuIds::Reset();
}

TEST(LMenuIds, AFreedIdComesBackWhenTheCursorWrapsRoundToIt)
{
    LMenuIds::Reset();
    for (int i = 0; i < LMenuIds::kCount; ++i)
        LMenuIds::Allocate();
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
    // The cursor stands at b; the freed id before it is not taken again before the wrap.
    EXPECT_EQ(LMenuIds::Allocate(), b + 1);
    LMenuIds::Reset();
}
