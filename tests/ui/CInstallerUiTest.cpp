// The installer window with its two pages and the target folder frame, and the dialogs of the
// installer run, through CInstallerUi as the run and the procedures use them; worked through
// window messages.
#include "ui/CInstallerUi.h"

#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "resources/LStrList.h"
#include "tests/platform/ScratchFolder.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CHowdyPage.h"
#include "ui/CInstWin.h"
#include "ui/CParentFolderChoice.h"
#include "ui/CSimpleProgressDialog.h"
#include "ui/CTargetFrame.h"
#include "ui/CUninsPage.h"

#include <commdlg.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The installer: records the window's own messages with their params, passes the rest on.
struct Installer : LHandler {
    explicit Installer(LHandler* next) : LHandler(next) {}
    LMessage Handle(const LMessage& m) override
    {
        if (!m.Is(CInstWin_Install) && !m.Is(CInstWin_Uninstall))
            return LHandler::Handle(m);
        seen.push_back(std::string(m.name) + (m.param == from ? "" : " from another"));
        return Consumed();
    }
    std::vector<std::string> seen;
    LHandler* from = nullptr;
};

class CInstallerUiTest : public UiFixture {
protected:
    void SetUp() override
    {
        ui.reset(static_cast<CInstallerUi*>(CInstallerUi::Make(&installer)));
        ASSERT_NE(ui, nullptr);
        installer.from = ui->Handler();
        ui->SetTitle("Sample Product Setup");
        ui->SetInstallTexts("Sample Product 2.0",
                            "Sample Product is installed into the folder shown below. "
                            "Press Install to begin; you can choose another folder first.");
        ui->SetParentFolder("C:\\Program Files");
        ui->SetRequirement(12, 345678);
        ui->SetUninstallTexts("Sample Product 2.0", "Press Uninstall to remove Sample Product and its folder.",
                              "C:\\Program Files\\Sample Product");
        ui->Layout();
        ui->ShowInstallPage();
        ui->Show();
        Pump();
    }

    HWND Handle() const { return ui->Window()->Window()->Handle(); }
    CHowdyPage* Howdy() const { return ui->Window()->InstallPage(); }
    CUninsPage* Unins() const { return ui->Window()->UninstallPage(); }
    RECT Client() const
    {
        RECT client = {};
        GetClientRect(Handle(), &client);
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }
    // The page places its Install button in the bottom right corner, a standard space from both edges.
    void ExpectButtonInTheCorner()
    {
        EXPECT_EQ(Howdy()->InstallButton()->Bounds().right, Howdy()->Width() - 12);
        EXPECT_EQ(Howdy()->InstallButton()->Bounds().bottom, Howdy()->Height() - 12);
    }
    static void ExpectCentredOnTheWorkArea(const RECT& rect)
    {
        const RECT area = LThreadWindows::WorkArea();
        EXPECT_NEAR((rect.left + rect.right) / 2, (area.left + area.right) / 2, 1);
        EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 1);
    }

    Installer installer{&app};
    std::unique_ptr<CInstallerUi> ui;
};

} // namespace

