// Every dialog of the installer, answered through window messages from a driver thread while
// the test's thread runs its loop: each way out gives its answer, and each shows its texts in
// the user's language; the progress dialog's states during the file installation and its range.
#include "framework/LProgressBar.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CAboutBox.h"
#include "ui/CAppIcon.h"
#include "ui/CSimpleMessageDialog.h"
#include "ui/CSimpleProgressDialog.h"
#include "ui/CUserRegDialog.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

enum Dialog { kQuestion, kNotice, kAbout, kRegistration, kProgress };

void ClickButton(HWND window, const char* label)
{
    HWND button = uidriver::FindChild(window, "Button", label);
    EXPECT_NE(button, nullptr) << label;
    uidriver::Click(button);
}

void Press(HWND window, UINT key) { uidriver::PressKey(window, key); }

LRESULT BarPosition(CSimpleProgressDialog& dialog) { return SendMessageA(dialog.Bar()->Control(), PBM_GETPOS, 0, 0); }

class DialogsTest : public UiFixture {
protected:
    // Runs the dialog until it ends while the driver gives `answer`; its result.
    int Run(Dialog dialog, const std::function<void(HWND)>& answer)
    {
        return Driven([&] { return RunDialog(dialog); }, answer);
    }
    // The dialog's loop, as the installer runs it; for the About box 1, for the progress dialog
    // 1 once it has stopped and every later step says so too.
    int RunDialog(Dialog dialog)
    {
        switch (dialog) {
        case kQuestion:
        case kNotice: {
            CSimpleMessageDialog box(&app, nullptr);
            box.SetIcon(CAppIcon::Get());
            const char* text = dialog == kQuestion ? "The folder already exists. Install into it anyway?"
                                                   : "Installation complete.";
            return box.Run(text, 0, dialog == kQuestion);
        }
        case kAbout: {
            CAboutBox box(&app, nullptr);
            box.Run();
            return 1;
        }
        case kRegistration: {
            CUserRegDialog box(nullptr, &app);
            box.SetText("Please enter your name. It is written into the registration of the programs installed.");
            box.SetIcon(CAppIcon::Get());
            box.SetName("Registered Owner");
            box.Layout();
            return box.Run();
        }
        case kProgress: {
            CSimpleProgressDialog box(&app, nullptr);
            box.SetMaximum(100);
            box.SetPosition(40);
            const bool stopped = uidriver::WaitUntil([&] { return box.WaitStep(); }, 10000, 2);
            return int(stopped && box.WaitStep());
        }
        }
        return -1;
    }
};

} // namespace

TEST_F(DialogsTest, EveryWayOutGivesItsAnswer)
{
    const struct {
        Dialog dialog;
        const char* way;
        std::function<void(HWND)> answer;
        int expected;
    } cases[] = {
        {kQuestion, "OK", [](HWND w) { ClickButton(w, "OK"); }, 1},
        {kQuestion, "Enter", [](HWND w) { Press(w, VK_RETURN); }, 1},
        {kQuestion, "Cancel", [](HWND w) { ClickButton(w, "Cancel"); }, 0},
        {kQuestion, "Escape", [](HWND w) { Press(w, VK_ESCAPE); }, 0},
        {kQuestion, "close box", uidriver::CloseBox, 0},
        // A notice has only OK: Escape and the close box count as OK.
        {kNotice, "Escape", [](HWND w) { Press(w, VK_ESCAPE); }, 1},
        {kNotice, "close box", uidriver::CloseBox, 1},
        {kAbout, "Enter", [](HWND w) { Press(w, VK_RETURN); }, 1},
        {kAbout, "close box", uidriver::CloseBox, 1},
        {kRegistration, "Setup", [](HWND w) { ClickButton(w, "Setup"); }, CUserRegDialog::kSetup},
        {kRegistration, "Cancel", [](HWND w) { ClickButton(w, "Cancel"); }, CUserRegDialog::kCancel},
        {kRegistration, "Escape", [](HWND w) { Press(w, VK_ESCAPE); }, CUserRegDialog::kCancel},
        {kRegistration, "close box", uidriver::CloseBox, CUserRegDialog::kCancel},
        {kProgress, "Stop", [](HWND w) { uidriver::Click(uidriver::FindChild(w, "Button", nullptr)); }, 1},
        {kProgress, "Enter", [](HWND w) { Press(w, VK_RETURN); }, 1},
        {kProgress, "Escape", [](HWND w) { Press(w, VK_ESCAPE); }, 1},
        {kProgress, "close box", uidriver::CloseBox, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dialog) + " " + c.way);
        EXPECT_EQ(Run(c.dialog, c.answer), c.expected);
    }
}

