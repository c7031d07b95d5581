#include "platform/CTextBuilder.h"

#include <gtest/gtest.h>

#include <string>

TEST(CTextBuilder, StartsEmpty)
{
    CTextBuilder text;
    EXPECT_STREQ(text.Text(), "");
    EXPECT_EQ(text.Length(), 0u);
    EXPECT_FALSE(text.Failed());
}

TEST(CTextBuilder, AppendsWithCountAndTerminates)
{
    CTextBuilder text;
    text.Append("C:\\Program Files", 2);
    text.Append("\\");
    text.AppendChar('x');
    text.Append("", 0);
    EXPECT_STREQ(text.Text(), "C:\\x");
    EXPECT_EQ(text.Length(), 4u);
    // Embedded NULs count as bytes.
    text.Append("\0y", 2);
    EXPECT_EQ(text.Length(), 6u);
    EXPECT_EQ(text.Text()[5], 'y');
}

TEST(CTextBuilder, GrowsFromInlineToHeapAcrossTheBoundary)
{
    CTextBuilder text;
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        char c = char('a' + i % 26);
        text.AppendChar(c);
        expected += c;
        ASSERT_EQ(text.Length(), expected.size());
        ASSERT_EQ(std::string(text.Text()), expected) << "after " << i + 1 << " bytes";
    }
    EXPECT_FALSE(text.Failed());
}

TEST(CTextBuilder, AppendingItsOwnTextWhileGrowing)
{
    CTextBuilder text;
    text.Append("0123456789012345678901234567890123456789012345678901234567890");
    std::string expected = text.Text();
    text.Append(text.Text(), text.Length()); // forces the move to the heap
    expected += expected;
    EXPECT_EQ(std::string(text.Text()), expected);
}

TEST(CTextBuilder, FailedAppendSetsTheFlagAndDropsOnlyThatAppend)
{
    CTextBuilder text;
    text.Append("kept");
    // No allocator can give this much, so the append must fail cleanly.
    static const char byte = 'z';
    text.Append(&byte, static_cast<size_t>(-1) / 2);
    EXPECT_TRUE(text.Failed());
    EXPECT_STREQ(text.Text(), "kept");
    text.Append("+more");
    EXPECT_STREQ(text.Text(), "kept+more");
    EXPECT_TRUE(text.Failed()); // the flag stays until Clear
    text.Clear();
    EXPECT_FALSE(text.Failed());
    EXPECT_STREQ(text.Text(), "");
}

TEST(CTextBuilder, NumbersAndTruncation)
{
    CTextBuilder text;
    text.Append("tmp");
    text.AppendNumber(-42);
    EXPECT_STREQ(text.Text(), "tmp-42");
    text.Truncate(3);
    EXPECT_STREQ(text.Text(), "tmp");
    text.Truncate(10);
    EXPECT_STREQ(text.Text(), "tmp");
    EXPECT_EQ(text.ToString(), LString("tmp"));
}

TEST(CTextBuilder, ClearAfterHeapKeepsWorking)
{
    CTextBuilder text;
    for (int i = 0; i < 100; ++i)
        text.Append("abc");
    text.Clear();
    text.Append("again");
    EXPECT_STREQ(text.Text(), "again");
}
