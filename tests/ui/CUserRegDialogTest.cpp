// The user registration dialog: the Setup rule while typing, the ways out, and the Tab order
// that holds only the name field.
#include "ui/CUserRegDialog.h"

#include "framework/LEditText.h"
#include "framework/LPushButton.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CAppIcon.h"

#include <atomic>
#include <functional>
#include <string>

namespace {

const char* const kDialogClass = "LDIALOGDEFDATA";

class CUserRegDialogTest : public UiFixture {
protected:
    // Runs the dialog with `name` filled in while the driver does `script` to its window; the
    // dialog's result.
    int32_t RunDriven(const char* name, const std::function<void(HWND)>& script, std::string* nameAfter = nullptr)
    {
        CUserRegDialog dialog(nullptr, &app);
        dialog.SetText("Please enter your name. It is written into the registration of the programs installed.");
        dialog.SetIcon(CAppIcon::Get());
        dialog.SetName(name);
        dialog.Layout();
        bool found = false;
        bool ended = false;
        std::atomic<bool> returned{false};
        int32_t result = -1;
        {
            uidriver::DriverThread driver([&] {
                HWND window = uidriver::WaitForVisibleWindow(kDialogClass, nullptr);
                found = window != nullptr;
                if (found) {
                    script(window);
                    ended = uidriver::EndedOrClosed(window, returned);
                }
            });
            result = dialog.Run();
            returned = true;
        }
        EXPECT_TRUE(found);
        EXPECT_TRUE(ended) << "the dialog did not end by the driver's answer";
        if (nameAfter)
            *nameAfter = dialog.Name().Text();
        return result;
    }

    // After the posted input has been handled: the dialog's answer to it is complete.
    void Handled()
    {
        EXPECT_TRUE(marker.WaitUntilHandled()) << "the dialog did not handle the driver's input";
    }

    static HWND Setup(HWND window) { return uidriver::FindChild(window, "Button", "Setup"); }
    static HWND Cancel(HWND window) { return uidriver::FindChild(window, "Button", "Cancel"); }
    static HWND NameField(HWND window) { return uidriver::FindChild(window, "Edit", nullptr); }

    // Whether Setup is enabled once the typed characters have been handled.
    bool SetupEnabledAfter(HWND window, const char* typed)
    {
        uidriver::Type(NameField(window), typed);
        Handled();
        return IsWindowEnabled(Setup(window)) != FALSE;
    }

    uidriver::QueueMarker marker;
};

} // namespace

TEST_F(CUserRegDialogTest, SetupWaitsForALetterAndLosesItWithTheLastLetter)
{
    bool atStart = true, afterSigns = true, afterLetter = false, afterDelete = true;
    EXPECT_EQ(RunDriven("", [&](HWND w) {
        atStart = IsWindowEnabled(Setup(w)) != FALSE;
        afterSigns = SetupEnabledAfter(w, "12 3,.-");
        afterLetter = SetupEnabledAfter(w, "x");
        afterDelete = SetupEnabledAfter(w, "\b");
        uidriver::Click(Cancel(w));
    }), CUserRegDialog::kCancel);
    EXPECT_FALSE(atStart);
    EXPECT_FALSE(afterSigns);
    EXPECT_TRUE(afterLetter);
    EXPECT_FALSE(afterDelete);
}

TEST_F(CUserRegDialogTest, APrefilledNameEnablesSetupWhichGivesTheNameAsTyped)
{
    bool enabled = false;
    std::string name;
    EXPECT_EQ(RunDriven("2nd Owner", [&](HWND w) {
        enabled = IsWindowEnabled(Setup(w)) != FALSE;
        uidriver::Click(Setup(w));
    }, &name), CUserRegDialog::kSetup);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(name, "2nd Owner");

    EXPECT_EQ(RunDriven("", [&](HWND w) {
        uidriver::Type(NameField(w), "Ann-Marie O'Neil");
        Handled();
        uidriver::Click(Setup(w));
    }, &name), CUserRegDialog::kSetup);
    EXPECT_EQ(name, "Ann-Marie O'Neil");
}

TEST_F(CUserRegDialogTest, EscapeAndTheCloseBoxCancelAndEnterChoosesNothing)
{
    EXPECT_EQ(RunDriven("Owner", [](HWND w) { uidriver::PressKey(w, VK_ESCAPE); }), CUserRegDialog::kCancel);
    EXPECT_EQ(RunDriven("Owner", [](HWND w) { uidriver::CloseBox(w); }), CUserRegDialog::kCancel);

    bool stillOpen = false;
    EXPECT_EQ(RunDriven("Owner", [&](HWND w) {
        uidriver::PressKey(w, VK_RETURN);
        Handled();
        stillOpen = IsWindowVisible(w) != FALSE;
        uidriver::Click(Cancel(w));
    }), CUserRegDialog::kCancel);
    EXPECT_TRUE(stillOpen);
}

TEST_F(CUserRegDialogTest, TabKeepsTheFocusInTheNameField)
{
    bool startsInName = false, staysInName = false, staysAfterSecondTab = false;
    RunDriven("Owner", [&](HWND w) {
        HWND edit = NameField(w);
        startsInName = uidriver::WaitUntil([&] { return uidriver::FocusOf(w) == edit; }, 2000);
        uidriver::PressKey(w, VK_TAB);
        Handled();
        staysInName = uidriver::FocusOf(w) == edit;
        uidriver::PressKey(w, VK_TAB);
        Handled();
        staysAfterSecondTab = uidriver::FocusOf(w) == edit;
        uidriver::Click(Cancel(w));
    });
    EXPECT_TRUE(startsInName);
    EXPECT_TRUE(staysInName);
    EXPECT_TRUE(staysAfterSecondTab);
}

TEST_F(CUserRegDialogTest, ShowsItsTextsInTheUsersLanguage)
{
    EXPECT_EQ(RunDriven("Registered Owner", [](HWND w) {
        ExpectTextsOf(w, "USERREG", {1, 2}, "user-registration");
        uidriver::PressKey(w, VK_ESCAPE);
    }), CUserRegDialog::kCancel);
}
