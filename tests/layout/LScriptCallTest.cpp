// Macros, calls, arguments, the repetition construct and the limits that stop runaway scripts.
#include "layout/LScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the arguments of every call of "note" and answers with their count.
class RecordingScript : public LScript {
public:
    RecordingScript()
    {
        RegisterFunction("note", static_cast<Function>(&RecordingScript::Note));
    }
    void ReplaceMax() { RegisterFunction("max", static_cast<Function>(&RecordingScript::Note)); }

    std::vector<std::vector<int32_t>> calls;

private:
    int32_t Note()
    {
        std::vector<int32_t> args;
        for (int32_t i = 0; i < ArgumentCount(); ++i)
            args.push_back(Argument(i));
        // Outside the count the arguments read 0.
        EXPECT_EQ(0, Argument(-1));
        EXPECT_EQ(0, Argument(ArgumentCount()));
        calls.push_back(args);
        return ArgumentCount();
    }
};

using Args = std::vector<int32_t>;

TEST(LScriptCall, ArgumentsAreEvaluatedInTheCallersFrame)
{
    RecordingScript script;
    script.Run("Outer#note(%0, %1, %2 * 2)#; Outer(4, 5, 6)");
    ASSERT_EQ(1u, script.calls.size());
    EXPECT_EQ((Args{4, 5, 12}), script.calls[0]);
    EXPECT_EQ(3, script.Run("note(1, 2, 3)"));
    EXPECT_EQ(1, script.Run("note()"));
    EXPECT_EQ((Args{0}), script.calls.back());
}

TEST(LScriptCall, ArgumentListsAcrossLinesAndWithStrayTokens)
{
    RecordingScript script;
    // A line end after a comma is dropped with the empty argument it ends.
    script.Run("note(1,\n2)");
    EXPECT_EQ((Args{1, 2}), script.calls.back());
    // A token that cannot continue an argument drops it, and is itself stepped over: here
    // "2" goes, the empty argument before "," reads 0.
    script.Run("note(1 2, 3)");
    EXPECT_EQ((Args{0, 3}), script.calls.back());
    script.Run("note(7, 8");
    EXPECT_EQ((Args{7, 8}), script.calls.back());
}

TEST(LScriptCall, MacroValueIsItsLastStatementAndHidesFunctions)
{
    LScript script;
    EXPECT_EQ(0, script.Run("Twice#%0 * 2#"));
    EXPECT_EQ(14, script.Run("Twice(7)"));
    EXPECT_EQ(5, script.Run("Twice(2) + 1"));
    // An unknown name evaluates its arguments and gives 0.
    EXPECT_EQ(3, script.Run("Unknown(x = 3); x"));
    EXPECT_EQ(0, script.Run("Unknown(1)"));
    // A macro named like a built-in function is looked up first.
    script.Run("max#99#");
    EXPECT_EQ(99, script.Run("max(1, 2)"));
}

TEST(LScriptCall, SecondDefinitionReplacesTheFirst)
{
    LScript script;
    script.Run("M#1#; M#2#");
    EXPECT_EQ(2, script.Run("M()"));
    // A body may hold line ends; an unterminated body runs to the end of the text.
    script.Run("Lines#a = 3\nb = 4\na * b#");
    EXPECT_EQ(12, script.Run("Lines()"));
    script.Run("Open#5 + 6");
    EXPECT_EQ(11, script.Run("Open()"));
}

TEST(LScriptFrames, AssignmentInAMacroMakesALocal)
{
    LScript script;
    script.Run("SetR#r1 = 50; r1 + 1#");
    EXPECT_EQ(8, script.Run("r1 = 7; SetR() - 50 + r1"));
    EXPECT_EQ(7, script.Variable("r1"));
    // The macro's local is gone after it returns.
    script.Run("MakeT#t9 = 3#; MakeT()");
    EXPECT_EQ(0, script.Variable("t9"));
}

TEST(LScriptFrames, NamesResolveThroughTheCallers)
{
    LScript script;
    script.Run("Inner#seen#; Outer#seen = %0; Inner()#");
    EXPECT_EQ(21, script.Run("Outer(21)"));
    EXPECT_EQ(0, script.Run("Inner()"));
    // A local hides the caller's variable of the same name.
    EXPECT_EQ(4, script.Run("seen = 9; Hide#seen = 4; Inner()#; Hide()"));
    EXPECT_EQ(9, script.Variable("seen"));
}

TEST(LScriptFrames, PercentNameReadsTheArgumentIndexedByAVariable)
{
    LScript script;
    script.Run("Pick#i = %0; %i#");
    EXPECT_EQ(30, script.Run("Pick(2, 20, 30)"));
    EXPECT_EQ(0, script.Run("Pick(5, 1)"));
    EXPECT_EQ(0, script.Run("Pick(-1, 1)"));
    EXPECT_EQ(0, script.Run("%0 + %7"));
}

