#include "framework/LPtrArray.h"

#include <gtest/gtest.h>

TEST(LPtrArray, GrowsKeepsOrderAndReadsNullOutsideItsEntries)
{
    int values[100];
    LPtrArray<int> array;
    for (int i = 0; i < 100; ++i) {
        values[i] = i;
        ASSERT_TRUE(array.Append(&values[i]));
    }
    ASSERT_EQ(array.Count(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(array.At(i), &values[i]);
    EXPECT_EQ(array.At(-1), nullptr);
    EXPECT_EQ(array.At(100), nullptr);
}

TEST(LPtrArray, RemoveAtMovesLaterEntriesDownAndPopTakesTheLast)
{
    int a = 1, b = 2, c = 3;
    LPtrArray<int> array;
    array.Append(&a);
    array.Append(&b);
    array.Append(&c);
    array.RemoveAt(0);
    array.RemoveAt(5);
    array.RemoveAt(-1);
    ASSERT_EQ(array.Count(), 2);
    EXPECT_EQ(array.At(0), &b);
    EXPECT_EQ(array.IndexOf(&c), 1);
    EXPECT_EQ(array.IndexOf(&a), -1);
    EXPECT_EQ(array.Pop(), &c);
    EXPECT_EQ(array.Pop(), &b);
    EXPECT_EQ(array.Pop(), nullptr);
    EXPECT_TRUE(array.IsEmpty());
}
