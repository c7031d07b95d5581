#include "resources/LStrListCore.h"
#include "resources/ResourceContainer.h"

#include <gtest/gtest.h>

namespace {

std::string Container(const std::vector<std::string>& strings)
{
    std::string bytes;
    EXPECT_TRUE(ResourceContainer::Encode(strings, &bytes));
    return bytes;
}

TEST(ResourceContainer, EncodesCountLittleEndianThenTerminatedStrings)
{
    const std::string bytes = Container({"ab", "", "c"});
    EXPECT_EQ(bytes, std::string("\x03\x00" "ab\0\0c\0", 8));

    std::vector<std::string> many(300, "x");
    const std::string big = Container(many);
    EXPECT_EQ(static_cast<uint8_t>(big[0]), 300 & 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(big[1]), 300 >> 8);
}

TEST(ResourceContainer, RefusesWhatTheFormatCannotHold)
{
    std::string out = "untouched";
    EXPECT_FALSE(ResourceContainer::Encode({std::string("a\0b", 3)}, &out));
    EXPECT_FALSE(ResourceContainer::Encode(std::vector<std::string>(0x8000, ""), &out));
    EXPECT_EQ(out, "untouched");
    EXPECT_TRUE(ResourceContainer::Encode(std::vector<std::string>(0x7FFF, ""), &out));
}

TEST(LStrListCore, ReadsAnyOrderAndRestartsWhenGoingBack)
{
    const std::string bytes = Container({"zero", "one", "two", "three"});
    LStrListCore list;
    list.Attach(bytes.data(), bytes.size());
    ASSERT_EQ(list.Count(), 4);

    EXPECT_STREQ(list.Get(3).Text(), "three");
    EXPECT_EQ(list.CursorIndex(), 3);
    EXPECT_STREQ(list.Get(1).Text(), "one");
    EXPECT_EQ(list.CursorIndex(), 1);
    EXPECT_EQ(list.CursorOffset(), 2u + 5u);
    EXPECT_STREQ(list.Get(2).Text(), "two");
    EXPECT_STREQ(list.Get(2).Text(), "two");
    EXPECT_STREQ(list.Get(0).Text(), "zero");
    EXPECT_EQ(list.CursorOffset(), 2u);
}

TEST(LStrListCore, IndexOutsideTheListIsEmptyAndLeavesTheCursor)
{
    const std::string bytes = Container({"a", "b"});
    LStrListCore list;
    list.Attach(bytes.data(), bytes.size());
    EXPECT_STREQ(list.Get(1).Text(), "b");
    EXPECT_TRUE(list.Get(-1).IsEmpty());
    EXPECT_TRUE(list.Get(2).IsEmpty());
    EXPECT_EQ(list.CursorIndex(), 1);
}

TEST(LStrListCore, NothingAttachedOrNegativeCountIsAnEmptyList)
{
    LStrListCore none;
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(none.Get(0).IsEmpty());

    const std::string negative("\xFF\xFF" "a\0", 4);
    LStrListCore list;
    list.Attach(negative.data(), negative.size());
    EXPECT_EQ(list.Count(), 0);

    const std::string oneByte("\x01", 1);
    list.Attach(oneByte.data(), oneByte.size());
    EXPECT_EQ(list.Count(), 0);
}

TEST(LStrListCore, DamagedResourceNeverReadsPastItsEnd)
{
    // Count says 3, only one string and an unterminated tail follow.
    const std::string bytes("\x03\x00" "ok\0tail", 9);
    // Copy into an exact-size buffer so a read past the end would be caught by the sanitizers.
    std::vector<char> exact(bytes.begin(), bytes.end());
    LStrListCore list;
    list.Attach(exact.data(), exact.size());
    EXPECT_EQ(list.Count(), 3);
    EXPECT_STREQ(list.Get(0).Text(), "ok");
    EXPECT_TRUE(list.Get(1).IsEmpty());
    EXPECT_TRUE(list.Get(2).IsEmpty());
    EXPECT_STREQ(list.Get(0).Text(), "ok");
}

} // namespace
