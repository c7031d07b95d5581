// The user registration dialog: the Setup rule while typing, the name it gives, Enter that
// chooses nothing, and the Tab order that holds only the name field.
#include "ui/CUserRegDialog.h"

#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"

#include <functional>
#include <string>

namespace {

class CUserRegDialogTest : public UiFixture {
protected:
    // Runs the dialog with `name` filled in while the driver does `script` once to its window;
    // the dialog's result.
    int RunDriven(const char* name, const std::function<void(HWND)>& script)
    {
        const auto run = [&] {
            CUserRegDialog dialog(nullptr, &app);
            dialog.SetName(name);
            dialog.Layout();
            const int result = dialog.Run();
            nameAfter = dialog.Name().Text();
            return result;
        };
        return Driven(run, script, 1);
    }
    // Whether Setup is enabled once the typed characters have been handled.
    bool SetupEnabledAfter(HWND window, const char* typed)
    {
        uidriver::Type(NameField(window), typed);
        Handled();
        return IsWindowEnabled(Setup(window)) != FALSE;
    }
    // Proves that the dialog has handled what was posted to it so far.
    void Handled() { EXPECT_TRUE(marker.WaitUntilHandled()) << "the dialog did not handle the driver's input"; }
    static HWND Setup(HWND window) { return uidriver::FindChild(window, "Button", "Setup"); }
    static HWND Cancel(HWND window) { return uidriver::FindChild(window, "Button", "Cancel"); }
    static HWND NameField(HWND window) { return uidriver::FindChild(window, "Edit", nullptr); }

    uidriver::QueueMarker marker;
    std::string nameAfter;
};

} // namespace

TEST_F(CUserRegDialogTest, SetupWaitsForALetterLosesItWithTheLastLetterAndGivesTheNameAsTyped)
{
    bool atStart = true, afterSigns = true, afterLetter = false, afterDelete = true, again = false;
    EXPECT_EQ(RunDriven("", [&](HWND w) {
        atStart = IsWindowEnabled(Setup(w)) != FALSE;
        afterSigns = SetupEnabledAfter(w, "12 3,.-");
        afterLetter = SetupEnabledAfter(w, "x");
        afterDelete = SetupEnabledAfter(w, "\b");
        again = SetupEnabledAfter(w, "\b\b\b\b\b\b\bAnn-Marie O'Neil");
        uidriver::Click(Setup(w));
    }), CUserRegDialog::kSetup);
    EXPECT_FALSE(atStart);
    EXPECT_FALSE(afterSigns);
    EXPECT_TRUE(afterLetter);
    EXPECT_FALSE(afterDelete);
    EXPECT_TRUE(again);
    EXPECT_EQ(nameAfter, "Ann-Marie O'Neil");
}

TEST_F(CUserRegDialogTest, EnterChoosesNothingAndTabKeepsTheFocusInTheNameField)
{
    bool startsInName = false, stillOpen = false, staysInName = false;
    EXPECT_EQ(RunDriven("Owner", [&](HWND w) {
        HWND edit = NameField(w);
        startsInName = uidriver::WaitUntil([&] { return uidriver::FocusOf(w) == edit; }, 2000);
        uidriver::PressKey(w, VK_RETURN);
        uidriver::PressKey(w, VK_TAB);
        uidriver::PressKey(w, VK_TAB);
        Handled();
        stillOpen = IsWindowVisible(w) != FALSE;
        staysInName = uidriver::FocusOf(w) == edit;
        uidriver::Click(Cancel(w));
    }), CUserRegDialog::kCancel);
    EXPECT_TRUE(startsInName);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(staysInName);
}
