// The About box and the start-up notice.
#include "ui/CAboutBox.h"

#include "framework/LWindow.h"
#include "framework/LThreadWindows.h"
#include "resources/LStrList.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CStartupNotice.h"

#include <atomic>
#include <functional>
#include <string>

namespace {

const char* const kDialogClass = "LDIALOGDEFDATA";

class CAboutBoxTest : public UiFixture {
protected:
    // Runs a box while the driver does `action` to it; whether the driver found it.
    bool RunDriven(const std::function<void(HWND)>& action)
    {
        CAboutBox box(&app, nullptr);
        bool found = false;
        bool ended = false;
        std::atomic<bool> returned{false};
        {
            uidriver::DriverThread driver([&] {
                HWND window = uidriver::WaitForVisibleWindow(kDialogClass, nullptr);
                found = window != nullptr;
                if (found)
                    ended = uidriver::AnsweredUntilEnded(window, returned, action);
            });
            box.Run();
            returned = true;
        }
        EXPECT_TRUE(ended) << "the box did not end by the driver's answer";
        return found;
    }
};

} // namespace

TEST_F(CAboutBoxTest, OkEnterEscapeAndTheCloseBoxAllEndIt)
{
    EXPECT_TRUE(RunDriven([](HWND w) { uidriver::Click(uidriver::FindChild(w, "Button", nullptr)); }));
    EXPECT_TRUE(RunDriven([](HWND w) { uidriver::PressKey(w, VK_RETURN); }));
    EXPECT_TRUE(RunDriven([](HWND w) { uidriver::PressKey(w, VK_ESCAPE); }));
    EXPECT_TRUE(RunDriven([](HWND w) { uidriver::CloseBox(w); }));
}

TEST_F(CAboutBoxTest, StartupNoticeIsCentredWithoutBarOrButton)
{
    LStrList texts("INSTWIN", LStrList::kStrings);
    CStartupNotice notice(&app, nullptr, texts.Get(0).Text());
    CSimpleProgressDialog& dialog = notice.Dialog();
    HWND handle = dialog.Window()->Handle();
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_EQ(uidriver::WindowText(handle), "Installer");
    EXPECT_FALSE(IsWindowVisible(uidriver::FindChild(handle, "Button", nullptr)));
    RECT outer = {};
    GetWindowRect(handle, &outer);
    const RECT area = LThreadWindows::WorkArea();
    EXPECT_NEAR((outer.left + outer.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (area.top + area.bottom) / 2, 1);
    Pump();
    testsupport::SaveScreenshot("startup-notice", handle);
}

TEST_F(CAboutBoxTest, ShowsItsTextsInTheUsersLanguage)
{
    EXPECT_TRUE(RunDriven([](HWND w) {
        ExpectTextsOf(w, "ABOUT", {1}, "about-box");
        uidriver::PressKey(w, VK_ESCAPE);
    }));
}
