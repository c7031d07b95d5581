#include "framework/LList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Base {
    virtual ~Base() = default;
    int padding = 0;
};

// A member with another base in front of the node, as framework handlers are.
struct Item : Base, LListNode {
    explicit Item(int v) : value(v) {}
    int value;
};

std::vector<int> Values(const LListOf<Item>& list)
{
    std::vector<int> out;
    for (Item* item : list)
        out.push_back(item->value);
    return out;
}

} // namespace

TEST(LList, StartsEmpty)
{
    LListOf<Item> list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    EXPECT_EQ(list.PopFront(), nullptr);
}

TEST(LList, AppendAndInsertFrontKeepOrderAndLast)
{
    Item a(1), b(2), c(3), d(4);
    LListOf<Item> list;
    list.Append(&b);
    list.Append(&c);
    list.InsertFront(&a);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.Last(), &c);
    list.Append(&d);
    EXPECT_EQ(list.Last(), &d);
    EXPECT_EQ(list.Count(), 4);
}

TEST(LList, RemoveFixesTheLastNode)
{
    Item a(1), b(2), c(3), d(4);
    LListOf<Item> list;
    list.Append(&a);
    list.Append(&b);
    list.Append(&c);
    EXPECT_TRUE(list.Remove(&c));
    EXPECT_EQ(list.Last(), &b);
    list.Append(&d); // must go behind b, not behind the removed c
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 4}));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_TRUE(list.Remove(&b));
    EXPECT_TRUE(list.Remove(&d));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Last(), nullptr);
    list.Append(&a);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &a);
}

TEST(LList, RemovingANonMemberFails)
{
    Item a(1), b(2);
    LListOf<Item> list, other;
    list.Append(&a);
    other.Append(&b);
    EXPECT_FALSE(list.Remove(&b));
    EXPECT_EQ(other.Count(), 1);
    EXPECT_TRUE(list.Contains(&a));
    EXPECT_FALSE(list.Contains(&b));
}

TEST(LList, InsertAfterKeepsSortedPositions)
{
    Item a(1), b(2), c(3);
    LListOf<Item> list;
    list.Append(&a);
    list.InsertAfter(&a, &c);
    list.InsertAfter(&a, &b);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.Last(), &c);
}

TEST(LList, IterationSurvivesRemovingTheCurrentItem)
{
    Item a(1), b(2), c(3);
    LListOf<Item> list;
    list.Append(&a);
    list.Append(&b);
    list.Append(&c);
    for (Item* item : list) {
        if (item->value == 2)
            list.Remove(item);
    }
    EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
}

TEST(LList, DestructionUnlinksWithoutDeleting)
{
    Item a(1);
    {
        LListOf<Item> list;
        list.Append(&a);
        EXPECT_TRUE(a.IsLinked());
    }
    EXPECT_FALSE(a.IsLinked());
    LListOf<Item> again;
    again.Append(&a);
    EXPECT_EQ(again.Count(), 1);
}
