#include "resources/ResourceSourceText.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Parse(const std::string& text)
{
    std::vector<std::string> strings;
    ResourceTextError error;
    EXPECT_TRUE(ParseResourceSourceText(text, &strings, &error)) << error.line << ": " << error.message;
    return strings;
}

TEST(ResourceSourceText, StringsAreTheLinesBetweenMarkersJoinedWithoutFinalLineFeed)
{
    const auto strings = Parse("# comment\n\n== first\nOK.\n== second, two lines\na\nb\n");
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings[0], "OK.");
    EXPECT_EQ(strings[1], "a\nb");
}

TEST(ResourceSourceText, EmptyLastLineGivesTrailingLineFeedAndEmptyStringsSurvive)
{
    const auto strings = Parse("==\nFILE\n&File\n\n==separator\n==\n\n\n==\n  \n");
    ASSERT_EQ(strings.size(), 4u);
    EXPECT_EQ(strings[0], "FILE\n&File\n");
    EXPECT_EQ(strings[1], "");
    EXPECT_EQ(strings[2], "\n");
    EXPECT_EQ(strings[3], "  ");
}

TEST(ResourceSourceText, CarriageReturnsBeforeLineFeedsAreDropped)
{
    const auto strings = Parse("# c\r\n==\r\nA\r\nB\r\n");
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_EQ(strings[0], "A\nB");
}

TEST(ResourceSourceText, HashAndMarkerTextInsideAStringAreContent)
{
    const auto strings = Parse("==\n#not a comment\n x==y\n");
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_EQ(strings[0], "#not a comment\n x==y");
}

TEST(ResourceSourceText, TextWithoutMarkersIsNoStringsOrAnError)
{
    EXPECT_TRUE(Parse("").empty());
    EXPECT_TRUE(Parse("# only comments\n\n").empty());

    std::vector<std::string> strings{"old"};
    ResourceTextError error;
    EXPECT_FALSE(ParseResourceSourceText("# c\nstray text\n==\nx\n", &strings, &error));
    EXPECT_EQ(error.line, 2);
    EXPECT_NE(error.message.find("before the first"), std::string::npos);
}

TEST(ResourceSourceText, NulByteIsRefusedWithItsLine)
{
    ResourceTextError error;
    std::vector<std::string> strings;
    EXPECT_FALSE(ParseResourceSourceText(std::string("==\nok\nbad\0byte\n", 16), &strings, &error));
    EXPECT_EQ(error.line, 3);
}

} // namespace
