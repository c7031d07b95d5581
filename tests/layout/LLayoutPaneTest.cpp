// Composite panes: preferred size from their layout, re-placement on size changes only, and
// panes whose size is fixed once.
#include "framework/LApplication.h"
#include "framework/LFrame.h"
#include "layout/LLayout.h"
#include "layout/LLayoutPane.h"
#include "resources/LResDefaultChain.h"

#include <gtest/gtest.h>

namespace {

// Two plain children of fixed preferred sizes, the second below the first.
class TwoBoxPane : public LLayoutPane {
public:
    TwoBoxPane(LFrame* container, const LLayoutSections& layout) : LLayoutPane(container, container, layout)
    {
        top = new LPane(this, this);
        bottom = new LPane(this, this);
        RECT a = {0, 0, 40, 20};
        RECT b = {0, 0, 70, 10};
        top->SetBounds(a);
        bottom->SetBounds(b);
    }
    LPane* top;
    LPane* bottom;
};

const LLayoutSections kBoxes(
    "topp = 1; botp = 2;",
    "cw = kStdSpc + CalcMaxW(topp, botp) + kStdSpc;ch = kStdSpc + CalcSumH(topp, botp) + kStdSpc;pp(0, 0, 0, cw, ch);",
    "PlaceLTR(topp, kStdSpc, kStdSpc, w(0) - kStdSpc);PlaceLTR(botp, kStdSpc, h(0) - kStdSpc - hp(botp), w(0) - kStdSpc);");

class LLayoutPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(LResDefaultChain::Create(GetModuleHandleA(nullptr)), nullptr);
        outer = new LFrame(&app, nullptr);
        pane = new TwoBoxPane(outer, kBoxes);
    }
    void TearDown() override
    {
        delete outer;
        LResDefaultChain::Destroy();
    }
    static RECT Rect(int l, int t, int r, int b)
    {
        RECT rect = {l, t, r, b};
        return rect;
    }

    LApplication app;
    LFrame* outer = nullptr;
    TwoBoxPane* pane = nullptr;
};

TEST_F(LLayoutPaneTest, PreferredSizeIsWhatSectionOneComputes)
{
    EXPECT_EQ(12 + 70 + 12, pane->PreferredWidth(0));
    EXPECT_EQ(12 + 30 + 12, pane->PreferredHeight(0));
    EXPECT_EQ(94, pane->PreferredWidth(-2)); // the hint is ignored
    // Asked afresh every time: the children's sizes now.
    pane->bottom->SetBounds(Rect(0, 0, 100, 10));
    EXPECT_EQ(124, pane->PreferredWidth(0));
}

TEST_F(LLayoutPaneTest, TheContainersLayoutAsksTheCompositePane)
{
    LLayout layout(*outer);
    EXPECT_EQ(94, layout.Run("wp(1)"));
    EXPECT_EQ(54, layout.Run("hp(1)"));
    layout.RunSection("PlaceLT(1, 20, 30)");
    EXPECT_EQ(20, pane->Bounds().left);
    EXPECT_EQ(94, pane->Width());
    // Placing the pane placed its children, in its own coordinates.
    EXPECT_EQ(12, pane->top->Bounds().left);
    EXPECT_EQ(12, pane->top->Bounds().top);
    EXPECT_EQ(82, pane->top->Bounds().right);
    EXPECT_EQ(54 - 12 - 10, pane->bottom->Bounds().top);
}

TEST_F(LLayoutPaneTest, AMoveKeepsTheChildrenAndAResizePlacesThemAgain)
{
    pane->SetBounds(Rect(0, 0, 200, 100));
    EXPECT_EQ(188, pane->top->Bounds().right);
    pane->top->SetBounds(Rect(1, 1, 2, 2)); // a mark that only a placement would undo
    pane->SetBounds(Rect(50, 60, 250, 160));
    EXPECT_EQ(2, pane->top->Bounds().right);
    pane->SetBounds(Rect(50, 60, 260, 160));
    EXPECT_EQ(198, pane->top->Bounds().right);
    EXPECT_EQ(12, pane->top->Bounds().left);
    pane->top->SetBounds(Rect(1, 1, 2, 2));
    pane->SetBounds(Rect(50, 60, 260, 170)); // the height alone changes too
    EXPECT_EQ(198, pane->top->Bounds().right);
    EXPECT_EQ(170 - 60 - 12, pane->bottom->Bounds().bottom);
}

TEST_F(LLayoutPaneTest, AFixedPaneTakesItsSizeOnceAndKeepsIt)
{
    pane->FixSize();
    EXPECT_TRUE(pane->IsFixed());
    EXPECT_EQ(94, pane->Width());
    EXPECT_EQ(54, pane->Height());
    EXPECT_EQ(82, pane->top->Bounds().right);
    pane->bottom->SetBounds(Rect(0, 0, 300, 10));
    EXPECT_EQ(94, pane->PreferredWidth(0));
    EXPECT_EQ(54, pane->PreferredHeight(0));
}

TEST_F(LLayoutPaneTest, AMissingLayoutLeavesTheChildrenUnplaced)
{
    TwoBoxPane* empty = new TwoBoxPane(outer, LLayoutSections::FromResource("NOSUCHLAYOUT"));
    EXPECT_EQ(0, empty->PreferredWidth(0));
    EXPECT_EQ(0, empty->PreferredHeight(0));
    empty->SetBounds(Rect(0, 0, 80, 80));
    EXPECT_EQ(40, empty->top->Bounds().right);
}

} // namespace
