// A test dialog made of framework panes, driven with window messages through the framework's
// own event loop.
#include "framework/LApplication.h"
#include "framework/LDialog.h"
#include "framework/LDialogDef.h"
#include "framework/LEditText.h"
#include "framework/LKeyboard.h"
#include "framework/LMessageNames.h"
#include "framework/LMouse.h"
#include "framework/LProgressBar.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "tests/support/Screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The dialog's owner: records what reaches it and passes everything on to the application.
struct Owner : LHandler {
    explicit Owner(LHandler* next) : LHandler(next) {}
    LMessage Handle(const LMessage& m) override
    {
        if (m.Is(LDialog_Default) || m.Is(LDialog_Escape) || m.Is(LFrame_Close)) {
            seen.push_back(m.name);
            return Consumed();
        }
        return LHandler::Handle(m);
    }
    std::vector<std::string> seen;
};

class LDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        font = LFont::MessageFont();
        dialog = new LDialog(&owner, nullptr, &definition);
        ok = new LPushButton(dialog, "OK", font);
        cancel = new LPushButton(dialog, "Cancel", font);
        edit = new LEditText(dialog, 0, 1, font);
        progress = new LProgressBar(dialog);
        label = new LTextPane(dialog, 0, "Label over the edit field", font);
        dialog->SetDefaultButton(ok);
        dialog->SetCancelButton(cancel);
        const int order[] = {1, 2, 3};
        dialog->SetFocusOrder(order, 3);
        Place(ok, 20, 100, 100, 125);
        Place(cancel, 110, 100, 190, 125);
        Place(edit, 20, 20, 190, 44);
        Place(progress, 20, 60, 190, 76);
        Place(label, 20, 18, 190, 46);
        RECT content = {60, 60, 270, 200};
        dialog->Window()->SetContentRect(content);
        dialog->Window()->SetTitle("Framework test dialog");
        LThreadWindows::Show(dialog->Window());
        Pump();
    }
    void TearDown() override
    {
        delete dialog;
        Pump();
    }
    static void Place(LPane* pane, int l, int t, int r, int b)
    {
        RECT rect = {l, t, r, b};
        pane->SetBounds(rect);
    }
    void Pump()
    {
        for (int round = 0; round < 20; ++round) {
            MSG peek;
            while (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
                app.PumpOne();
            Sleep(5);
        }
    }
    void Key(WPARAM key)
    {
        HWND target = GetFocus() ? GetFocus() : dialog->Window()->Handle();
        PostMessageA(target, WM_KEYDOWN, key, 1);
        Pump();
    }

    LApplication app;
    LMouse mouse;
    LKeyboard keyboard;
    Owner owner{&app};
    LDialogDef definition{3};
    LFont font;
    LDialog* dialog = nullptr;
    LPushButton* ok = nullptr;
    LPushButton* cancel = nullptr;
    LEditText* edit = nullptr;
    LProgressBar* progress = nullptr;
    LTextPane* label = nullptr;
};

} // namespace

TEST_F(LDialogTest, DialogWindowIsOfTheFrameworkClassAndThePanesFillIt)
{
    HWND handle = dialog->Window()->Handle();
    ASSERT_NE(handle, nullptr);
    char name[64] = {};
    GetClassNameA(handle, name, sizeof(name));
    EXPECT_STREQ(name, "LDIALOGDEFDATA");
    RECT client;
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 210);
    EXPECT_EQ(client.bottom, 140);
    EXPECT_EQ(dialog->Width(), 210);
    // The native edit window sits inside the border inset, in the dialog's client coordinates.
    RECT editRect;
    GetWindowRect(edit->Control(), &editRect);
    MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&editRect), 2);
    EXPECT_EQ(editRect.left, 20 + edit->Inset());
    EXPECT_EQ(editRect.top, 20 + edit->Inset());
    EXPECT_TRUE(IsWindowVisible(ok->Control()));
    testsupport::SaveScreenshot("dialog", handle);
}

TEST_F(LDialogTest, TabMovesAlongTheFocusOrderAndWrapsToTheFirst)
{
    ok->SetState(LPane::kTakeFocusForward);
    Pump();
    EXPECT_EQ(dialog->Focus(), ok);
    EXPECT_EQ(GetFocus(), ok->Control());
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), cancel);
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), edit);
    EXPECT_EQ(GetFocus(), edit->Control());
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), ok);
    EXPECT_EQ(GetFocus(), ok->Control());
}

