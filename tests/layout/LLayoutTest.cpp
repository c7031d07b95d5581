// The layout engine's functions over the panes of a frame without a window, and the three
// ways a layout runs over them.
#include "layout/LLayout.h"

#include "framework/LApplication.h"
#include "framework/LFont.h"
#include "framework/LFrame.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
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

class LLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(LResDefaultChain::Create(GetModuleHandleA(nullptr)), nullptr);
        const LFont font = LFont::MessageFont();
        frame = new LFrame(&app, nullptr);
        plain = new LPane(frame, frame);
        wrap = new LTextPane(frame, 2, "The product is installed into a folder of its own below the folder "
                                       "chosen here; nothing outside it is changed.", font);
        button = new LPushButton(frame, "OK", font);
    }
    void TearDown() override
    {
        delete frame;
        LResDefaultChain::Destroy();
    }

    LApplication app;
    LFrame* frame = nullptr;
    LPane* plain = nullptr;        // id 1
    LTextPane* wrap = nullptr;     // id 2
    LPushButton* button = nullptr; // id 3
};

TEST_F(LLayoutTest, TheLibraryComesFromTheResourcesAndWithoutItItsNamesReadZero)
{
    LLayout layout(*frame);
    EXPECT_EQ(12, layout.Variable("kStdSpc"));
    EXPECT_EQ(18 + 32 + 18, layout.Run("pp(1, 0, 0, 32, 10); CalcStdIconR(1)"));
    LResDefaultChain::Destroy();
    LLayout bare(*frame);
    EXPECT_EQ(0, bare.Run("kStdSpc + CalcMaxW(1, 2, 3)"));
    EXPECT_EQ(32, bare.Run("wp(1)")); // the engine's own functions still work
}

TEST_F(LLayoutTest, PlacesPanesReadsTheirFramesAndSeesTheWindowAsIdZero)
{
    LLayout layout(*frame);
    EXPECT_EQ(16, layout.Run("wp(1)")); // an empty pane wants 16 by 16
    layout.RunSection("one = 1; pp(one, 5, 6, 45, 26); pp(0, 10, 30, 250, 130)");
    const RECT placed = {5, 6, 45, 26}, window = {10, 30, 250, 130};
    EXPECT_TRUE(EqualRect(&plain->Bounds(), &placed));
    EXPECT_EQ(5 * 1000 + 6 * 100 + 45 * 10 + 26, layout.Run("l(one) * 1000 + t(one) * 100 + r(one) * 10 + b(one)"));
    EXPECT_EQ(40 * 100 + 20, layout.Run("w(one) * 100 + h(one)"));
    EXPECT_EQ(40 * 100 + 20, layout.Run("wp(one, -3) * 100 + hp(one, 7)")); // its frame's size, whatever the hint
    EXPECT_TRUE(EqualRect(&layout.WindowRect(), &window));
    EXPECT_EQ(240 * 1000 + 100, layout.Run("wp(0) * 1000 + hp(0, 55)"));
    EXPECT_EQ(10 + 30 + 250 + 130, layout.Run("l(0) + t(0) + r(0) + b(0)"));
    EXPECT_EQ(0, frame->Width()); // the window rectangle is not the frame's
}

TEST_F(LLayoutTest, HintsAndSystemMetricsReachThePanesAndThePlatform)
{
    LLayout layout(*frame);
    EXPECT_EQ(wrap->PreferredHeight(200), layout.Run("hp(2, 200)"));
    EXPECT_GT(layout.Run("hp(2, 200)"), 2 * layout.Run("hp(2, LTextPane_LineHi)"));
    EXPECT_EQ(wrap->PreferredWidth(-2), layout.Run("wp(2, LTextPane_WholeTextWidth)"));
    EXPECT_EQ(button->PreferredWidth(1), layout.Run("wp(3, 1)"));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), layout.Run("sys(smVScrollW)"));
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), layout.Run("sys(smHScrollEH)"));
    EXPECT_EQ(0, layout.Run("sys(4)"));
}

TEST_F(LLayoutTest, TheTabOrderIsReadUpToTheFirstNonNumber)
{
    LLayout layout(*frame);
    layout.ReadTabOrder(" 3\t1\r\n2 ");
    EXPECT_EQ((std::vector<int>{3, 1, 2}), FocusOrder(*frame));
    layout.ReadTabOrder("2 -1 x 3");
    EXPECT_EQ((std::vector<int>{2, -1}), FocusOrder(*frame));
    layout.ReadTabOrder("- 1");
    EXPECT_TRUE(FocusOrder(*frame).empty());
    layout.ReadTabOrder("99999999999999 1");
    ASSERT_EQ(2, frame->FocusCount());
    EXPECT_EQ(nullptr, frame->PaneById(frame->FocusId(0)));
}

TEST_F(LLayoutTest, MeasureBuildAndPlaceRunTheirSections)
{
    const LLayoutSections layout("one = 1; two = 2;", "pp(0, 5, 5, 5 + wp(one) * 2, 5 + 40)",
                                 "pp(one, l(0), t(0), r(0), b(0)); PlaceLT(two, 1, 2)", "2 1");
    const RECT measured = LLayoutRun::Measure(*frame, layout);
    EXPECT_EQ(5 + 32, measured.right);
    EXPECT_EQ(45, measured.bottom);
    EXPECT_EQ(0, plain->Bounds().right); // nothing placed
    EXPECT_TRUE(FocusOrder(*frame).empty());

    const RECT built = LLayoutRun::Build(*frame, layout);
    EXPECT_TRUE(EqualRect(&built, &measured));
    EXPECT_TRUE(EqualRect(&built, &plain->Bounds()));
    EXPECT_EQ((std::vector<int>{2, 1}), FocusOrder(*frame));

    const RECT elsewhere = {10, 20, 110, 70};
    LLayoutRun::Place(*frame, layout, elsewhere);
    EXPECT_TRUE(EqualRect(&elsewhere, &plain->Bounds()));
    EXPECT_EQ(1, wrap->Bounds().left);

    // A layout that is not there runs nothing and leaves the panes and the order alone.
    const RECT none = LLayoutRun::Build(*frame, LLayoutSections::FromResource("NOSUCHLAYOUT"));
    EXPECT_TRUE(IsRectEmpty(&none));
    EXPECT_TRUE(EqualRect(&elsewhere, &plain->Bounds()));
    EXPECT_EQ((std::vector<int>{2, 1}), FocusOrder(*frame));
}

} // namespace
