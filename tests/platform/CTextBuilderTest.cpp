#include "platform/CTextBuilder.h"

#include <gtest/gtest.h>

#include <string>

// Byte by byte across the move from the inline bytes to the heap, then its own text appended
// to itself while it grows again; embedded NULs count as bytes.
TEST(CTextBuilder, GrowsFromInlineToHeapKeepingEveryByte)
{
    CTextBuilder text;
    EXPECT_STREQ(text.Text(), "");
    std::string expected;
    for (int i = 0; i < 100; ++i) {
        const char c = i == 70 ? '\0' : char('a' + i % 26);
        text.AppendChar(c);
        expected += c;
        ASSERT_EQ(std::string(text.Text(), text.Length()), expected) << "after " << i + 1 << " bytes";
    }
    text.Append(text.Text(), text.Length());
    expected += expected;
    EXPECT_EQ(std::string(text.Text(), text.Length()), expected);
    text.Clear();
    text.Append("C:\\Program Files", 2);
    text.AppendNumber(-42);
    EXPECT_STREQ(text.Text(), "C:-42");
    text.Truncate(2);
    text.Truncate(10);
    EXPECT_STREQ(text.ToString().Text(), "C:");
    EXPECT_FALSE(text.Failed());
}

TEST(CTextBuilder, AFailedAppendIsDroppedAndRemembered)
{
    CTextBuilder text;
    text.Append("kept");
    // No allocator can give this much, so the append must fail cleanly.
    static const char byte = 'z';
    text.Append(&byte, static_cast<size_t>(-1) / 2);
    text.Append("+more");
    EXPECT_STREQ(text.Text(), "kept+more");
    EXPECT_TRUE(text.Failed()); // until Clear
    text.Clear();
    EXPECT_FALSE(text.Failed());
    EXPECT_STREQ(text.Text(), "");
}
