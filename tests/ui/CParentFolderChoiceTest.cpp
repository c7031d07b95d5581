// Changing the destination parent folder through the chooser, driven from a second thread.
#include "ui/CParentFolderChoice.h"

#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    char full[MAX_PATH] = {};
    GetFullPathNameA((std::string(temp) + name).c_str(), sizeof(full), full, nullptr);
    CreateDirectoryA(full, nullptr);
    return full;
}

void AnswerChooser(int button)
{
    HWND dialog = uidriver::WaitForVisibleWindow("#32770", nullptr);
    if (dialog)
        uidriver::Click(GetDlgItem(dialog, button));
}

} // namespace

TEST(CParentFolderChoice, TheChooserOpensAboveTheCurrentParentFolder)
{
    std::string base = TempFolder("choice-initial");
    EXPECT_EQ(lstrcmpiA(CParentFolderChoice::InitialFolder((base + "\\Programs").c_str()).Text(), base.c_str()), 0);
    // The parent folder itself need not exist, the folder above it must.
    EXPECT_TRUE(CParentFolderChoice::InitialFolder((base + "\\missing\\Programs").c_str()).IsEmpty());
    EXPECT_STREQ(CParentFolderChoice::InitialFolder("C:\\Program Files").Text(), "C:\\");
    EXPECT_TRUE(CParentFolderChoice::InitialFolder("").IsEmpty());
}

TEST(CParentFolderChoice, ConfirmingWithoutMovingMakesTheInitialFolderTheNewParent)
{
    std::string base = TempFolder("choice-confirm");
    LString parent = (base + "\\Programs").c_str();
    bool changed;
    {
        uidriver::DriverThread driver([] { AnswerChooser(IDOK); });
        changed = CParentFolderChoice::Choose(nullptr, "", parent);
    }
    EXPECT_TRUE(changed);
    EXPECT_EQ(lstrcmpiA(parent.Text(), base.c_str()), 0) << parent.Text();
}

TEST(CParentFolderChoice, CancellingKeepsTheParentFolder)
{
    std::string base = TempFolder("choice-cancel");
    LString parent = (base + "\\Programs").c_str();
    bool changed;
    {
        uidriver::DriverThread driver([] { AnswerChooser(IDCANCEL); });
        changed = CParentFolderChoice::Choose(nullptr, "", parent);
    }
    EXPECT_FALSE(changed);
    EXPECT_EQ(parent, LString((base + "\\Programs").c_str()));
}
