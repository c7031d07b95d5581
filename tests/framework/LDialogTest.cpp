// A dialog made of framework panes, driven with window messages through the framework's own
// event loop: focus, keys, clicks, the close box and hit testing.
#include "framework/LDialog.h"

#include "framework/LDialogDef.h"
#include "framework/LEditText.h"
#include "framework/LMessageNames.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LThreadWindows.h"
#include "framework/LTimer.h"
#include "framework/LWindow.h"
#include "tests/framework/AppFixture.h"
#include "tests/support/Screenshot.h"

#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// The dialog's owner: records the dialog's messages.
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

class LDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        InitCommonControls();
        const LFont font = LFont::MessageFont();
        dialog = new LDialog(&owner, nullptr, &definition);
        ok = new LPushButton(dialog, "OK", font);
        cancel = new LPushButton(dialog, "Cancel", font);
        edit = new LEditText(dialog, 0, 1, font);
        new LTextPane(dialog, 0, "Label over the edit field", font);
        dialog->SetDefaultButton(ok);
        dialog->SetCancelButton(cancel);
        const int order[] = {1, 2, 3};
        dialog->SetFocusOrder(order, 3);
        Place(1, 20, 100, 100, 125);
        Place(2, 110, 100, 190, 125);
        Place(3, 20, 20, 190, 44);
        Place(4, 20, 18, 190, 46);
        dialog->Window()->SetContentRect(RECT{60, 60, 270, 200});
        LThreadWindows::Show(dialog->Window());
        Pump();
    }
    void TearDown() override
    {
        delete dialog;
        Pump();
    }
    void Place(int id, int l, int t, int r, int b) { dialog->PaneById(id)->SetBounds(RECT{l, t, r, b}); }
    // A key pressed where the focus is, handled before this returns.
    void Key(WPARAM key)
    {
        PostMessageA(GetFocus() ? GetFocus() : dialog->Window()->Handle(), WM_KEYDOWN, key, 1);
        Pump();
    }

    Owner owner{&app};
    LDialogDef definition{3};
    LDialog* dialog = nullptr;
    LPushButton* ok = nullptr;
    LPushButton* cancel = nullptr;
    LEditText* edit = nullptr;
};

} // namespace

TEST_F(LDialogTest, TheContentRectangleIsTheClientAreaAndControlsSitInsideTheirPanes)
{
    HWND handle = dialog->Window()->Handle();
    RECT client;
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 210);
    EXPECT_EQ(client.bottom, 140);
    // The native edit window sits inside the field's border, in the dialog's client coordinates.
    RECT native;
    GetWindowRect(edit->Control(), &native);
    MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&native), 2);
    EXPECT_EQ(native.left, 20 + edit->Inset());
    EXPECT_EQ(native.top, 20 + edit->Inset());
    // The user cannot resize it: the tracking limits are its size.
    MINMAXINFO info = {};
    info.ptMaxTrackSize = POINT{5000, 5000};
    SendMessageA(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT outer;
    GetWindowRect(handle, &outer);
    EXPECT_EQ(info.ptMinTrackSize.x, outer.right - outer.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, outer.bottom - outer.top);
    EXPECT_FALSE(testsupport::SaveScreenshot("dialog", handle).empty());
}

TEST_F(LDialogTest, TabFollowsTheFocusOrderPastDisabledPanesSelectsTheEditsTextAndWraps)
{
    edit->SetText("some text");
    ok->SetState(LPane::kTakeFocusForward);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == ok->Control(); }));
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), cancel);
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), edit);
    EXPECT_EQ(GetFocus(), edit->Control());
    DWORD start = 1, end = 0;
    SendMessageA(edit->Control(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), ok);
    cancel->SetState(LPane::kDisable);
    Key(VK_TAB);
    EXPECT_EQ(dialog->Focus(), edit);
}

TEST_F(LDialogTest, KeysClicksAndTheCloseBoxReachTheOwnerAsTheDialogsMessages)
{
    edit->SetState(LPane::kTakeFocusForward);
    Pump();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    SendMessageA(cancel->Control(), BM_CLICK, 0, 0);
    SendMessageA(ok->Control(), BM_CLICK, 0, 0);
    Pump();
    // A disabled default button takes no Return; the Escape after it proves the key was handled.
    ok->SetState(LPane::kDisable);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"LDialog_Default", "LDialog_Escape", "LDialog_Escape",
                                                    "LDialog_Default", "LDialog_Escape"}));
    // The close box acts as the cancel button, without one as the default button; the owner
    // decides, and the window stays.
    owner.seen.clear();
    HWND handle = dialog->Window()->Handle();
    SendMessageA(handle, WM_CLOSE, 0, 0);
    dialog->SetCancelButton(nullptr);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    dialog->SetDefaultButton(nullptr);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"LDialog_Escape", "LDialog_Default", "LFrame_Close"}));
}

TEST_F(LDialogTest, ClicksGoThroughTheTextPaneToTheEditBelowAndOverlapsHitTheLaterPane)
{
    EXPECT_EQ(dialog->PaneAt(POINT{30, 30}), edit);
    EXPECT_EQ(dialog->PaneAt(POINT{5, 5}), dialog);
    Place(2, 20, 100, 100, 125); // Cancel now lies exactly over OK, which was made first
    EXPECT_EQ(dialog->PaneAt(POINT{50, 110}), cancel);
}

// The idle timer goes on firing after the last timer expired. A step that saw its message pending
// and then pumped once must not wait for ever when the pump's re-arming takes that message away.
TEST_F(AppFixture, APumpAfterAPeekWakesUpWhenTheIdleTimersMessageIsTakenAway)
{
    struct : LHandler {
        using LHandler::LHandler;
        LMessage Handle(const LMessage& m) override { return m.Is(LTimer_Expire) ? (expired = true, Consumed()) : LHandler::Handle(m); }
        bool expired = false;
    } owner{nullptr};
    LTimer timer(&owner);
    timer.Start(1);
    ASSERT_TRUE(PumpUntil([&] { return owner.expired; }));
    MSG pending;
    ASSERT_TRUE(testsupport::WaitUntil([&] { return PeekMessageA(&pending, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE) != 0; }, 5000));
    // A message sent late ends a pump that waits; it must not be what ends this one.
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> returned{false}, rescued{false};
    std::thread rescuer([&] {
        if (!testsupport::WaitUntil([&] { return returned.load(); }, 5000))
            rescued = PostThreadMessageA(thread, WM_NULL, 0, 0) != 0;
    });
    app.PumpOne();
    returned = true;
    rescuer.join();
    EXPECT_FALSE(rescued) << "the pump waited for a message that never came";
}
