// The folder chooser over the platform's save dialog, driven from a second thread.
#include "ui/CFolderChooser.h"

#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string MakeFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    char full[MAX_PATH] = {};
    GetFullPathNameA((std::string(temp) + name).c_str(), sizeof(full), full, nullptr);
    CreateDirectoryA(full, nullptr);
    return full;
}

HWND WaitForChooser()
{
    return uidriver::WaitForVisibleWindow("#32770", nullptr);
}

} // namespace

TEST(CFolderChooser, ConfirmingTakesTheFolderTheDialogShows)
{
    std::string folder = MakeFolder("chooser-confirm");
    CFolderChooser chooser(nullptr);
    chooser.SetTitle("Choose");
    chooser.SetInitialFolder(folder.c_str());

    bool nameBoxHidden = false, typeBoxHidden = false, found = false;
    uidriver::QueueMarker marker;
    uidriver::DriverThread driver([&] {
        HWND dialog = WaitForChooser();
        found = dialog != nullptr;
        if (!dialog)
            return;
        uidriver::WaitUntil([&] { return uidriver::WindowText(dialog) == "Choose"; }, 3000);
        marker.WaitUntilHandled(); // the folder view has filled
        HWND name = GetDlgItem(dialog, 0x47C) ? GetDlgItem(dialog, 0x47C) : GetDlgItem(dialog, 0x480);
        nameBoxHidden = name && !IsWindowVisible(name);
        HWND type = GetDlgItem(dialog, 0x470);
        typeBoxHidden = type && !IsWindowVisible(type);
        testsupport::SaveScreenshot("folder-chooser", dialog);
        uidriver::Click(GetDlgItem(dialog, IDOK));
    });
    bool confirmed = chooser.Run();

    ASSERT_TRUE(found);
    EXPECT_TRUE(nameBoxHidden);
    EXPECT_TRUE(typeBoxHidden);
    ASSERT_TRUE(confirmed);
    EXPECT_TRUE(chooser.Confirmed());
    EXPECT_EQ(lstrcmpiA(chooser.Result().Text(), folder.c_str()), 0) << chooser.Result().Text();
}

TEST(CFolderChooser, CancellingLeavesNoResult)
{
    std::string folder = MakeFolder("chooser-cancel");
    CFolderChooser chooser(nullptr);
    chooser.SetInitialFolder(folder.c_str());
    uidriver::DriverThread driver([&] {
        HWND dialog = WaitForChooser();
        if (dialog)
            uidriver::Click(GetDlgItem(dialog, IDCANCEL));
    });
    EXPECT_FALSE(chooser.Run());
    EXPECT_FALSE(chooser.Confirmed());
    EXPECT_TRUE(chooser.Result().IsEmpty());
}

TEST(CFolderChooser, EscapeCancelsAndASecondRunStartsAfresh)
{
    std::string folder = MakeFolder("chooser-again");
    CFolderChooser chooser(nullptr);
    chooser.SetInitialFolder(folder.c_str());
    {
        uidriver::DriverThread driver([&] {
            HWND dialog = WaitForChooser();
            if (dialog)
                uidriver::Click(GetDlgItem(dialog, IDOK));
        });
        ASSERT_TRUE(chooser.Run());
    }
    {
        uidriver::DriverThread driver([&] {
            if (HWND dialog = WaitForChooser())
                uidriver::PressKey(dialog, VK_ESCAPE);
        });
        EXPECT_FALSE(chooser.Run());
    }
    EXPECT_TRUE(chooser.Result().IsEmpty());
}

TEST(CFolderChooser, APlaceThatIsNoFolderCannotBeConfirmed)
{
    std::string folder = MakeFolder("chooser-virtual");
    CFolderChooser chooser(nullptr);
    chooser.SetInitialFolder(folder.c_str());
    bool stayedOpen = false, reachedVirtual = false, handled = false;
    uidriver::QueueMarker marker;
    uidriver::DriverThread driver([&] {
        HWND dialog = WaitForChooser();
        if (!dialog)
            return;
        // Up, folder by folder, past the drive root to the computer itself, which is no
        // file-system folder.
        const WPARAM upOneLevel = 0xA001;
        for (int i = 0; i < 12 && !reachedVirtual; ++i) {
            SendMessageA(dialog, WM_COMMAND, upOneLevel, 0);
            marker.WaitUntilHandled();
            char path[MAX_PATH] = {};
            // Some platforms report an error here, others a parsing name such as
            // "::{...}" that is no path at all.
            LRESULT length = SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof(path), LPARAM(path));
            DWORD attributes = GetFileAttributesA(path);
            reachedVirtual = length < 0 || attributes == INVALID_FILE_ATTRIBUTES;
        }
        uidriver::Click(GetDlgItem(dialog, IDOK));
        handled = marker.WaitUntilHandled();
        HWND active = GetForegroundWindow();
        // A message box of the dialog, if any, is answered first.
        if (active != dialog && GetWindow(active, GW_OWNER) == dialog)
            uidriver::Click(GetDlgItem(active, IDOK));
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        testsupport::SaveScreenshot("chooser-refused", dialog);
        uidriver::Click(GetDlgItem(dialog, IDCANCEL));
    });
    bool confirmed = chooser.Run();
    EXPECT_TRUE(reachedVirtual);
    ASSERT_TRUE(handled) << "the dialog did not handle the click";
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(chooser.Result().IsEmpty());
}