TEST_F(CInstallerUiTest, TheWindowIsTheInstallerClassWithTheAppIconAndTheThreeMenusCentredOnTheWorkArea)
{
    EXPECT_EQ(FindWindowA("CAPPDEF_INSTALLER", "Sample Product Setup"), Handle());
    EXPECT_NE(GetClassLongPtrA(Handle(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrA(Handle(), GCLP_HICONSM), 0);
    EXPECT_EQ(GetMenuItemCount(GetMenu(Handle())), 3);
    ExpectCentredOnTheWorkArea(Client());
}

TEST_F(CInstallerUiTest, ItShowsOnePageAtATimeInAWindowThatFitsTheLargerPage)
{
    const RECT before = Client();
    EXPECT_EQ(before.right - before.left, std::max(Howdy()->PreferredWidth(0), Unins()->PreferredWidth(0)));
    EXPECT_EQ(before.bottom - before.top, std::max(Howdy()->PreferredHeight(0), Unins()->PreferredHeight(0)));
    EXPECT_TRUE(IsWindowVisible(Howdy()->InstallButton()->Control()));
    EXPECT_FALSE(IsWindowVisible(Unins()->UninstallButton()->Control()));
    ui->ShowUninstallPage();
    Pump();
    EXPECT_FALSE(IsWindowVisible(Howdy()->InstallButton()->Control()));
    EXPECT_TRUE(IsWindowVisible(Unins()->UninstallButton()->Control()));
    const RECT after = Client();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(Unins()->Width(), before.right - before.left);
}

TEST_F(CInstallerUiTest, ThePagesButtonsReachTheInstallerAsTheWindowsMessages)
{
    SendMessageA(Howdy()->InstallButton()->Control(), BM_CLICK, 0, 0);
    ui->ShowUninstallPage();
    Pump();
    SendMessageA(Unins()->UninstallButton()->Control(), BM_CLICK, 0, 0);
    EXPECT_EQ(installer.seen, (std::vector<std::string>{"CInstWin_Install", "CInstWin_Uninstall"}));
}

TEST_F(CInstallerUiTest, TheTargetFrameShowsTheFolderAndTheSizesAndKeepsItsMeasuredSize)
{
    CTargetFrame* frame = Howdy()->TargetFrame();
    EXPECT_STREQ(frame->FolderPane()->Text().Text(), "C:\\Program Files");
    EXPECT_STREQ(frame->RequiredPane()->Text().Text(), "1 MB");
    EXPECT_STRNE(frame->AvailablePane()->Text().Text(), "0 MB") << "the drive has room";
    const LONG width = frame->Width(), height = frame->Height();
    ui->SetRequirement(3, 0xFFFFFFFFu);
    EXPECT_STREQ(frame->RequiredPane()->Text().Text(), "4097 MB");
    ui->SetParentFolder("C:\\A folder with a rather long name for the installation");
    EXPECT_EQ(ui->ParentFolder(), LString("C:\\A folder with a rather long name for the installation"));
    EXPECT_EQ(frame->Width(), width);
    EXPECT_EQ(frame->Height(), height);

    // Until the package is counted the frame shows no figure for it, not a wrong one.
    std::unique_ptr<CInstallerUi> counting(static_cast<CInstallerUi*>(CInstallerUi::Make(&installer)));
    counting->SetParentFolder("C:\\Program Files");
    EXPECT_STREQ(counting->Window()->InstallPage()->TargetFrame()->RequiredPane()->Text().Text(), "");
}

TEST(CParentFolderChoice, TheChooserOpensInTheFolderAboveTheParentFolderWhenThatExists)
{
    const testsupport::ScratchFolder scratch("choice");
    const std::string& base = scratch.Path();
    EXPECT_EQ(lstrcmpiA(CParentFolderChoice::InitialFolder((base + "\\Programs").c_str()).Text(), base.c_str()), 0);
    EXPECT_TRUE(CParentFolderChoice::InitialFolder((base + "\\missing\\Programs").c_str()).IsEmpty());
    EXPECT_STREQ(CParentFolderChoice::InitialFolder("C:\\Program Files").Text(), "C:\\");
    EXPECT_TRUE(CParentFolderChoice::InitialFolder("").IsEmpty());
}

TEST_F(CInstallerUiTest, ChangeFolderTakesTheChoosersFolderUnlessCancelledAndRefusesAPlaceThatIsNoFolder)
{
    CreateDirectoryA("C:\\Program Files", nullptr);
    uidriver::QueueMarker marker;
    // Change Folder, then `answer` to the chooser from the driver once it has filled its view.
    const auto choose = [&](const std::function<void(HWND)>& answer) {
        bool answered = false;
        uidriver::DriverThread driver([&] {
            HWND chooser = uidriver::WaitForVisibleWindow("#32770", nullptr);
            if (chooser && marker.WaitUntilHandled()) {
                answer(chooser);
                answered = true;
            }
        });
        // The click is posted, not sent: the chooser's own loop runs inside its handling.
        PostMessageA(Howdy()->TargetFrame()->ChangeButton()->Control(), BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return answered; }, 20000));
    };
    choose([](HWND chooser) { uidriver::Click(GetDlgItem(chooser, IDCANCEL)); });
    EXPECT_STREQ(ui->ParentFolder().Text(), "C:\\Program Files");
    bool reachedVirtual = false, handled = false, stayedOpen = false;
    choose([&](HWND chooser) {
        // Up past the drive root to the computer itself, which is no file-system folder: some
        // platforms report an error for its path, others a parsing name such as "::{...}".
        for (int i = 0; i < 12 && !reachedVirtual; ++i) {
            SendMessageA(chooser, WM_COMMAND, 0xA001, 0); // up one level
            marker.WaitUntilHandled();
            char path[MAX_PATH] = {};
            const LRESULT length = SendMessageA(chooser, CDM_GETFOLDERPATH, sizeof(path), LPARAM(path));
            reachedVirtual = length < 0 || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
        }
        uidriver::Click(GetDlgItem(chooser, IDOK));
        handled = marker.WaitUntilHandled();
        HWND active = GetForegroundWindow();
        if (active != chooser && GetWindow(active, GW_OWNER) == chooser) // a message box of the chooser
            uidriver::Click(GetDlgItem(active, IDOK));
        stayedOpen = IsWindowVisible(chooser) != FALSE;
        uidriver::Click(GetDlgItem(chooser, IDCANCEL));
    });
    EXPECT_TRUE(reachedVirtual);
    EXPECT_TRUE(handled) << "the chooser did not handle the click";
    EXPECT_TRUE(stayedOpen);
    EXPECT_STREQ(ui->ParentFolder().Text(), "C:\\Program Files");
    choose([](HWND chooser) {
        // The name and type boxes are hidden: only the folder counts.
        HWND name = GetDlgItem(chooser, 0x47C) ? GetDlgItem(chooser, 0x47C) : GetDlgItem(chooser, 0x480);
        EXPECT_FALSE(name && IsWindowVisible(name));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(chooser, 0x470)));
        EXPECT_FALSE(testsupport::SaveScreenshot("folder-chooser", chooser).empty());
        uidriver::Click(GetDlgItem(chooser, IDOK));
    });
    // The chooser opened in the folder above the parent folder, and confirming takes that.
    EXPECT_EQ(lstrcmpiA(ui->ParentFolder().Text(), "C:\\"), 0);
    EXPECT_EQ(lstrcmpiA(Howdy()->TargetFrame()->FolderPane()->Text().Text(), "C:\\"), 0);
}

