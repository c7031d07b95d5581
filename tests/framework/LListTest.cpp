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

TEST(LList, InsertsAtBothEndsAndAfterANodeAndRemoveKeepsTheLastNode)
{
    Item a(1), b(2), c(3), d(4), stranger(5);
    LListOf<Item> list, other;
    EXPECT_EQ(list.PopFront(), nullptr);
    other.Append(&stranger);
    list.Append(&c);
    list.InsertFront(&a);
    list.InsertAfter(&a, &b);
    EXPECT_EQ(list.Last(), &c);
    EXPECT_FALSE(list.Remove(&stranger));
    EXPECT_TRUE(other.Contains(&stranger));
    EXPECT_TRUE(list.Remove(&c));
    EXPECT_EQ(list.Last(), &b);
    list.Append(&d); // behind b, not behind the removed c
    list.InsertAfter(&d, &c);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(list.Last(), &c);
    EXPECT_EQ(list.PopFront(), &a);
    for (Item* item : {&b, &d, &c})
        EXPECT_TRUE(list.Remove(item));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Last(), nullptr);
}

TEST(LList, IterationSurvivesRemovingTheCurrentItemAndDestructionUnlinks)
{
    Item a(1), b(2), c(3);
    {
        LListOf<Item> list;
        list.Append(&a);
        list.Append(&b);
        list.Append(&c);
        for (Item* item : list)
            if (item->value == 2)
                list.Remove(item);
        EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
    }
    EXPECT_FALSE(a.IsLinked());
    EXPECT_FALSE(c.IsLinked());
}
