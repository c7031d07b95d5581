// The progress dialog: its wait step, the ways to stop, its range and the states the file
// installation puts it in.
#include "ui/CSimpleProgressDialog.h"

#include "framework/LProgressBar.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CAppIcon.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>

namespace {

const char* const kDialogClass = "LDIALOGDEFDATA";

class CSimpleProgressDialogTest : public UiFixture {
protected:
    // Steps the dialog until it reports a stop (or the limit passes) while the driver does
    // `action` to its window; the number of the step that stopped, or 0.
    int StepsUntilStopped(CSimpleProgressDialog& dialog, const std::function<void(HWND)>& action,
                          DWORD limitMs = 5000)
    {
        int stoppedAt = 0;
        std::atomic<bool> stopped{false};
        std::atomic<bool> driverDone{false};
        {
            uidriver::DriverThread driver([&] {
                HWND window = uidriver::WaitForVisibleWindow(kDialogClass, nullptr);
                // A key posted while the window is still taking the focus goes elsewhere; the
                // user would press it again, and so does the driver until the dialog stops.
                for (int attempt = 0; window && attempt < 8 && !stopped; ++attempt) {
                    action(window);
                    uidriver::WaitUntil([&stopped] { return stopped.load(); }, 500);
                }
                driverDone = true;
            });
            const DWORD start = GetTickCount();
            for (int step = 1; GetTickCount() - start < limitMs; ++step) {
                if (dialog.WaitStep()) {
                    stoppedAt = step;
                    break;
                }
                Sleep(2);
            }
            stopped = true;
            // The driver may be inside a sent message to this thread: keep handling them.
            while (!driverDone) {
                dialog.WaitStep();
                Sleep(2);
            }
        }
        return stoppedAt;
    }

    RECT WindowRect(CSimpleProgressDialog& dialog)
    {
        RECT rect = {};
        GetWindowRect(dialog.Window()->Handle(), &rect);
        return rect;
    }
};

HWND StopButtonOf(HWND window) { return uidriver::FindChild(window, "Button", nullptr); }

} // namespace

TEST_F(CSimpleProgressDialogTest, IsShownByTheFirstWaitStepAndAnEmptyQueueDoesNotHoldItUp)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    EXPECT_FALSE(dialog.IsVisible());
    // The long measuring line is gone again before anything is shown.
    EXPECT_STREQ(dialog.MessagePane()->Text().Text(), "");
    Pump();
    // Many steps in a row return although nothing is waiting in the queue.
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(dialog.WaitStepResult(), 0);
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(CSimpleProgressDialogTest, AClickOnStopEnterEscapeAndTheCloseBoxAllStop)
{
    const std::function<void(HWND)> ways[] = {
        [](HWND w) { uidriver::Click(StopButtonOf(w)); },
        [](HWND w) { uidriver::PressKey(w, VK_RETURN); },
        [](HWND w) { uidriver::PressKey(w, VK_ESCAPE); },
        [](HWND w) { uidriver::CloseBox(w); },
    };
    int way = 0;
    for (const auto& action : ways) {
        CSimpleProgressDialog dialog(&app, nullptr);
        EXPECT_GT(StepsUntilStopped(dialog, action), 0) << "way " << way;
        // Once stopped, every later step says so as well.
        EXPECT_TRUE(dialog.WaitStep());
        ++way;
        Pump();
    }
}

TEST_F(CSimpleProgressDialogTest, OnceTheFilesAreWrittenNeitherStopNorTheCloseBoxStops)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.BeginFiles(1000, false);
    dialog.EndFiles();
    EXPECT_FALSE(dialog.StopButton()->Has(LPane::kEnabled));
    uidriver::QueueMarker marker;
    std::atomic<bool> driverDone{false};
    bool handled = false;
    bool stopped = false;
    {
        uidriver::DriverThread driver([&] {
            HWND window = uidriver::WaitForVisibleWindow(kDialogClass, nullptr);
            if (window) {
                uidriver::CloseBox(window);
                uidriver::PressKey(window, VK_ESCAPE);
                uidriver::Click(StopButtonOf(window));
                handled = marker.WaitUntilHandled();
            }
            driverDone = true;
        });
        while (!driverDone) {
            stopped = dialog.WaitStep() || stopped;
            Sleep(2);
        }
    }
    ASSERT_TRUE(handled) << "the dialog did not handle the driver's input";
    EXPECT_FALSE(stopped);
}

