// The container of the custom resources: written by the resource compiler, read by index.
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

TEST(ResourceContainer, IsACountLittleEndianThenTerminatedStringsAndRefusesWhatItCannotHold)
{
    EXPECT_EQ(Container({"ab", "", "c"}), std::string("\x03\x00" "ab\0\0c\0", 8));
    EXPECT_EQ(Container(std::vector<std::string>(300, "x")).substr(0, 2), std::string("\x2C\x01", 2));
    std::string out = "untouched";
    EXPECT_FALSE(ResourceContainer::Encode({std::string("a\0b", 3)}, &out));
    EXPECT_FALSE(ResourceContainer::Encode(std::vector<std::string>(0x8000, ""), &out));
    EXPECT_EQ(out, "untouched");
    EXPECT_TRUE(ResourceContainer::Encode(std::vector<std::string>(0x7FFF, ""), &out));
}

TEST(LStrListCore, ReadsInAnyOrderAndRestartsWhenGoingBack)
{
    const std::string bytes = Container({"zero", "one", "two", "three"});
    LStrListCore list;
    list.Attach(bytes.data(), bytes.size());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_STREQ(list.Get(3).Text(), "three");
    EXPECT_STREQ(list.Get(1).Text(), "one");
    EXPECT_EQ(list.CursorOffset(), 2u + 5u);
    EXPECT_STREQ(list.Get(2).Text(), "two");
    EXPECT_STREQ(list.Get(2).Text(), "two");
    EXPECT_STREQ(list.Get(0).Text(), "zero");
    // An index outside the list reads empty and leaves the cursor.
    EXPECT_TRUE(list.Get(-1).IsEmpty());
    EXPECT_TRUE(list.Get(4).IsEmpty());
    EXPECT_EQ(list.CursorIndex(), 0);
}

TEST(LStrListCore, ADamagedOrMissingResourceIsNeverReadPastItsEnd)
{
    LStrListCore none;
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(none.Get(0).IsEmpty());
    for (const std::string& bytes : {std::string("\xFF\xFF" "a\0", 4), std::string("\x01", 1)}) {
        LStrListCore list;
        list.Attach(bytes.data(), bytes.size());
        EXPECT_EQ(list.Count(), 0);
    }
    // The count says 3; one string and an unterminated tail follow. An exact-size copy lets
    // the sanitizers see a read past the end.
    const std::string bytes("\x03\x00" "ok\0tail", 9);
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