TEST(LScriptRepeat, BodyRunsOncePerArgument)
{
    RecordingScript script;
    script.Run("Each#%arg(note(arg, %arg))#");
    script.Run("Each(10, 20, 30)");
    ASSERT_EQ(3u, script.calls.size());
    EXPECT_EQ((Args{0, 10}), script.calls[0]);
    EXPECT_EQ((Args{1, 20}), script.calls[1]);
    EXPECT_EQ((Args{2, 30}), script.calls[2]);
}

TEST(LScriptRepeat, RunsOnceWithoutArgumentsAndGivesZero)
{
    RecordingScript script;
    EXPECT_EQ(0, script.Run("%arg(note(arg, %arg))"));
    ASSERT_EQ(1u, script.calls.size());
    EXPECT_EQ((Args{0, 0}), script.calls[0]);
    // The counter stays a variable of the frame, here the outermost one.
    EXPECT_EQ(1, script.Variable("arg"));
}

TEST(LScriptRepeat, SumsAndTheCounterIsLocalToTheMacro)
{
    LScript script;
    script.Run("Sum#%arg(s = s + %arg;); s#");
    EXPECT_EQ(60, script.Run("Sum(10, 20, 30)"));
    EXPECT_EQ(0, script.Variable("arg"));
    EXPECT_EQ(0, script.Variable("s"));
    // Names resolve through the callers, so a repetition inside a repetition starts from the
    // caller's counter until it has one of its own: Sum(1, 1) = 2, Sum(2, 2) reads from
    // index 1 once = 2, Sum(3, 3) from index 2 = 0.
    script.Run("SumTwice#%arg(t = t + Sum(%arg, %arg);); t#");
    EXPECT_EQ(4, script.Run("SumTwice(1, 2, 3)"));
}

TEST(LScriptRepeat, BodyEndingAtTheEndOfTheTextStillRepeats)
{
    RecordingScript script;
    script.Run("Tail#%arg(note(%arg)#");
    script.Run("Tail(1, 2)");
    ASSERT_EQ(2u, script.calls.size());
    EXPECT_EQ((Args{1}), script.calls[0]);
    EXPECT_EQ((Args{2}), script.calls[1]);
}

TEST(LScriptLimits, RunawayRecursionEndsWithZero)
{
    LScript script;
    script.Run("kept = 5; Forever#deep = 1; 1 + Forever()#");
    EXPECT_EQ(0, script.Run("Forever()"));
    EXPECT_TRUE(script.WasStopped());
    // The locals of the stopped calls are gone, and the next run starts afresh.
    EXPECT_EQ(0, script.Variable("deep"));
    EXPECT_EQ(6, script.Run("kept + 1"));
    EXPECT_FALSE(script.WasStopped());
}

TEST(LScriptLimits, BranchingRecursionEndsQuickly)
{
    // Two calls per level would take 2 to the depth bound steps; the first descent stops it.
    LScript script;
    script.Run("Two#Two(); Two()#");
    EXPECT_EQ(0, script.Run("Two()"));
    EXPECT_TRUE(script.WasStopped());
}

TEST(LScriptLimits, DeepNestingEndsWithZero)
{
    std::string deep(100000, '(');
    deep += "1";
    LScript script;
    EXPECT_EQ(0, script.Run(deep.c_str()));
    EXPECT_TRUE(script.WasStopped());
    std::string minus(100000, '-');
    minus += "1";
    EXPECT_EQ(0, script.Run(minus.c_str()));
    // Within the bound nesting works.
    EXPECT_EQ(1, script.Run("((((((((((1))))))))))"));
}

TEST(LScriptLimits, StepBudgetStopsAnEndlessRepetition)
{
    LScript script;
    script.SetStepBudget(10000);
    // The body resets its own counter, so only the budget ends it.
    script.Run("Loop#%arg(arg = 0)#");
    EXPECT_EQ(0, script.Run("Loop(1, 2)"));
    EXPECT_TRUE(script.WasStopped());
    // The budget is per run.
    EXPECT_EQ(3, script.Run("1 + 2"));
    EXPECT_FALSE(script.WasStopped());
}

TEST(LScriptRegister, RegisteringAnExistingNameReplacesItsOperation)
{
    RecordingScript script;
    script.ReplaceMax();
    EXPECT_EQ(2, script.Run("max(4, 5)"));
    EXPECT_EQ((Args{4, 5}), script.calls.back());
}

} // namespace