TEST_F(CSimpleProgressDialogTest, TheFilePhaseRelabelsStopAndTheUndoingHidesTheBar)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.BeginFiles(5000, false);
    EXPECT_STREQ(dialog.StopButton()->Text().Text(), "Cancel");
    EXPECT_STREQ(dialog.MessagePane()->Text().Text(), "Installing files...");
    EXPECT_EQ(dialog.Bar()->Maximum(), 5000);
    dialog.SetPosition(2000);
    dialog.WaitStepResult();
    testsupport::SaveScreenshot("progress-installing", dialog.Window()->Handle());
    dialog.ShowCanceling();
    EXPECT_STREQ(dialog.MessagePane()->Text().Text(), "Canceling installation...");
    EXPECT_FALSE(IsWindowVisible(dialog.Bar()->Control()));
    testsupport::SaveScreenshot("progress-canceling", dialog.Window()->Handle());

    CSimpleProgressDialog removal(&app, nullptr);
    removal.BeginFiles(10, true);
    EXPECT_STREQ(removal.MessagePane()->Text().Text(), "Uninstalling files...");
}

TEST_F(CSimpleProgressDialogTest, APackageOfAlmostFourGibibytesStaysInProportionOnTheControl)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    // Halfway stays halfway instead of turning negative.
    dialog.SetMaximum(0xFFFFFFF0u);
    dialog.SetPosition(0x7FFFFFF8u);
    PBRANGE range = {};
    SendMessageA(dialog.Bar()->Control(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const LRESULT position = SendMessageA(dialog.Bar()->Control(), PBM_GETPOS, 0, 0);
    ASSERT_GT(range.iHigh, 0);
    EXPECT_GE(position, range.iHigh / 2 - 1);
    EXPECT_LE(position, range.iHigh / 2 + 1);
}

TEST_F(CSimpleProgressDialogTest, OnlyPositionsThatChangeTheFilledWidthReachTheBar)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.SetMaximum(100000);
    const int width = dialog.Bar()->Width();
    ASSERT_GT(width, 10);
    HWND bar = dialog.Bar()->Control();
    dialog.SetPosition(50000);
    const LRESULT half = SendMessageA(bar, PBM_GETPOS, 0, 0);
    // Less than one pixel further: the bar would look the same, so it is left alone.
    dialog.SetPosition(50000 + 100000 / width / 2);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), half);
    // A pixel or more further moves it.
    dialog.SetPosition(50000 + 2 * 100000 / width);
    EXPECT_GT(SendMessageA(bar, PBM_GETPOS, 0, 0), half);
    // The end is always shown, and a new range starts afresh.
    dialog.SetPosition(100000);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 25000);
    dialog.SetMaximum(100000);
    dialog.SetPosition(0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
}

TEST_F(CSimpleProgressDialogTest, AMessageSetBeforeTheFirstShowDecidesTheSizeLaterOnesDoNot)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.SetMessage("short");
    const RECT small = WindowRect(dialog);
    dialog.SetMessage("A message that is clearly longer than twenty widths of the letter M on one line");
    const RECT wide = WindowRect(dialog);
    EXPECT_GT(wide.right - wide.left, small.right - small.left);
    dialog.WaitStepResult();
    ASSERT_TRUE(dialog.IsVisible());
    dialog.SetMessage("short");
    const RECT later = WindowRect(dialog);
    EXPECT_EQ(later.right - later.left, wide.right - wide.left);
    EXPECT_EQ(later.bottom - later.top, wide.bottom - wide.top);
}

TEST_F(CSimpleProgressDialogTest, ShowsItsTextsInTheUsersLanguage)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    dialog.SetMaximum(100);
    dialog.SetPosition(40);
    dialog.WaitStepResult();
    ASSERT_TRUE(dialog.IsVisible());
    ExpectTextsOf(dialog.Window()->Handle(), "CSIMPLEPROGRESSDIALOG", {1}, "progress");
}
