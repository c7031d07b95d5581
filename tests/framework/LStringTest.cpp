#include "framework/LString.h"

#include <gtest/gtest.h>

#include <utility>

TEST(LString, NullHandleReadsEmpty)
{
    LString s;
    EXPECT_STREQ(s.Text(), "");
    EXPECT_EQ(s.Length(), 0u);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.ShareCount(), 0u);
    EXPECT_TRUE(s.Equals(""));
    EXPECT_TRUE(s.Equals(nullptr));
    EXPECT_FALSE(s.Equals("x"));
}

TEST(LString, EmptyAndNullSourcesGiveTheSharedEmptyValue)
{
    LString fromNull(static_cast<const char*>(nullptr));
    LString fromEmpty("");
    LString cutToNothing("abc", 0);
    EXPECT_EQ(fromNull.ShareCount(), 0u);
    EXPECT_EQ(fromEmpty.ShareCount(), 0u);
    EXPECT_EQ(cutToNothing.ShareCount(), 0u);
    EXPECT_EQ(fromNull, fromEmpty);
}

TEST(LString, MaximumLengthCutsTheText)
{
    LString s("installer", 4);
    EXPECT_STREQ(s.Text(), "inst");
    EXPECT_EQ(s.Length(), 4u);
    LString whole("ab", 10);
    EXPECT_STREQ(whole.Text(), "ab");
}

TEST(LString, CopiesShareAndTheLastReleaseFrees)
{
    LString a("shared");
    EXPECT_EQ(a.ShareCount(), 1u);
    {
        LString b = a;
        LString c;
        c = b;
        EXPECT_EQ(a.ShareCount(), 3u);
        EXPECT_EQ(a.Text(), c.Text()); // same bytes, not a copy
    }
    EXPECT_EQ(a.ShareCount(), 1u);
    LString moved = std::move(a);
    EXPECT_EQ(moved.ShareCount(), 1u);
    EXPECT_STREQ(a.Text(), "");
}

TEST(LString, SelfAssignmentKeepsTheText)
{
    LString a("self");
    LString& alias = a;
    a = alias;
    EXPECT_STREQ(a.Text(), "self");
    EXPECT_EQ(a.ShareCount(), 1u);
}

TEST(LString, EqualityIsBytewise)
{
    EXPECT_EQ(LString("abc"), LString("abc"));
    EXPECT_NE(LString("abc"), LString("abd"));
    EXPECT_NE(LString("abc"), LString("ABC"));
    EXPECT_NE(LString("abc"), LString("abcd"));
    EXPECT_NE(LString("a"), LString());
    // High bytes (Shift-JIS, ANSI) compare as bytes too.
    EXPECT_EQ(LString("\x83\x65\x83\x58"), LString("\x83\x65\x83\x58"));
    EXPECT_NE(LString("\x83\x65"), LString("\x83\x66"));
}
