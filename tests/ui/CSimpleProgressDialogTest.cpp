// The progress dialog: its wait step, its states during the file installation and its range.
#include "ui/CSimpleProgressDialog.h"

#include "framework/LProgressBar.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"

#include <commctrl.h>

#include <atomic>

namespace {

class CSimpleProgressDialogTest : public UiFixture {
protected:
    LRESULT BarPosition(CSimpleProgressDialog& dialog)
    {
        return SendMessageA(dialog.Bar()->Control(), PBM_GETPOS, 0, 0);
    }
};

} // namespace

TEST_F(CSimpleProgressDialogTest, IsShownByTheFirstWaitStepAndAnEmptyQueueDoesNotHoldItUp)
{
    CSimpleProgressDialog dialog(&app, nullptr);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_STREQ(dialog.MessagePane()->Text().Text(), ""); // the measuring line is gone again
    Pump();
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(dialog.WaitStepResult(), 0);
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(CSimpleProgressDialogTest, OnceTheFilesAreWrittenNeitherStopNorTheCloseBoxStops)
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
    for (DWORD start = GetTickCount(); !driverDone && GetTickCount() - start < 20000; Sleep(2))
        stopped = dialog.WaitStep() || stopped;
    ASSERT_TRUE(handled) << "the dialog did not handle the driver's input";
    EXPECT_FALSE(stopped);
    EXPECT_FALSE(IsWindowEnabled(dialog.StopButton()->Control()));
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
    EXPECT_FALSE(testsupport::SaveScreenshot("progress-installing", dialog.Window()->Handle()).empty());
    dialog.ShowCanceling();
    EXPECT_STREQ(dialog.MessagePane()->Text().Text(), "Canceling installation...");
    EXPECT_FALSE(IsWindowVisible(dialog.Bar()->Control()));
    EXPECT_FALSE(testsupport::SaveScreenshot("progress-canceling", dialog.Window()->Handle()).empty());
    CSimpleProgressDialog removal(&app, nullptr);
    removal.BeginFiles(10, true);
    EXPECT_STREQ(removal.MessagePane()->Text().Text(), "Uninstalling files...");
}

TEST_F(CSimpleProgressDialogTest, TheEndIsShownANewRangeStartsAfreshAndFourGibibytesStayInProportion)
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
