// The layout engine's functions over the panes of a frame without a window.
#include "framework/LApplication.h"
#include "framework/LFont.h"
#include "framework/LFrame.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "layout/LLayout.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LResDefaultChain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> FocusOrder(const LFrame& frame)
{
    std::vector<int> order;
    for (int i = 0; i < frame.FocusCount(); ++i)
        order.push_back(frame.FocusId(i));
    return order;
}

const char kLongText[] =
    "The product is installed into a folder of its own below the folder chosen here; "
    "nothing outside it is changed, and everything can be removed again.";

class LLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(LResDefaultChain::Create(GetModuleHandleA(nullptr)), nullptr);
        font = LFont::MessageFont();
        frame = new LFrame(&app, nullptr);
        plain = new LPane(frame, frame);
        wrap = new LTextPane(frame, 2, kLongText, font);
        button = new LPushButton(frame, "OK", font);
    }
    void TearDown() override
    {
        delete frame;
        LResDefaultChain::Destroy();
    }
    static RECT Rect(int l, int t, int r, int b)
    {
        RECT rect = {l, t, r, b};
        return rect;
    }

    LApplication app;
    LFont font;
    LFrame* frame = nullptr;
    LPane* plain = nullptr;     // id 1
    LTextPane* wrap = nullptr;  // id 2
    LPushButton* button = nullptr; // id 3
};

TEST_F(LLayoutTest, LibraryComesFromTheResources)
{
    LLayout layout(*frame);
    EXPECT_EQ(12, layout.Variable("kStdSpc"));
    EXPECT_EQ(-10, layout.Variable("LPane_TextBase"));
    EXPECT_EQ(18 + 32 + 18, layout.Run("pp(1, 0, 0, 32, 10); CalcStdIconR(1)"));
}

TEST_F(LLayoutTest, WithoutTheLibraryConstantsAndMacrosReadZero)
{
    LResDefaultChain::Destroy();
    LLayout layout(*frame);
    EXPECT_EQ(0, layout.Variable("kStdSpc"));
    EXPECT_EQ(0, layout.Run("CalcMaxW(1, 2, 3)"));
    // The engine's own functions still work.
    EXPECT_EQ(16, layout.Run("wp(1)"));
}

TEST_F(LLayoutTest, IdZeroIsTheWindowRectangle)
{
    LLayout layout(*frame);
    EXPECT_EQ(0, layout.Run("wp(0)"));
    EXPECT_EQ(0, layout.Run("hp(0)"));
    layout.RunSection("pp(0, 10, 30, 250, 130)");
    const RECT& window = layout.WindowRect();
    EXPECT_EQ(10, window.left);
    EXPECT_EQ(30, window.top);
    EXPECT_EQ(250, window.right);
    EXPECT_EQ(130, window.bottom);
    EXPECT_EQ(240, layout.Run("wp(0)"));
    EXPECT_EQ(100, layout.Run("hp(0, 55)"));
    EXPECT_EQ(240, layout.Run("w(0)"));
    EXPECT_EQ(100, layout.Run("h(0)"));
    EXPECT_EQ(10 + 30 + 250 + 130, layout.Run("l(0) + t(0) + r(0) + b(0)"));
    // Setting the window rectangle does not touch the frame itself.
    EXPECT_EQ(0, frame->Width());
}

TEST_F(LLayoutTest, PlacesPanesAndReadsTheirFrames)
{
    LLayout layout(*frame);
    layout.RunSection("one = 1; pp(one, 5, 6, 45, 26)");
    EXPECT_EQ(5, plain->Bounds().left);
    EXPECT_EQ(6, plain->Bounds().top);
    EXPECT_EQ(45, plain->Bounds().right);
    EXPECT_EQ(26, plain->Bounds().bottom);
    EXPECT_EQ(40, layout.Run("w(one)"));
    EXPECT_EQ(20, layout.Run("h(one)"));
    EXPECT_EQ(5 * 1000 + 6 * 100 + 45 * 10 + 26, layout.Run("l(one) * 1000 + t(one) * 100 + r(one) * 10 + b(one)"));
    // The default pane answers with its frame's size, whatever the hint.
    EXPECT_EQ(40, layout.Run("wp(one, -3)"));
    EXPECT_EQ(20, layout.Run("hp(one, 7)"));
}

TEST_F(LLayoutTest, IdsThatNameNoPaneReadZeroAndAreNotPlaced)
{
    plain->SetBounds(Rect(1, 2, 3, 4));
    wrap->SetBounds(Rect(1, 2, 3, 4));
    button->SetBounds(Rect(1, 2, 3, 4));
    LLayout layout(*frame);
    for (const char* id : {"4", "-1", "100"}) {
        std::string call = std::string("(") + id + ")";
        for (const char* name : {"wp", "hp", "w", "h", "l", "t", "r", "b"})
            EXPECT_EQ(0, layout.Run((name + call).c_str())) << name << call;
        layout.Run((std::string("pp(") + id + ", 50, 50, 90, 90)").c_str());
    }
    for (LPane* pane : {plain, static_cast<LPane*>(wrap), static_cast<LPane*>(button)})
        EXPECT_EQ(3, pane->Bounds().right);
    EXPECT_EQ(0, layout.WindowRect().right);
}