TEST_F(LDialogTest, TabbingIntoTheEditSelectsItsWholeText)
{
    edit->SetText("some text");
    cancel->SetState(LPane::kTakeFocusForward);
    Pump();
    Key(VK_TAB);
    ASSERT_EQ(dialog->Focus(), edit);
    DWORD start = 0, end = 0;
    SendMessageA(edit->Control(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
}

TEST_F(LDialogTest, ReturnPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    edit->SetState(LPane::kTakeFocusForward);
    Pump();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"LDialog_Default", "LDialog_Escape"}));
}

TEST_F(LDialogTest, ReturnWithADisabledDefaultButtonDoesNothing)
{
    ok->SetState(LPane::kDisable);
    edit->SetState(LPane::kTakeFocusForward);
    Pump();
    Key(VK_RETURN);
    EXPECT_TRUE(owner.seen.empty());
    EXPECT_FALSE(IsWindowEnabled(ok->Control()));
}

TEST_F(LDialogTest, ClickingAButtonReachesTheOwnerAsItsDialogMessage)
{
    SendMessageA(cancel->Control(), BM_CLICK, 0, 0);
    Pump();
    SendMessageA(ok->Control(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"LDialog_Escape", "LDialog_Default"}));
}

TEST_F(LDialogTest, ClosingTheWindowActsAsTheCancelButtonThenTheDefaultButton)
{
    HWND handle = dialog->Window()->Handle();
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle)); // the owner decides; the window stays
    dialog->SetCancelButton(nullptr);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    dialog->SetDefaultButton(nullptr);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"LDialog_Escape", "LDialog_Default", "LFrame_Close"}));
}

TEST_F(LDialogTest, TheUserCannotResizeTheDialog)
{
    HWND handle = dialog->Window()->Handle();
    MINMAXINFO info = {};
    info.ptMaxTrackSize.x = info.ptMaxTrackSize.y = 5000;
    SendMessageA(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT outer;
    GetWindowRect(handle, &outer);
    EXPECT_EQ(info.ptMinTrackSize.x, outer.right - outer.left);
    EXPECT_EQ(info.ptMaxTrackSize.x, outer.right - outer.left);
    EXPECT_EQ(info.ptMinTrackSize.y, outer.bottom - outer.top);
    EXPECT_EQ(info.ptMaxTrackSize.y, outer.bottom - outer.top);
}

TEST_F(LDialogTest, TheProgramsOwnTextChangesAreNotReportedAsUserChanges)
{
    struct ChangeCounter : LHandler {
        explicit ChangeCounter(LHandler* next) : LHandler(next) {}
        LMessage Handle(const LMessage& m) override
        {
            if (m.Is(LEditText_Change))
                ++changes;
            return LHandler::Handle(m);
        }
        int changes = 0;
    } counter(&owner);
    dialog->SetNext(&counter);
    edit->SetText("first");
    edit->SetText("first");
    EXPECT_EQ(counter.changes, 0);
    EXPECT_STREQ(edit->Text().Text(), "first");
    // A change the program did not make (as typing does) is reported.
    SendMessageA(edit->Control(), WM_CHAR, 'x', 1);
    Pump();
    EXPECT_EQ(counter.changes, 1);
    dialog->SetNext(&owner);
}

TEST_F(LDialogTest, ClicksGoThroughTheTextPaneToTheEditBelowAndOverlapsHitTheLaterPane)
{
    POINT inBoth = {30, 30};
    EXPECT_EQ(dialog->PaneAt(inBoth), edit);
    POINT nowhere = {5, 5};
    EXPECT_EQ(dialog->PaneAt(nowhere), dialog);
    Place(cancel, 20, 100, 100, 125); // now exactly over the OK button, created later
    POINT onButtons = {50, 110};
    EXPECT_EQ(dialog->PaneAt(onButtons), cancel);
}

TEST(LPane, EmptyPaneWantsSixteenBySixteen)
{
    LPane pane(nullptr, nullptr);
    EXPECT_EQ(pane.PreferredWidth(0), 16);
    EXPECT_EQ(pane.PreferredHeight(7), 16);
    RECT r = {3, 4, 33, 14};
    pane.SetBounds(r);
    EXPECT_EQ(pane.PreferredWidth(0), 30);
    EXPECT_EQ(pane.PreferredHeight(0), 10);
}

TEST(LProgressBar, HalvesMaximumAndPositionTogether)
{
    EXPECT_EQ(LProgressBar::ScaledMaximum(32766), 32766);
    EXPECT_EQ(LProgressBar::ScaledMaximum(32767), 16383);
    EXPECT_EQ(LProgressBar::ScaledMaximum(100000), 25000);
    EXPECT_EQ(LProgressBar::ScaledPosition(100000, 50000), 12500);
    EXPECT_EQ(LProgressBar::ScaledPosition(100, 37), 37);
}
