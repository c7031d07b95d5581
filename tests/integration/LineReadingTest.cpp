// The line tokenizer, the placeholder variables and their expansion.
#include "integration/CLineTokenizer.h"
#include "integration/CVariables.h"
#include "integration/Placeholders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Expand(const CVariables& variables, const char* text, bool* complete = nullptr)
{
    return ExpandPlaceholders(variables, LString(text), complete).Text();
}

} // namespace

TEST(CLineTokenizer, ReadsWordsAndBothKindsOfQuotedTokens)
{
    LString readerText("  word\t\"two words\" 'it\"s' \"a'b\"  last");
    CLineTokenizer reader(readerText);
    EXPECT_STREQ(reader.NextToken().Text(), "word");
    EXPECT_STREQ(reader.NextToken().Text(), "two words");
    EXPECT_STREQ(reader.NextToken().Text(), "it\"s");
    EXPECT_STREQ(reader.NextToken().Text(), "a'b");
    EXPECT_STREQ(reader.NextToken().Text(), "last");
    EXPECT_TRUE(reader.NextToken().IsEmpty());
    EXPECT_TRUE(reader.NextToken().IsEmpty());
}

TEST(CLineTokenizer, EmptyQuotesGiveAnEmptyTokenAndReadingGoesOn)
{
    LString readerText("HKLM Key \"\" data");
    CLineTokenizer reader(readerText);
    reader.NextToken();
    reader.NextToken();
    EXPECT_TRUE(reader.NextToken().IsEmpty());
    reader.SkipBlanks();
    EXPECT_STREQ(reader.RestOfLine().Text(), "data");
}

TEST(CLineTokenizer, StopsAtTheLineEndInsideAndOutsideQuotes)
{
    LString unclosedText("\"open quote\r\nnext line");
    CLineTokenizer unclosed(unclosedText);
    EXPECT_STREQ(unclosed.NextToken().Text(), "open quote");
    EXPECT_TRUE(unclosed.NextToken().IsEmpty());
    EXPECT_TRUE(unclosed.RestOfLine().IsEmpty());

    LString wordText("first\nsecond");
    CLineTokenizer word(wordText);
    EXPECT_STREQ(word.NextToken().Text(), "first");
    EXPECT_TRUE(word.NextToken().IsEmpty());
}

TEST(CLineTokenizer, RestOfLineKeepsQuotesAndTrailingBlanks)
{
    LString readerText("a b  \"quoted\" text \t \r\n");
    CLineTokenizer reader(readerText);
    reader.NextToken();
    reader.NextToken();
    reader.SkipBlanks();
    EXPECT_STREQ(reader.RestOfLine().Text(), "\"quoted\" text \t ");
}

TEST(CLineTokenizer, VerticalTabAndFormFeedAreBlanks)
{
    LString readerText("\va\fb");
    CLineTokenizer reader(readerText);
    EXPECT_STREQ(reader.NextToken().Text(), "a");
    EXPECT_STREQ(reader.NextToken().Text(), "b");
}

TEST(CLineTokenizer, DoubleByteTextWithLowTrailBytesStaysWhole)
{
    // Shift-JIS trail bytes lie above the quote and blank characters, so they never end a token.
    const char text[] = "\"\x83\x54\x83\x93\x83\x76\x83\x8b \x83\x63\x81\x5b\x83\x8b\" x";
    LString line(text);
    CLineTokenizer reader(line);
    EXPECT_STREQ(reader.NextToken().Text(), "\x83\x54\x83\x93\x83\x76\x83\x8b \x83\x63\x81\x5b\x83\x8b");
    EXPECT_STREQ(reader.NextToken().Text(), "x");
}

TEST(CVariables, SetReplacesAndNamesAreCaseSensitive)
{
    CVariables variables;
    EXPECT_TRUE(variables.Get("DEST").IsEmpty());
    EXPECT_FALSE(variables.IsSet("DEST"));
    ASSERT_TRUE(variables.Set("DEST", "C:\\One"));
    ASSERT_TRUE(variables.Set("START", "C:\\Start"));
    ASSERT_TRUE(variables.Set("DEST", "C:\\Two"));
    EXPECT_STREQ(variables.Get("DEST").Text(), "C:\\Two");
    EXPECT_STREQ(variables.Get("START").Text(), "C:\\Start");
    EXPECT_TRUE(variables.Get("dest").IsEmpty());
    EXPECT_FALSE(variables.IsSet("DES"));
}

TEST(ExpandPlaceholders, InsertsValuesAndHandlesPercentSigns)
{
    CVariables variables;
    variables.Set("DEST", "C:\\Program Files\\Sample");
    EXPECT_EQ(Expand(variables, "%DEST%\\App.exe"), "C:\\Program Files\\Sample\\App.exe");
    EXPECT_EQ(Expand(variables, "100%%"), "100%");
    EXPECT_EQ(Expand(variables, "50%"), "50%");
    EXPECT_EQ(Expand(variables, "%UNSET%x"), "x");
    EXPECT_EQ(Expand(variables, "%dest%"), "");
    EXPECT_EQ(Expand(variables, "Path %DEST"), "Path C:\\Program Files\\Sample");
    EXPECT_EQ(Expand(variables, "\"%DEST%\" %DEST%"), "\"C:\\Program Files\\Sample\" C:\\Program Files\\Sample");
    EXPECT_EQ(Expand(variables, ""), "");
}

TEST(ExpandPlaceholders, ValuesAreNotExpandedAgain)
{
    CVariables variables;
    variables.Set("A", "%B%");
    variables.Set("B", "wrong");
    EXPECT_EQ(Expand(variables, "<%A%>"), "<%B%>");
}

TEST(ExpandPlaceholders, EndsAtANulByte)
{
    CVariables variables;
    variables.Set("DEST", "D");
    const char text[] = "%DEST%\0%DEST%";
    EXPECT_STREQ(ExpandPlaceholders(variables, text, sizeof text - 1).Text(), "D");
}

TEST(ExpandPlaceholders, TellsWhetherEveryPlaceholderGaveAValue)
{
    CVariables variables;
    variables.Set("DEST", "C:\\Sample");
    variables.Set("EMPTY", "");
    bool complete = false;
    EXPECT_EQ(Expand(variables, "%DEST%\\a 100%%", &complete), "C:\\Sample\\a 100%");
    EXPECT_TRUE(complete);
    EXPECT_EQ(Expand(variables, "%START%\\Group", &complete), "\\Group");
    EXPECT_FALSE(complete);
    Expand(variables, "%EMPTY%", &complete);
    EXPECT_FALSE(complete);
}
