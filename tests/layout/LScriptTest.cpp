// The layout script language: tokens, expressions, variables, macros and their frames, the
// repetition construct, and the limits that stop runaway scripts. Each text runs in a new
// interpreter and gives the value of its last statement.
#include "layout/LScript.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* text;
    int32_t value;
};

void ExpectValues(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        LScript script;
        EXPECT_EQ(c.value, script.Run(c.text)) << c.text;
    }
}

TEST(LScript, Expressions)
{
    ExpectValues({
        {"2 + 3 * 4", 14},
        {"(2 + 3) * 4", 20},
        {"10 - 20 + 5", -5},
        {"12 / 3 / 2", 2},
        {"7 / 2", 3},
        {"-7 / 2", -3}, // division truncates toward zero
        {"5 / 0 + 1", 1},
        {"d = 9; d = 6 / 0 * 5; d", 0}, // a zero divisor ends the term with 0
        {"(1; 2; 3)", 3},
        {"(1, 2, 3)", 3},
        {"a = 2; b = 3; -a * b", -6},
        {"- -6", 6},
        {"+4", 4}, // no unary plus: 0 + 4
        {"2147483647 + 1", INT_MIN},
        {"65536 * 65536", 0},
        {"4294967296", 0},
        {"2147483648", INT_MIN}, // numbers wrap while they are read
        {"m = -2147483647 - 1; m / -1", INT_MIN},
        {"-2147483647 / -1", INT_MAX},
        {"sqrt(8 * 1000 * 16)", 357},
        {"sqrt(-16)", 0},
        {"sqrt(2147483647)", 46340},
        {"sqrt(35999999)", 5999}, // just below a square: rounded down, not up
        {"sqrt(46340 * 46340)", 46340},
        {"max(3, 9, -4, 2)", 9},
        {"min(3, 9, -4, 2)", -4},
        {"max(-7)", -7},
        {"max()", 0},
        {"max(-3, )", 0}, // empty parentheses and arguments read 0
    });
}

TEST(LScript, TokensAndStrayText)
{
    ExpectValues({
        {"", 0},
        {";;;", 0},
        {")", 0},
        {"*", 0},
        {"1 2", 1},
        {"1 2; 5", 5}, // a stray token ends the statement and is dropped
        {"7; %;", 0},
        {"7; %", 0},
        {"(1, (2, 3", 3},
        {"max(1, 4", 4},
        {"\t 4 2 . 42 :", 42},
        {"4\x80" "2", 4}, // skipped bytes separate tokens
        {"ab = 3; a.b", 0},
        {"ab = 3; \xE9" "ab", 3},
        {"A = 1; a = 2; a_1 = 5; A + a_1 + a * 1", 8},
        {"_x9 = 4; _x", 0},
        {"_x9 = 4; _x9", 4},
        {"a = 1\nb = 2\r\nc = a + b", 3},
        {"x = 4\n+ 5", 5},
        {"x = 4\n+ 5\nx", 4}, // line ends end statements
    });
    // Neither the text nor a macro body ends at a NUL byte.
    const char text[] = "a\0 = 1; M#a\0 + 2#; M()";
    LScript script;
    LCharStream input(text, sizeof text - 1);
    EXPECT_EQ(3, script.Run(input));
}

TEST(LScript, VariablesAndMacros)
{
    ExpectValues({
        {"nothing + 0", 0},
        {"a = b = 7; a * 10 + b", 77},
        {"(c = 4) + 6", 10},
        {"max = 5; max(1, max)", 5},
        {"Twice#%0 * 2#", 0},
        {"Twice#%0 * 2#; Twice(7)", 14},
        {"Twice#%0 * 2#; Twice(2) + 1", 5},
        {"Unknown(x = 3); x", 3},
        {"Unknown(1)", 0}, // unknown names evaluate their arguments
        {"max#99#; max(1, 2)", 99},
        {"M#1#; M#2#; M()", 2},
        {"L#a = 3\nb = 4\na * b#; L()", 12},
        {"%0 + %7", 0},
        {"Pick#i = %0; %i#; Pick(2, 20, 30)", 30},
        {"Pick#i = %0; %i#; Pick(5, 1)", 0},
        {"Pick#i = %0; %i#; Pick(-1, 1)", 0},
        // An assignment in a macro makes a local, gone after the return; names resolve
        // through the callers, a local hides the caller's variable.
        {"SetR#r1 = 50; r1 + 1#; r1 = 7; SetR() - 50 + r1", 8},
        {"SetR#r1 = 50#; r1 = 7; SetR(); r1", 7},
        {"MakeT#t9 = 3#; MakeT(); t9", 0},
        {"In#seen#; Out#seen = %0; In()#; Out(21)", 21},
        {"In#seen#; Out#seen = %0; In()#; Out(21); In()", 0},
        {"In#seen#; seen = 9; Hide#seen = 4; In()#; Hide()", 4},
        {"In#seen#; seen = 9; Hide#seen = 4; In()#; Hide(); seen", 9},
        // The repetition runs once per argument, once without any; its counter is a
        // variable of the frame.
        {"Sum#%arg(s = s + %arg;); s#; Sum(10, 20, 30)", 60},
        {"Sum#%arg(s = s + %arg;); s#; Sum(1, 2); s + arg", 0},
        {"%arg(0); arg", 1},
        // A repetition inside a repetition starts from the caller's counter until it has its
        // own: Sum(1, 1) = 2, Sum(2, 2) reads from index 1 once = 2, Sum(3, 3) from index 2 = 0.
        {"Sum#%arg(s = s + %arg;); s#; Twice#%arg(t = t + Sum(%arg, %arg);); t#; Twice(1, 2, 3)", 4},
    });
    LScript script; // a body may run to the end of the text
    script.Run("Open#5 + 6");
    EXPECT_EQ(11, script.Run("Open()"));
    script.Run("kept = 11");
    EXPECT_EQ(9, script.Run("kept = kept - 2"));
    EXPECT_EQ(9, script.Variable("kept"));
}

