// The folder chooser over the platform's save dialog, driven from a second thread, and the
// folder it opens in. Confirming and cancelling it are tested on the install page.
#include "ui/CFolderChooser.h"
#include "ui/CParentFolderChoice.h"

#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH] = {}, full[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    GetFullPathNameA((std::string(temp) + name).c_str(), sizeof(full), full, nullptr);
    CreateDirectoryA(full, nullptr);
    return full;
}

HWND WaitForChooser()
{
    return uidriver::WaitForVisibleWindow("#32770", nullptr);
}

} // namespace

TEST(CParentFolderChoice, TheChooserOpensInTheFolderAboveTheParentFolderWhenThatExists)
{
    const std::string base = TempFolder("choice-initial");
    EXPECT_EQ(lstrcmpiA(CParentFolderChoice::InitialFolder((base + "\\Programs").c_str()).Text(), base.c_str()), 0);
    EXPECT_TRUE(CParentFolderChoice::InitialFolder((base + "\\missing\\Programs").c_str()).IsEmpty());
    EXPECT_STREQ(CParentFolderChoice::InitialFolder("C:\\Program Files").Text(), "C:\\");
    EXPECT_TRUE(CParentFolderChoice::InitialFolder("").IsEmpty());
}

TEST(CFolderChooser, APlaceThatIsNoFolderCannotBeConfirmed)
{
    CFolderChooser chooser(nullptr);
    chooser.SetInitialFolder(TempFolder("chooser-virtual").c_str());
    bool stayedOpen = false, reachedVirtual = false, handled = false;
    uidriver::QueueMarker marker;
    uidriver::DriverThread driver([&] {
        HWND dialog = WaitForChooser();
        if (!dialog)
            return;
        // Up, folder by folder, past the drive root to the computer itself, which is no
        // file-system folder. Some platforms report an error for its path, others a parsing
        // name such as "::{...}" that is no path at all.
        for (int i = 0; i < 12 && !reachedVirtual; ++i) {
            SendMessageA(dialog, WM_COMMAND, 0xA001, 0); // up one level
            marker.WaitUntilHandled();
            char path[MAX_PATH] = {};
            const LRESULT length = SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof(path), LPARAM(path));
            reachedVirtual = length < 0 || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
        }
        uidriver::Click(GetDlgItem(dialog, IDOK));
        handled = marker.WaitUntilHandled();
        HWND active = GetForegroundWindow();
        if (active != dialog && GetWindow(active, GW_OWNER) == dialog) // a message box of the dialog
            uidriver::Click(GetDlgItem(active, IDOK));
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        uidriver::Click(GetDlgItem(dialog, IDCANCEL));
    });
    EXPECT_FALSE(chooser.Run());
    EXPECT_TRUE(reachedVirtual);
    ASSERT_TRUE(handled) << "the dialog did not handle the click";
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(chooser.Result().IsEmpty());
}
