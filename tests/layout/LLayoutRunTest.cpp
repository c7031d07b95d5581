// A dialog built from a layout as the installer's windows are: its pane rectangles follow the
// layout's arithmetic over the real controls' preferred sizes, and its window gets the
// computed content rectangle.
#include "framework/LApplication.h"
#include "framework/LDialog.h"
#include "framework/LDialogDef.h"
#include "framework/LEditText.h"
#include "framework/LFont.h"
#include "framework/LKeyboard.h"
#include "framework/LMouse.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LResDefaultChain.h"
#include "tests/support/Screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const LLayoutSections kDialogLayout(
    "okbtn = 1; cancbtn = 2; nameed = 3; msgtx = 4;",
    "txw = CalcTextBoxW(msgtx);\n"
    "cw = kStdSpc + max(txw, CalcTwoButtonW(okbtn, cancbtn)) + kStdSpc;\n"
    "ch = kStdSpc + hp(msgtx, txw) + kStdSpc + hp(nameed) + kGrpSpc + CalcMaxH(okbtn, cancbtn) + kStdSpc;\n"
    "pp(0, 40, 40, 40 + cw, 40 + ch);",
    "PlaceTextBoxLTR(msgtx, kStdSpc, kStdSpc, w(0) - kStdSpc);\n"
    "PlaceLTR(nameed, kStdSpc, b(msgtx) + kStdSpc, w(0) - kStdSpc);\n"
    "PlaceTwoButton(okbtn, cancbtn, 0);",
    "3 1 2");

const char kMessage[] =
    "Please type the name under which the product is registered. The name is kept with the "
    "installation and shown in the product's About box.";

class LLayoutRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        ASSERT_NE(LResDefaultChain::Create(GetModuleHandleA(nullptr)), nullptr);
        font = LFont::MessageFont();
        dialog = new LDialog(&app, nullptr, &definition);
        ok = new LPushButton(dialog, "OK", font);
        cancel = new LPushButton(dialog, "Cancel", font);
        edit = new LEditText(dialog, 0, 1, font);
        message = new LTextPane(dialog, 2, kMessage, font);
        dialog->SetDefaultButton(ok);
        dialog->SetCancelButton(cancel);
        dialog->Window()->SetTitle("Layout test dialog");
        content = LLayoutRun::Build(*dialog, kDialogLayout);
        dialog->Window()->SetContentRect(content);
        LThreadWindows::Show(dialog->Window());
        Pump();
    }
    void TearDown() override
    {
        delete dialog;
        Pump();
        LResDefaultChain::Destroy();
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
    LApplication app;
    LMouse mouse;
    LKeyboard keyboard;
    LDialogDef definition{3};
    LFont font;
    LDialog* dialog = nullptr;
    LPushButton* ok = nullptr;
    LPushButton* cancel = nullptr;
    LEditText* edit = nullptr;
    LTextPane* message = nullptr;
    RECT content = {0, 0, 0, 0};
};

TEST_F(LLayoutRunTest, PaneRectanglesFollowTheLayoutsArithmetic)
{
    // The same sums as the layout, from the panes' own answers.
    int txw = static_cast<int>(std::sqrt(static_cast<float>(8 * message->PreferredWidth(-2) * message->PreferredHeight(-1))));
    int btnw = std::max(ok->PreferredWidth(0), cancel->PreferredWidth(0));
    int btnh = std::max(ok->PreferredHeight(0), cancel->PreferredHeight(0));
    int cw = 12 + std::max(txw, 12 + 2 * btnw) + 12;
    int ch = 12 + message->PreferredHeight(txw) + 12 + edit->PreferredHeight(0) + 16 + btnh + 12;

    EXPECT_EQ(40, content.left);
    EXPECT_EQ(40, content.top);
    EXPECT_EQ(40 + cw, content.right);
    EXPECT_EQ(40 + ch, content.bottom);

    HWND handle = dialog->Window()->Handle();
    RECT client;
    GetClientRect(handle, &client);
    EXPECT_EQ(cw, client.right);
    EXPECT_EQ(ch, client.bottom);
    POINT origin = {0, 0};
    ClientToScreen(handle, &origin);
    EXPECT_EQ(40, origin.x);
    EXPECT_EQ(40, origin.y);

    const RECT& text = message->Bounds();
    EXPECT_EQ(12, text.left);
    EXPECT_EQ(12, text.top);
    EXPECT_EQ(cw - 12, text.right);
    EXPECT_EQ(12 + message->PreferredHeight(cw - 24), text.bottom);

    const RECT& field = edit->Bounds();
    EXPECT_EQ(12, field.left);
    EXPECT_EQ(text.bottom + 12, field.top);
    EXPECT_EQ(cw - 12, field.right);
    EXPECT_EQ(field.top + edit->PreferredHeight(0), field.bottom);

    EXPECT_EQ(cw - 12, cancel->Bounds().right);
    EXPECT_EQ(ch - 12, cancel->Bounds().bottom);
    EXPECT_EQ(btnw, cancel->Width());
    EXPECT_EQ(cancel->Bounds().left - 12, ok->Bounds().right);
    EXPECT_EQ(btnw, ok->Width());
    EXPECT_EQ(ch - 12 - ok->PreferredHeight(0), ok->Bounds().top);

    // The native controls sit where their panes are.
    RECT native;
    GetWindowRect(cancel->Control(), &native);
    MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&native), 2);
    EXPECT_EQ(cancel->Bounds().left, native.left);
    EXPECT_EQ(cancel->Bounds().top, native.top);
    EXPECT_EQ(cancel->Bounds().right, native.right);
    EXPECT_EQ(cancel->Bounds().bottom, native.bottom);
    EXPECT_TRUE(IsWindowVisible(ok->Control()));
    testsupport::SaveScreenshot("layout-dialog", handle);
}

} // namespace