TEST_F(CInstallerUiTest, ItShowsItsPagesInTheUsersLanguage)
{
    EXPECT_EQ(uidriver::WindowText(Howdy()->InstallButton()->Control()), uidriver::Expected(L"Install", L"インストール"));
    EXPECT_EQ(uidriver::WindowText(Howdy()->TargetFrame()->ChangeButton()->Control()),
              uidriver::Expected(L"Change Folder...", L"フォルダを変更..."));
    const wchar_t* const menus[][2] = {{L"&File", L"ファイル(&F)"}, {L"&Edit", L"編集(&E)"}, {L"&Help", L"ヘルプ(&H)"}};
    for (int i = 0; i < 3; ++i) {
        char title[64] = {};
        GetMenuStringA(GetMenu(Handle()), UINT(i), title, sizeof(title), MF_BYPOSITION);
        EXPECT_EQ(std::string(title), uidriver::Expected(menus[i][0], menus[i][1]));
    }
    EXPECT_FALSE(testsupport::SaveScreenshot("install-page", Handle()).empty());
    ui->ShowUninstallPage();
    Pump();
    EXPECT_EQ(uidriver::WindowText(Unins()->UninstallButton()->Control()),
              uidriver::Expected(L"Uninstall", L"アンインストール"));
    EXPECT_FALSE(testsupport::SaveScreenshot("uninstall-page", Handle()).empty());
}

TEST_F(CInstallerUiTest, APageMovedKeepsItsPanesAPageResizedPlacesThemAgainAndItsSizeIsMeasuredAfresh)
{
    ExpectButtonInTheCorner();
    const RECT frame = Howdy()->Bounds();
    const RECT mark = {1, 1, 2, 2}; // only a placement would undo it
    Howdy()->InstallButton()->SetBounds(mark);
    Howdy()->SetBounds(RECT{frame.left + 30, frame.top + 20, frame.right + 30, frame.bottom + 20});
    EXPECT_TRUE(EqualRect(&Howdy()->InstallButton()->Bounds(), &mark));
    Howdy()->SetBounds(RECT{frame.left, frame.top, frame.right + 40, frame.bottom});
    ExpectButtonInTheCorner();
    Howdy()->InstallButton()->SetBounds(mark);
    Howdy()->SetBounds(RECT{frame.left, frame.top, frame.right + 40, frame.bottom + 30}); // the height alone
    ExpectButtonInTheCorner();

    const int before = Howdy()->PreferredWidth(0);
    EXPECT_EQ(Howdy()->PreferredWidth(-2), before); // the hint is ignored
    ui->SetInstallTexts("A product title far longer than anything the page has shown so far, all on one line", "");
    EXPECT_GT(Howdy()->PreferredWidth(0), before);
}

