// The shipped library STDLAYOUT over panes that a test double answers for.
#include "tests/layout/FakePaneScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class StdLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = LoadStdLayout();
        ASSERT_FALSE(library.empty());
        script.Run(library.c_str());
    }
    void AddPane(int32_t width, int32_t height, int32_t base = 0)
    {
        FakePane pane;
        pane.width = width;
        pane.height = height;
        pane.base = base;
        script.panes.push_back(pane);
    }

    std::string library;
    FakePaneScript script;
};

TEST_F(StdLayout, IsOneLineOfConstantsThenMacros)
{
    EXPECT_EQ(std::string::npos, library.find('\n'));
    EXPECT_EQ(0u, library.find("kStdSpc = 12;"));
    EXPECT_EQ(';', library.back());
}

TEST_F(StdLayout, DefinesTheConstants)
{
    EXPECT_EQ(12, script.Variable("kStdSpc"));
    EXPECT_EQ(16, script.Variable("kGrpSpc"));
    EXPECT_EQ(6, script.Variable("kListTtlSpc"));
    EXPECT_EQ(18, script.Variable("kIconHSpc"));
    EXPECT_EQ(3, script.Variable("smHScrollEH"));
    EXPECT_EQ(-10, script.Variable("LPane_TextBase"));
    EXPECT_EQ(-11, script.Variable("LPane_TextInset"));
    EXPECT_EQ(-1, script.Variable("LTextPane_LineHi"));
    EXPECT_EQ(-2, script.Variable("LTextPane_WholeTextWidth"));
    EXPECT_EQ(-3, script.Variable("LTextPane_CharWidth"));
    EXPECT_EQ(-2, script.Variable("LEditText_CharWidth"));
}

TEST_F(StdLayout, ItsSizeMacrosComputeOverPanes)
{
    AddPane(30, 10, 8);
    AddPane(50, 20, 15);
    EXPECT_EQ(50, script.Run("CalcMaxW(1, 2)"));
    EXPECT_EQ(30, script.Run("CalcSumH(1, 2)"));
    EXPECT_EQ(12 + 2 * 50, script.Run("CalcTwoButtonW(1, 2)"));
    EXPECT_EQ(18 + 30 + 18, script.Run("CalcStdIconR(1)"));
}

TEST_F(StdLayout, CalcMaxWTakesTheGreatestOfThreePanes)
{
    AddPane(40, 10);
    AddPane(75, 10);
    AddPane(60, 10);
    EXPECT_EQ(75, script.Run("CalcMaxW(1, 2, 3)"));
    EXPECT_EQ(3, script.wpCalls);
    EXPECT_EQ(75, script.Run("CalcMaxW(3, 2)"));
    EXPECT_EQ(175, script.Run("CalcSumW(1, 2, 3)"));
    EXPECT_EQ(10, script.Run("CalcMaxH(1, 2, 3)"));
    // The macros' locals do not leak into the outermost frame.
    EXPECT_EQ(0, script.Variable("wi"));
    EXPECT_EQ(0, script.Variable("arg"));
}

TEST_F(StdLayout, PlaceOneButtonInTheBottomRightCorner)
{
    AddPane(70, 23);
    script.Run("pp(0, 0, 0, 300, 200); PlaceOneButton(1, 5)");
    const FakePane& button = script.panes[1];
    EXPECT_EQ(300 - 12 - 5 - 70, button.l);
    EXPECT_EQ(200 - 12 - 23, button.t);
    EXPECT_EQ(300 - 12 - 5, button.r);
    EXPECT_EQ(200 - 12, button.b);
}

TEST_F(StdLayout, PlaceTwoButtonsOfEqualWidth)
{
    AddPane(60, 23);
    AddPane(80, 23);
    script.Run("pp(0, 0, 0, 400, 300); PlaceTwoButton(1, 2, 0)");
    EXPECT_EQ(400 - 12, script.panes[2].r);
    EXPECT_EQ(400 - 12 - 80, script.panes[2].l);
    EXPECT_EQ(script.panes[2].l - 12, script.panes[1].r);
    EXPECT_EQ(80, script.panes[1].r - script.panes[1].l);
    EXPECT_EQ(300 - 12 - 23, script.panes[1].t);
}

TEST_F(StdLayout, AlignBaseLRPutsBaselinesLevel)
{
    AddPane(50, 14, 11); // a label
    AddPane(90, 22, 16); // an edit field with a deeper baseline
    script.panes[2].l = 100;
    script.panes[2].t = 40;
    script.panes[2].r = 190;
    script.panes[2].b = 62;
    script.Run("AlignBaseLR(1, 2, 12, 80)");
    const FakePane& label = script.panes[1];
    EXPECT_EQ(12, label.l);
    EXPECT_EQ(80, label.r);
    EXPECT_EQ(40 + 16, label.t + 11);
    EXPECT_EQ(14, label.b - label.t);
}

TEST_F(StdLayout, TextBoxWidthAndIconPlacement)
{
    AddPane(100, 32); // whole text 300 wide, one line 16 high
    EXPECT_EQ(195, script.Run("CalcTextBoxW(1)")); // sqrt(8 * 300 * 16) = 195.9
    AddPane(32, 32);
    script.Run("PlaceStdIcon(2)");
    EXPECT_EQ(18, script.panes[2].l);
    EXPECT_EQ(12, script.panes[2].t);
    EXPECT_EQ(50, script.panes[2].r);
    EXPECT_EQ(44, script.panes[2].b);
    EXPECT_EQ(68, script.Run("GetStdIconR(2)"));
    // Half, rounded up, of what the first pane is taller than the second; 0 when not taller.
    AddPane(10, 23);
    EXPECT_EQ(5, script.Run("CalcExcessVc(1, 3)"));
    EXPECT_EQ(0, script.Run("CalcExcessVc(3, 1)"));
}

TEST_F(StdLayout, RightMostAndBottomMostOverPlacedPanes)
{
    AddPane(10, 10);
    AddPane(10, 10);
    script.Run("PlaceSize(1, 5, 6, 70, 8); PlaceLT(2, 30, 40)");
    EXPECT_EQ(75, script.Run("RightMost(1, 2)"));
    EXPECT_EQ(50, script.Run("BottomMost(1, 2)"));
    // An id beyond the panes reads 0 and changes nothing.
    EXPECT_EQ(75, script.Run("RightMost(1, 2, 9)"));
}

} // namespace