// Records the arguments of every call of "note" and answers with their count.
class RecordingScript : public LScript {
public:
    RecordingScript() { RegisterFunction("note", static_cast<Function>(&RecordingScript::Note)); }
    void ReplaceMax() { RegisterFunction("max", static_cast<Function>(&RecordingScript::Note)); }

    std::vector<std::vector<int32_t>> calls;

private:
    int32_t Note()
    {
        std::vector<int32_t> args;
        for (int32_t i = -1; i <= ArgumentCount(); ++i)
            args.push_back(Argument(i)); // outside the count the arguments read 0
        calls.push_back(args);
        return ArgumentCount();
    }
};

TEST(LScript, CallsSeeTheirArgumentsEvaluatedInTheCallersFrame)
{
    using Calls = std::vector<std::vector<int32_t>>;
    const struct {
        const char* text;
        Calls calls;
    } cases[] = {
        {"Outer#note(%0, %1, %2 * 2)#; Outer(4, 5, 6)", {{0, 4, 5, 12, 0}}},
        {"note()", {{0, 0, 0}}},
        {"note(1,\n2)", {{0, 1, 2, 0}}}, // a line end after a comma is dropped
        {"note(1 2, 3)", {{0, 0, 3, 0}}}, // a stray token drops its argument
        {"note(7, 8", {{0, 7, 8, 0}}},
        {"Each#%arg(note(arg, %arg))#; Each(10, 20, 30)", {{0, 0, 10, 0}, {0, 1, 20, 0}, {0, 2, 30, 0}}},
        {"%arg(note(arg, %arg))", {{0, 0, 0, 0}}},
        {"Tail#%arg(note(%arg)#; Tail(1, 2)", {{0, 1, 0}, {0, 2, 0}}},
    };
    for (const auto& c : cases) {
        RecordingScript script;
        script.Run(c.text);
        EXPECT_EQ(c.calls, script.calls) << c.text;
    }
    RecordingScript script;
    script.ReplaceMax();
    EXPECT_EQ(2, script.Run("max(4, 5)"));
}

TEST(LScript, LimitsStopRunawayScriptsWithZeroAndTheNextRunStartsAfresh)
{
    LScript script;
    script.Run("kept = 5; Forever#deep = 1; 1 + Forever()#; Two#Two(); Two()#");
    for (const std::string& text : {std::string("Forever()"), std::string("Two()"), std::string(100000, '(') + "1",
                                    std::string(100000, '-') + "1"}) {
        EXPECT_EQ(0, script.Run(text.c_str())) << text.substr(0, 10);
        EXPECT_TRUE(script.WasStopped()) << text.substr(0, 10);
    }
    EXPECT_EQ(0, script.Variable("deep")); // the stopped calls' locals are gone
    EXPECT_EQ(6, script.Run("kept + ((((((((((1))))))))))"));
    EXPECT_FALSE(script.WasStopped());
    // The body resets its own counter, so only the step budget ends it; the budget is per run.
    script.SetStepBudget(10000);
    script.Run("Loop#%arg(arg = 0)#");
    EXPECT_EQ(0, script.Run("Loop(1, 2)"));
    EXPECT_TRUE(script.WasStopped());
    EXPECT_EQ(3, script.Run("1 + 2"));
}

} // namespace
