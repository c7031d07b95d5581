#include "framework/LPtrArray.h"

#include <gtest/gtest.h>

TEST(LPtrArray, GrowsRemovesAtAnIndexAndPopsFromTheEnd)
{
    int values[100];
    LPtrArray<int> array;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(array.Append(&values[i]));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(array.At(i), &values[i]);
    EXPECT_EQ(array.At(-1), nullptr);
    EXPECT_EQ(array.At(100), nullptr);
    array.RemoveAt(0);
    array.RemoveAt(99); // past the end now: nothing
    array.RemoveAt(-1);
    ASSERT_EQ(array.Count(), 99);
    EXPECT_EQ(array.At(0), &values[1]); // later entries move down
    EXPECT_EQ(array.IndexOf(&values[99]), 98);
    EXPECT_EQ(array.IndexOf(&values[0]), -1);
    EXPECT_EQ(array.Pop(), &values[99]);
    while (array.Pop()) {}
    EXPECT_TRUE(array.IsEmpty());
}
