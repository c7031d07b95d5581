#include "framework/LString.h"

#include <gtest/gtest.h>

#include <utility>

TEST(LString, NullEmptyAndCutToNothingAreTheSharedEmptyValueAndAMaximumLengthCuts)
{
    for (const LString& s : {LString(), LString(static_cast<const char*>(nullptr)), LString(""), LString("abc", 0)}) {
        EXPECT_STREQ(s.Text(), "");
        EXPECT_EQ(s.ShareCount(), 0u);
        EXPECT_TRUE(s.Equals(nullptr));
    }
    EXPECT_STREQ(LString("installer", 4).Text(), "inst");
    EXPECT_EQ(LString("installer", 4).Length(), 4u);
    EXPECT_STREQ(LString("ab", 10).Text(), "ab");
}

TEST(LString, CopiesShareTheLastReleaseFreesAndEqualityIsBytewise)
{
    LString a("shared");
    {
        LString b = a;
        LString c;
        c = b;
        LString& alias = c;
        c = alias; // assigned to itself
        EXPECT_EQ(a.ShareCount(), 3u);
        EXPECT_EQ(a.Text(), c.Text()); // the same bytes, not a copy
    }
    EXPECT_EQ(a.ShareCount(), 1u);
    const LString moved = std::move(a);
    EXPECT_EQ(moved.ShareCount(), 1u);
    EXPECT_EQ(moved, LString("shared"));
    EXPECT_NE(moved, LString("Shared"));
    EXPECT_NE(moved, LString("shared!"));
    EXPECT_NE(LString("\x83\x65"), LString("\x83\x66"));
}