TEST_F(LLayoutTest, HintsReachThePanes)
{
    LLayout layout(*frame);
    int wrapped = layout.Run("hp(2, 200)");
    int unwrapped = layout.Run("hp(2)");
    int line = layout.Run("hp(2, LTextPane_LineHi)");
    EXPECT_EQ(wrap->PreferredHeight(200), wrapped);
    EXPECT_EQ(line, unwrapped); // the text has no line ends
    EXPECT_GT(wrapped, 2 * line);
    EXPECT_EQ(wrap->PreferredWidth(-2), layout.Run("wp(2, LTextPane_WholeTextWidth)"));
    EXPECT_GT(layout.Run("wp(2, LTextPane_WholeTextWidth)"), 200);
    EXPECT_EQ(0, layout.Run("wp(2, LPane_TextInset)"));
    // A push button is at least 58 wide for the plain question only.
    EXPECT_EQ(58, layout.Run("wp(3)"));
    EXPECT_LT(layout.Run("wp(3, 1)"), 58);
    EXPECT_EQ(button->PreferredWidth(1), layout.Run("wp(3, 1)"));
}

TEST_F(LLayoutTest, AnUnassignedNameAsksForTheWindowRectangle)
{
    LLayout layout(*frame);
    layout.RunSection("one = 1");
    // "two" was never assigned: hp(two) is hp(0), still 0 while section 1 runs.
    layout.RunSection("x = hp(two) + hp(one); pp(0, 0, 0, 100, x + 50)");
    EXPECT_EQ(16 + 50, layout.WindowRect().bottom);
    EXPECT_EQ(66, layout.Run("hp(two)"));
}

TEST_F(LLayoutTest, SystemMetrics)
{
    LLayout layout(*frame);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), layout.Run("sys(smVScrollW)"));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), layout.Run("sys(smVScrollEW)"));
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), layout.Run("sys(smHScrollH)"));
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), layout.Run("sys(smHScrollEH)"));
    EXPECT_GT(layout.Run("sys(0)"), 0);
    EXPECT_EQ(0, layout.Run("sys(4)"));
    EXPECT_EQ(0, layout.Run("sys(-1)"));
}

TEST_F(LLayoutTest, TabOrderIsReadUpToTheFirstNonNumber)
{
    LLayout layout(*frame);
    layout.ReadTabOrder(" 3\t1\r\n2 ");
    EXPECT_EQ((std::vector<int>{3, 1, 2}), FocusOrder(*frame));
    layout.ReadTabOrder("2 -1 x 3");
    EXPECT_EQ((std::vector<int>{2, -1}), FocusOrder(*frame));
    layout.ReadTabOrder("- 1");
    EXPECT_TRUE(FocusOrder(*frame).empty());
    layout.ReadTabOrder("");
    EXPECT_TRUE(FocusOrder(*frame).empty());
    layout.ReadTabOrder("99999999999999 1");
    ASSERT_EQ(2, frame->FocusCount());
    EXPECT_EQ(nullptr, frame->PaneById(frame->FocusId(0)));
}

TEST_F(LLayoutTest, RunsMeasureBuildAndPlaceTakeTheirSections)
{
    const LLayoutSections layout("one = 1; two = 2;", "pp(0, 5, 5, 5 + wp(one) * 2, 5 + 40)",
                                 "pp(one, l(0), t(0), r(0), b(0)); PlaceLT(two, 1, 2)", "2 1");
    RECT measured = LLayoutRun::Measure(*frame, layout);
    EXPECT_EQ(5 + 32, measured.right);
    EXPECT_EQ(45, measured.bottom);
    EXPECT_EQ(0, plain->Bounds().right); // nothing placed
    EXPECT_TRUE(FocusOrder(*frame).empty());

    RECT built = LLayoutRun::Build(*frame, layout);
    EXPECT_TRUE(EqualRect(&built, &measured));
    EXPECT_TRUE(EqualRect(&built, &plain->Bounds()));
    EXPECT_EQ((std::vector<int>{2, 1}), FocusOrder(*frame));

    RECT elsewhere = {10, 20, 110, 70};
    LLayoutRun::Place(*frame, layout, elsewhere);
    EXPECT_TRUE(EqualRect(&elsewhere, &plain->Bounds()));
    EXPECT_EQ(1, wrap->Bounds().left);

    // A layout that is not there runs nothing and leaves the panes and the order alone.
    RECT none = LLayoutRun::Build(*frame, LLayoutSections::FromResource("NOSUCHLAYOUT"));
    EXPECT_TRUE(IsRectEmpty(&none));
    EXPECT_TRUE(EqualRect(&elsewhere, &plain->Bounds()));
    EXPECT_EQ((std::vector<int>{2, 1}), FocusOrder(*frame));
}

} // namespace
