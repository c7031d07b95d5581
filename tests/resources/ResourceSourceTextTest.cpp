// The source form of the resources: strings between "==" lines.
#include "resources/ResourceSourceText.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(ResourceSourceText, StringsAreTheLinesBetweenMarkersJoinedWithoutTheFinalLineFeed)
{
    const struct {
        const char* text;
        Strings strings;
    } cases[] = {
        {"# comment\n\n== first\nOK.\n== second, two lines\na\nb\n", {"OK.", "a\nb"}},
        {"==\nFILE\n&File\n\n==separator\n==\n\n\n==\n  \n", {"FILE\n&File\n", "", "\n", "  "}},
        {"# c\r\n==\r\nA\r\nB\r\n", {"A\nB"}}, // CR LF reads as LF
        {"==\n#not a comment\n x==y\n", {"#not a comment\n x==y"}},
        {"", {}},
        {"# only comments\n\n", {}},
    };
    for (const auto& c : cases) {
        Strings strings;
        ResourceTextError error;
        EXPECT_TRUE(ParseResourceSourceText(c.text, &strings, &error)) << c.text;
        EXPECT_EQ(strings, c.strings) << c.text;
    }
}

TEST(ResourceSourceText, TextBeforeTheFirstMarkerAndNulBytesAreRefusedWithTheirLine)
{
    Strings strings;
    ResourceTextError error;
    EXPECT_FALSE(ParseResourceSourceText("# c\nstray text\n==\nx\n", &strings, &error));
    EXPECT_EQ(error.line, 2);
    EXPECT_NE(error.message.find("before the first"), std::string::npos);
    EXPECT_FALSE(ParseResourceSourceText(std::string("==\nok\nbad\0byte\n", 16), &strings, &error));
    EXPECT_EQ(error.line, 3);
}

} // namespace
