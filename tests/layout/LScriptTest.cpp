// Tokens, expressions and variables of the layout script language.
#include "layout/LScript.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

int32_t RunText(const char* text)
{
    LScript script;
    return script.Run(text);
}

TEST(LScriptExpression, DivisionTruncatesTowardZeroAndByZeroEndsTheTerm)
{
    LScript script;
    script.Run("a = 7 / 2; b = -7 / 2; c = 5 / 0 + 1; d = 6 / 0 * 5");
    EXPECT_EQ(3, script.Variable("a"));
    EXPECT_EQ(-3, script.Variable("b"));
    EXPECT_EQ(1, script.Variable("c"));
    // The zero divisor ends the term, so "* 5" is left over and dropped with the statement.
    EXPECT_EQ(0, script.Variable("d"));
}

TEST(LScriptExpression, PrecedenceParenthesesAndLists)
{
    EXPECT_EQ(14, RunText("2 + 3 * 4"));
    EXPECT_EQ(20, RunText("(2 + 3) * 4"));
    EXPECT_EQ(3, RunText("(1; 2; 3)"));
    EXPECT_EQ(3, RunText("(1, 2, 3)"));
    EXPECT_EQ(-5, RunText("10 - 20 + 5"));
    EXPECT_EQ(2, RunText("12 / 3 / 2"));
    // Unary minus binds to one factor: minus a, times b.
    EXPECT_EQ(-6, RunText("a = 2; b = 3; -a * b"));
    EXPECT_EQ(6, RunText("- -6"));
    // No unary plus: a leading "+" reads as 0 plus what follows.
    EXPECT_EQ(4, RunText("+4"));
}

TEST(LScriptExpression, ArithmeticWrapsAround)
{
    EXPECT_EQ(INT_MIN, RunText("2147483647 + 1"));
    EXPECT_EQ(INT_MIN, RunText("-2147483647 - 1"));
    EXPECT_EQ(0, RunText("65536 * 65536"));
    // Numbers longer than 32 bits wrap while they are read.
    EXPECT_EQ(0, RunText("4294967296"));
    EXPECT_EQ(INT_MIN, RunText("2147483648"));
}

TEST(LScriptExpression, LeastValueDividedByMinusOneWrapsToItself)
{
    EXPECT_EQ(INT_MIN, RunText("m = -2147483647 - 1; m / -1"));
    EXPECT_EQ(INT_MAX, RunText("-2147483647 / -1"));
}

TEST(LScriptExpression, BuiltInFunctions)
{
    EXPECT_EQ(357, RunText("sqrt(8 * 1000 * 16)"));
    EXPECT_EQ(3, RunText("sqrt(15)"));
    EXPECT_EQ(0, RunText("sqrt(-16)"));
    EXPECT_EQ(0, RunText("sqrt(0)"));
    EXPECT_EQ(46340, RunText("sqrt(2147483647)"));
    EXPECT_EQ(9, RunText("max(3, 9, -4, 2)"));
    EXPECT_EQ(-4, RunText("min(3, 9, -4, 2)"));
    EXPECT_EQ(-7, RunText("max(-7)"));
    // Empty parentheses pass one argument of 0.
    EXPECT_EQ(0, RunText("max()"));
    EXPECT_EQ(0, RunText("max(-3, )"));
}

TEST(LScriptExpression, StrayTokensReadZeroAndAreDropped)
{
    EXPECT_EQ(0, RunText(""));
    EXPECT_EQ(0, RunText(";;;"));
    EXPECT_EQ(0, RunText(")"));
    EXPECT_EQ(0, RunText("*"));
    // "1 2": the statement ends at "2", which is dropped as its terminator.
    EXPECT_EQ(1, RunText("1 2"));
    EXPECT_EQ(5, RunText("1 2; 5"));
    // "%" followed by neither a number nor a name reads 0.
    EXPECT_EQ(0, RunText("7; %;"));
    EXPECT_EQ(0, RunText("7; %"));
    // Unterminated lists end at the end of the text.
    EXPECT_EQ(3, RunText("(1, (2, 3"));
    EXPECT_EQ(4, RunText("max(1, 4"));
}

TEST(LScriptTokens, SkippedBytesSeparateTokens)
{
    EXPECT_EQ(42, RunText("\t 4 2 . 42 :"));
    EXPECT_EQ(4, RunText("4\x80" "2"));
    EXPECT_EQ(0, RunText("ab = 3; a.b"));
    EXPECT_EQ(3, RunText("ab = 3; \xE9" "ab"));
    // Names are case-sensitive and may hold digits and "_" after the first letter.
    EXPECT_EQ(8, RunText("A = 1; a = 2; a_1 = 5; A + a_1 + a * 1"));
    EXPECT_EQ(0, RunText("_x9 = 4; _x"));
    EXPECT_EQ(4, RunText("_x9 = 4; _x9"));
}

TEST(LScriptTokens, LineEndsEndStatementsLikeSemicolons)
{
    LScript script;
    EXPECT_EQ(3, script.Run("a = 1\nb = 2\r\nc = a + b"));
    EXPECT_EQ(1, script.Variable("a"));
    EXPECT_EQ(2, script.Variable("b"));
    EXPECT_EQ(3, script.Variable("c"));
    // Within an expression a line end ends it: "x = 4" and then "+ 5" on its own.
    EXPECT_EQ(5, script.Run("x = 4\n+ 5"));
    EXPECT_EQ(4, script.Variable("x"));
}

TEST(LScriptTokens, NulBytesAreSkippedLikeBlanks)
{
    // Neither the text nor a macro body ends at a NUL byte.
    const char text[] = "a\0 = 1; M#a\0 + 2#; M()";
    LScript script;
    LCharStream input(text, sizeof text - 1);
    EXPECT_EQ(3, script.Run(input));
    EXPECT_EQ(1, script.Variable("a"));
}

TEST(LScriptVariables, UndefinedReadsZeroAndOuterVariablesLast)
{
    LScript script;
    EXPECT_EQ(0, script.Run("nothing"));
    EXPECT_EQ(0, script.Run("nothing + 0"));
    EXPECT_EQ(0, script.Variable("nothing"));
    script.Run("kept = 11");
    EXPECT_EQ(12, script.Run("kept + 1"));
    EXPECT_EQ(9, script.Run("kept = kept - 2"));
    EXPECT_EQ(9, script.Variable("kept"));
}

TEST(LScriptVariables, AssignmentIsAnExpression)
{
    LScript script;
    EXPECT_EQ(7, script.Run("a = b = 7"));
    EXPECT_EQ(7, script.Variable("a"));
    EXPECT_EQ(7, script.Variable("b"));
    EXPECT_EQ(10, script.Run("(c = 4) + 6"));
}

TEST(LScriptVariables, ANameCanBeAVariableAndAFunction)
{
    LScript script;
    EXPECT_EQ(5, script.Run("max = 5; max(1, max)"));
    EXPECT_EQ(5, script.Variable("max"));
}

} // namespace
