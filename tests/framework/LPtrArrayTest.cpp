#include "framework/LPtrArray.h"

#include <gtest/gtest.h>

TEST(LPtrArray, AppendGrowsAndKeepsOrder)
{
    int values[100];
    LPtrArray<int> array;
    for (int i = 0; i < 100; ++i) {
        values[i] = i;
        ASSERT_TRUE(array.Append(&values[i]));
    }
    EXPECT_EQ(array.Count(), 100);
    EXPECT_GE(array.Capacity(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(*array.At(i), i);
    EXPECT_EQ(array.At(-1), nullptr);
    EXPECT_EQ(array.At(100), nullptr);
}

TEST(LPtrArray, RemoveAtMovesLaterEntriesDown)
{
    int a = 1, b = 2, c = 3;
    LPtrArray<int> array;
    array.Append(&a);
    array.Append(&b);
    array.Append(&c);
    array.RemoveAt(0);
    EXPECT_EQ(array.Count(), 2);
    EXPECT_EQ(array.At(0), &b);
    EXPECT_EQ(array.At(1), &c);
    array.RemoveAt(5);
    array.RemoveAt(-1);
    EXPECT_EQ(array.Count(), 2);
    EXPECT_EQ(array.IndexOf(&c), 1);
    EXPECT_EQ(array.IndexOf(&a), -1);
}

TEST(LPtrArray, PopTakesFromTheEnd)
{
    int a = 1, b = 2;
    LPtrArray<int> array;
    EXPECT_EQ(array.Pop(), nullptr);
    array.Append(&a);
    array.Append(&b);
    EXPECT_EQ(array.Last(), &b);
    EXPECT_EQ(array.Pop(), &b);
    EXPECT_EQ(array.Pop(), &a);
    EXPECT_EQ(array.Pop(), nullptr);
    EXPECT_TRUE(array.IsEmpty());
}

TEST(LPtrArray, NullEntriesAreKept)
{
    LPtrArray<int> array;
    EXPECT_TRUE(array.Append(nullptr));
    EXPECT_EQ(array.Count(), 1);
}