TEST_F(DialogsTest, ShowTheirTextsInTheUsersLanguage)
{
    // English and Japanese, as a user is to see them; the registration has no Japanese texts.
    using Text = std::pair<const wchar_t*, const wchar_t*>;
    const Text ok{L"OK", L"了解"}, cancel{L"Cancel", L"キャンセル"};
    const struct {
        Dialog dialog;
        Text title;
        std::vector<Text> buttons;
        const char* shot;
    } cases[] = {
        {kQuestion, {L"Message", L"メッセージ"}, {ok, cancel}, "message-question"},
        {kNotice, {L"Message", L"メッセージ"}, {ok}, "message-notice"},
        {kAbout, {L"About Installer", L"Installer について"}, {ok}, "about-box"},
        {kRegistration, {L"User Registration", L"User Registration"}, {{L"Setup", L"Setup"}, {L"Cancel", L"Cancel"}},
         "user-registration"},
        {kProgress, {L"Progress", L"進行状況"}, {{L"Stop", L"中止"}}, "progress"},
    };
    for (const auto& c : cases) {
        Run(c.dialog, [&c](HWND w) {
            EXPECT_EQ(uidriver::WindowText(w), uidriver::Expected(c.title.first, c.title.second)) << c.shot;
            for (const Text& label : c.buttons) {
                const std::string expected = uidriver::Expected(label.first, label.second);
                EXPECT_NE(uidriver::FindChild(w, "Button", expected.c_str()), nullptr) << c.shot << " " << expected;
            }
            EXPECT_FALSE(testsupport::SaveScreenshot(c.shot, w).empty());
            Press(w, VK_ESCAPE);
        });
    }
}

TEST_F(DialogsTest, AMessageShowsCancelOnlyForAQuestionAndItsButtonsEvenWithoutText)
{
    CSimpleMessageDialog dialog(&app, nullptr);
    LPane* ok = dialog.PaneById(1);
    LPane* cancel = dialog.PaneById(2);
    dialog.Prepare("A notice.", false);
    EXPECT_FALSE(cancel->Has(LPane::kShown));
    dialog.Prepare("", true);
    EXPECT_TRUE(cancel->Has(LPane::kShown));
    EXPECT_TRUE(ok->Has(LPane::kShown));
    EXPECT_GT(ok->Width(), 0);
    EXPECT_GT(ok->Height(), 0);
}

TEST_F(DialogsTest, TheProgressIsShownByTheFirstWaitStepAndAnEmptyQueueDoesNotHoldItUp)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_STREQ(dialog.MessagePane()->Text().Text(), ""); // the measuring line is gone again
    Pump();
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(dialog.WaitStepResult(), 0);
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(DialogsTest, OnceTheFilesAreWrittenNeitherStopNorTheCloseBoxStopsTheProgress)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.BeginFiles(1000, false);
    dialog.EndFiles();
    uidriver::QueueMarker marker;
    std::atomic<bool> driverDone{false};
    bool handled = false, stopped = false;
    uidriver::DriverThread driver([&] {
        if (HWND window = uidriver::WaitForVisibleWindow("LDIALOGDEFDATA", nullptr)) {
            uidriver::CloseBox(window);
            uidriver::PressKey(window, VK_ESCAPE);
            uidriver::Click(uidriver::FindChild(window, "Button", nullptr));
            handled = marker.WaitUntilHandled();
        }
        driverDone = true;
    });
    const auto stepUntilDriverDone = [&] { stopped = dialog.WaitStep() || stopped; return driverDone.load(); };
    uidriver::WaitUntil(stepUntilDriverDone, 20000, 2);
    ASSERT_TRUE(handled) << "the dialog did not handle the driver's input";
    EXPECT_FALSE(stopped);
    EXPECT_FALSE(IsWindowEnabled(dialog.StopButton()->Control()));
}

TEST_F(DialogsTest, TheProgressFilePhaseRelabelsStopAndTheUndoingHidesTheBarInTheUsersLanguage)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.BeginFiles(5000, false);
    EXPECT_EQ(dialog.StopButton()->Text().Text(), uidriver::Expected(L"Cancel", L"キャンセル"));
    EXPECT_EQ(dialog.MessagePane()->Text().Text(),
              uidriver::Expected(L"Installing files...", L"ファイルをインストールしています..."));
    EXPECT_EQ(dialog.Bar()->Maximum(), 5000);
    dialog.SetPosition(2000);
    dialog.WaitStepResult();
    EXPECT_FALSE(testsupport::SaveScreenshot("progress-installing", dialog.Window()->Handle()).empty());
    dialog.ShowCanceling();
    EXPECT_EQ(dialog.MessagePane()->Text().Text(),
              uidriver::Expected(L"Canceling installation...", L"インストールを中止しています..."));
    EXPECT_FALSE(IsWindowVisible(dialog.Bar()->Control()));
    EXPECT_FALSE(testsupport::SaveScreenshot("progress-canceling", dialog.Window()->Handle()).empty());
    CSimpleProgressDialog removal(&app, nullptr);
    removal.BeginFiles(10, true);
    EXPECT_EQ(removal.MessagePane()->Text().Text(),
              uidriver::Expected(L"Uninstalling files...", L"ファイルをアンインストールしています..."));
}

TEST_F(DialogsTest, TheProgressBarShowsTheEndStartsANewRangeAfreshAndStaysInProportionUpToFourGibibytes)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.SetMaximum(100000);
    dialog.SetPosition(100000);
    EXPECT_EQ(BarPosition(dialog), 25000);
    dialog.SetMaximum(100000);
    dialog.SetPosition(0);
    EXPECT_EQ(BarPosition(dialog), 0);
    // Halfway through almost four gibibytes stays halfway instead of turning negative.
    dialog.SetMaximum(0xFFFFFFF0u);
    dialog.SetPosition(0x7FFFFFF8u);
    PBRANGE range = {};
    SendMessageA(dialog.Bar()->Control(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    ASSERT_GT(range.iHigh, 0);
    EXPECT_NEAR(BarPosition(dialog), range.iHigh / 2, 1);
}