// Setup waits for a letter and loses it with the last one; Enter chooses nothing and Tab stays
// in the name field, its only stop; the name comes back as typed, and only after Setup.
TEST_F(CInstallerUiTest, TheRegistrationGivesTheNameAsTypedOnlyWhenTheUserChoseSetup)
{
    uidriver::QueueMarker marker;
    const auto setupEnabled = [](HWND w) { return IsWindowEnabled(uidriver::FindChild(w, "Button", "Setup")) != 0; };
    std::vector<bool> enabled;
    LString name = "unchanged";
    EXPECT_EQ(Driven([&] { return int(ui->RegisterUser("Your name, please.", "", name)); }, [&](HWND w) {
        enabled.push_back(setupEnabled(w));
        for (const char* typed : {"12 3,.-", "x", "\b", "\b\b\b\b\b\b\bAnn-Marie O'Neil"}) {
            uidriver::Type(uidriver::FindChild(w, "Edit", nullptr), typed);
            EXPECT_TRUE(marker.WaitUntilHandled());
            enabled.push_back(setupEnabled(w));
        }
        uidriver::Click(uidriver::FindChild(w, "Button", "Setup"));
    }, 1), 1);
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true, false, true}));
    EXPECT_EQ(name, LString("Ann-Marie O'Neil"));
    bool startsInName = false, stillOpen = false, staysInName = false;
    EXPECT_EQ(Driven([&] { return int(ui->RegisterUser("Your name, please.", "Other", name)); }, [&](HWND w) {
        HWND edit = uidriver::FindChild(w, "Edit", nullptr);
        startsInName = uidriver::WaitUntil([&] { return uidriver::FocusOf(w) == edit; }, 2000);
        for (UINT key : {VK_RETURN, VK_TAB, VK_TAB})
            uidriver::PressKey(w, key);
        EXPECT_TRUE(marker.WaitUntilHandled());
        stillOpen = IsWindowVisible(w) != FALSE;
        staysInName = uidriver::FocusOf(w) == edit;
        uidriver::Click(uidriver::FindChild(w, "Button", "Cancel"));
    }, 1), 0);
    EXPECT_TRUE(startsInName);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(staysInName);
    EXPECT_EQ(name, LString("Ann-Marie O'Neil"));
}

TEST_F(CInstallerUiTest, AProgressWithoutAStopLabelHasNoStopButton)
{
    CProcedureProgress* progress = ui->OpenProgress("Uninstalling files...", 500, LString());
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->WaitStep());
    EXPECT_FALSE(IsWindowVisible(ui->Progress()->StopButton()->Control()));
    progress = ui->OpenProgress("Installing files...", 500, "Cancel");
    EXPECT_FALSE(progress->WaitStep());
    EXPECT_STREQ(ui->Progress()->StopButton()->Text().Text(), "Cancel");
    EXPECT_TRUE(IsWindowVisible(ui->Progress()->StopButton()->Control()));
    ui->CloseProgress();
}

TEST_F(CInstallerUiTest, TheStartupNoticeIsCentredWithoutBarOrButtonAndGoesAgain)
{
    ui->ShowStartupNotice("Starting up Installer...");
    HWND notice = FindWindowA("LDIALOGDEFDATA", "Installer");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(IsWindowVisible(notice));
    EXPECT_FALSE(IsWindowVisible(uidriver::FindChild(notice, "Button", nullptr)));
    EXPECT_FALSE(IsWindowVisible(uidriver::FindChild(notice, "msctls_progress32", nullptr)));
    RECT outer = {};
    GetWindowRect(notice, &outer);
    ExpectCentredOnTheWorkArea(outer);
    EXPECT_FALSE(testsupport::SaveScreenshot("startup-notice", notice).empty());
    ui->CloseStartupNotice();
    EXPECT_FALSE(IsWindow(notice));
}
