// The installer run's user interface as the run and the procedures use it: through
// CInstallerWindow and CProcedureDialogs only.
#include "ui/CInstallerUi.h"

#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CHowdyPage.h"
#include "ui/CInstWin.h"
#include "ui/CSimpleProgressDialog.h"

#include <functional>
#include <memory>
#include <string>

namespace {

const char* const kDialogClass = "LDIALOGDEFDATA";

struct Installer : LHandler {
    explicit Installer(LHandler* next) : LHandler(next) {}
    LMessage Handle(const LMessage& m) override
    {
        if (m.Is("CInstWin_Install")) {
            ++installs;
            from = m.param;
            return Consumed();
        }
        return LHandler::Handle(m);
    }
    int installs = 0;
    LHandler* from = nullptr;
};

class CInstallerUiTest : public UiFixture {
protected:
    void SetUp() override
    {
        ui.reset(static_cast<CInstallerUi*>(CInstallerUi::Make(&installer)));
        ASSERT_NE(ui, nullptr);
        ui->SetTitle("Sample Setup");
        ui->SetInstallTexts("Sample", "Installs the sample.");
        ui->SetParentFolder("C:\\Program Files");
        ui->SetRequirement(3, 1000);
        ui->Layout();
        ui->ShowInstallPage();
        ui->Show();
        Pump();
    }
    // Does `action` to the first dialog that shows up while `call` runs on this thread, and
    // again while the dialog stays: a key that arrives while the dialog is still taking the
    // focus goes nowhere, and the user would press it again.
    template <class Call>
    auto Answered(const std::function<void(HWND)>& action, Call call)
    {
        uidriver::DriverThread driver([&] {
            HWND dialog = uidriver::WaitForVisibleWindow(kDialogClass, nullptr);
            for (int attempt = 0; dialog && attempt < 8; ++attempt) {
                action(dialog);
                if (uidriver::WaitUntil([dialog] { return !IsWindowVisible(dialog); }, 1000))
                    break;
            }
        });
        return call();
    }

    Installer installer{&app};
    std::unique_ptr<CInstallerUi> ui;
};

} // namespace

TEST_F(CInstallerUiTest, TheWindowsInstallButtonReachesTheInstallerFromTheHandler)
{
    ClickWhilePumping(ui->Window()->InstallPage()->InstallButton()->Control());
    EXPECT_EQ(installer.installs, 1);
    EXPECT_EQ(installer.from, ui->Handler());
    EXPECT_EQ(ui->ParentFolder(), LString("C:\\Program Files"));
}

TEST_F(CInstallerUiTest, QuestionsNoticesAndTheRegistrationAnswerAsTheUserDid)
{
    EXPECT_TRUE(Answered([](HWND w) { uidriver::PressKey(w, VK_RETURN); }, [&] { return ui->Ask("Go on?"); }));
    EXPECT_FALSE(Answered([](HWND w) { uidriver::PressKey(w, VK_ESCAPE); }, [&] { return ui->Ask("Go on?"); }));
    bool noticeSeen = false;
    Answered([&](HWND w) { noticeSeen = true; uidriver::CloseBox(w); }, [&] { ui->Notice("Done."); return 0; });
    EXPECT_TRUE(noticeSeen);

    LString name;
    EXPECT_TRUE(Answered([](HWND w) { uidriver::Click(uidriver::FindChild(w, "Button", "Setup")); },
                         [&] { return ui->RegisterUser("Your name, please.", "Owner", name); }));
    EXPECT_EQ(name, LString("Owner"));
    EXPECT_FALSE(Answered([](HWND w) { uidriver::PressKey(w, VK_ESCAPE); },
                          [&] { return ui->RegisterUser("Your name, please.", "Owner", name); }));
}

TEST_F(CInstallerUiTest, AProgressWithoutStopLabelHasNoStopButton)
{
    CProcedureProgress* progress = ui->OpenProgress("Uninstalling files...", 500, LString());
    ASSERT_NE(progress, nullptr);
    progress->SetPosition(100);
    EXPECT_FALSE(progress->WaitStep());
    EXPECT_FALSE(IsWindowVisible(ui->Progress()->StopButton()->Control()));
    ui->CloseProgress();

    progress = ui->OpenProgress("Installing files...", 500, "Cancel");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->WaitStep());
    EXPECT_STREQ(ui->Progress()->StopButton()->Text().Text(), "Cancel");
    EXPECT_TRUE(IsWindowVisible(ui->Progress()->StopButton()->Control()));
    progress->DisableStop();
    EXPECT_FALSE(IsWindowEnabled(ui->Progress()->StopButton()->Control()));
    progress->HideBar();
    progress->SetMessage("Canceling installation...");
    EXPECT_STREQ(ui->Progress()->MessagePane()->Text().Text(), "Canceling installation...");
    ui->CloseProgress();
}

TEST_F(CInstallerUiTest, TheStartupNoticeComesAndGoes)
{
    ui->ShowStartupNotice("Starting up Installer...");
    EXPECT_NE(uidriver::WaitForVisibleWindow(kDialogClass, "Installer", 2000), nullptr);
    ui->CloseStartupNotice();
    Pump();
    EXPECT_EQ(FindWindowA(kDialogClass, "Installer"), nullptr);
}
