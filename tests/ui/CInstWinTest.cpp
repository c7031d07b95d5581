// The installer window with its two pages and the target folder frame, worked through window
// messages.
#include "ui/CInstWin.h"

#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "resources/LStrList.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CAppIcon.h"
#include "ui/CHowdyPage.h"
#include "ui/CTargetFrame.h"
#include "ui/CUninsPage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The window's owner: records the window's own messages, passes the rest on.
struct Owner : LHandler {
    explicit Owner(LHandler* next) : LHandler(next) {}
    LMessage Handle(const LMessage& m) override
    {
        if (m.Is(CInstWin_Install) || m.Is(CInstWin_Uninstall)) {
            seen.push_back(m.name);
            params.push_back(m.param);
            return Consumed();
        }
        return LHandler::Handle(m);
    }
    std::vector<std::string> seen;
    std::vector<LHandler*> params;
};

class CInstWinTest : public UiFixture {
protected:
    void SetUp() override
    {
        window = new CInstWin(&owner);
        CHowdyPage* howdy = window->InstallPage();
        howdy->SetTitle("Sample Product 2.0");
        howdy->SetText("Sample Product is installed into the folder shown below. Press Install to begin; "
                       "you can choose another folder first.");
        howdy->SetIcon(CAppIcon::Get());
        howdy->SetParentFolder("C:\\Program Files");
        howdy->SetRequirement(12, 345678);
        CUninsPage* unins = window->UninstallPage();
        unins->SetTitle("Sample Product 2.0");
        unins->SetText("Press Uninstall to remove Sample Product and its folder.");
        unins->SetIcon(CAppIcon::Get());
        unins->SetFolder("C:\\Program Files\\Sample Product");
        window->SetTitle("Sample Product Setup");
        window->Layout();
        window->Show();
        Pump();
    }
    void TearDown() override
    {
        delete window;
        Pump();
    }

    HWND Handle() const { return window->Window()->Handle(); }
    SIZE ClientSize() const
    {
        RECT client = {};
        GetClientRect(Handle(), &client);
        return SIZE{client.right, client.bottom};
    }
    static long Megabytes(const LTextPane* pane)
    {
        const std::string text = pane->Text().Text();
        EXPECT_GE(text.size(), 4u);
        EXPECT_EQ(text.substr(text.size() - 3), " MB") << text;
        return std::strtol(text.c_str(), nullptr, 10);
    }
    Owner owner{&app};
    CInstWin* window = nullptr;
};

} // namespace

TEST_F(CInstWinTest, IsTheInstallerClassWithTheAppIconAndTheThreeMenus)
{
    char name[64] = {};
    GetClassNameA(Handle(), name, sizeof(name));
    EXPECT_STREQ(name, "CAPPDEF_INSTALLER");
    EXPECT_EQ(FindWindowA("CAPPDEF_INSTALLER", nullptr), Handle());
    EXPECT_NE(GetClassLongPtrA(Handle(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrA(Handle(), GCLP_HICONSM), 0);
    HMENU bar = GetMenu(Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(uidriver::WindowText(Handle()), "Sample Product Setup");
}

TEST_F(CInstWinTest, ShowsTheInstallPageFirstAndExactlyOnePageAtATime)
{
    EXPECT_TRUE(window->InstallPage()->Has(LPane::kShown));
    EXPECT_FALSE(window->UninstallPage()->Has(LPane::kShown));
    EXPECT_TRUE(IsWindowVisible(window->InstallPage()->InstallButton()->Control()));
    EXPECT_FALSE(IsWindowVisible(window->UninstallPage()->UninstallButton()->Control()));
    window->ShowUninstallPage();
    Pump();
    EXPECT_FALSE(window->InstallPage()->Has(LPane::kShown));
    EXPECT_TRUE(window->UninstallPage()->Has(LPane::kShown));
    EXPECT_FALSE(IsWindowVisible(window->InstallPage()->InstallButton()->Control()));
    EXPECT_TRUE(IsWindowVisible(window->UninstallPage()->UninstallButton()->Control()));
}

TEST_F(CInstWinTest, TheWindowFitsTheLargerPageAndSwitchingPagesKeepsItsSize)
{
    // The pages differ in size, so each direction is as large as the larger page in it.
    const SIZE before = ClientSize();
    EXPECT_EQ(before.cx, std::max(window->InstallPage()->PreferredWidth(0), window->UninstallPage()->PreferredWidth(0)));
    EXPECT_EQ(before.cy, std::max(window->InstallPage()->PreferredHeight(0), window->UninstallPage()->PreferredHeight(0)));
    window->ShowUninstallPage();
    Pump();
    EXPECT_EQ(ClientSize().cx, before.cx);
    EXPECT_EQ(ClientSize().cy, before.cy);
    EXPECT_EQ(window->UninstallPage()->Width(), before.cx);
    EXPECT_EQ(window->UninstallPage()->Height(), before.cy);
}

TEST_F(CInstWinTest, IsCentredOnTheWorkArea)
{
    RECT client = {};
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT area = LThreadWindows::WorkArea();
    EXPECT_NEAR((client.left + client.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((client.top + client.bottom) / 2, (area.top + area.bottom) / 2, 1);
}

TEST_F(CInstWinTest, ThePagesButtonsReachTheOwnerAsTheWindowsMessages)
{
    ClickWhilePumping(window->InstallPage()->InstallButton()->Control());
    window->ShowUninstallPage();
    Pump();
    ClickWhilePumping(window->UninstallPage()->UninstallButton()->Control());
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"CInstWin_Install", "CInstWin_Uninstall"}));
    EXPECT_EQ(owner.params, (std::vector<LHandler*>{window, window}));
}

TEST_F(CInstWinTest, TheTargetFrameShowsTheFolderAndTrueSizesOfLargeProducts)
{
    CTargetFrame* frame = window->InstallPage()->TargetFrame();
    EXPECT_STREQ(frame->FolderPane()->Text().Text(), "C:\\Program Files");
    EXPECT_EQ(Megabytes(frame->RequiredPane()), 1);
    EXPECT_GT(Megabytes(frame->AvailablePane()), 0) << "the drive has room";
    const RECT size = frame->Bounds();
    // More than 4 GiB of data: the figure does not wrap round.
    window->InstallPage()->SetRequirement(3, 5ull << 30);
    const long required = Megabytes(frame->RequiredPane());
    EXPECT_GE(required, 5120);
    EXPECT_LE(required, 5121);
    // The values change, the frame's measured size does not.
    window->InstallPage()->SetParentFolder("C:\\A folder with a rather long name for the installation");
    EXPECT_EQ(frame->Bounds().right - frame->Bounds().left, size.right - size.left);
    EXPECT_EQ(frame->Bounds().bottom - frame->Bounds().top, size.bottom - size.top);
    EXPECT_EQ(window->InstallPage()->ParentFolder(), LString("C:\\A folder with a rather long name for the installation"));
}

TEST_F(CInstWinTest, ChangeFolderOpensTheChooserInTheFolderAboveAndTakesItsFolder)
{
    CreateDirectoryA("C:\\Program Files", nullptr);
    HWND change = window->InstallPage()->TargetFrame()->ChangeButton()->Control();
    bool chooserSeen = false;
    {
        uidriver::DriverThread driver([&] {
            HWND chooser = uidriver::WaitForVisibleWindow("#32770", nullptr);
            chooserSeen = chooser != nullptr;
            if (!chooser)
                return;
            Sleep(300); // the chooser fills its view before it takes the OK
            uidriver::Click(GetDlgItem(chooser, IDOK));
        });
        // The click is posted, not sent: the chooser's own loop runs inside its handling.
        PostMessageA(change, BM_CLICK, 0, 0);
        for (int i = 0; i < 100 && !chooserSeen; ++i)
            Pump(1);
    }
    Pump();
    EXPECT_TRUE(chooserSeen);
    EXPECT_EQ(lstrcmpiA(window->InstallPage()->ParentFolder().Text(), "C:\\"), 0)
        << window->InstallPage()->ParentFolder().Text();
    EXPECT_EQ(lstrcmpiA(window->InstallPage()->TargetFrame()->FolderPane()->Text().Text(), "C:\\"), 0);
}

TEST_F(CInstWinTest, ShowsItsPagesInTheUsersLanguage)
{
    LStrList howdy("HOWDY", LStrList::kStrings);
    LStrList unins("UNINS", LStrList::kStrings);
    EXPECT_EQ(uidriver::WindowText(window->InstallPage()->InstallButton()->Control()), howdy.Get(0).Text());
    testsupport::SaveScreenshot("install-page", Handle());
    window->ShowUninstallPage();
    Pump();
    EXPECT_EQ(uidriver::WindowText(window->UninstallPage()->UninstallButton()->Control()), unins.Get(0).Text());
    testsupport::SaveScreenshot("uninstall-page", Handle());
}

TEST_F(CInstWinTest, APageMovedKeepsItsPanesWhereTheyAreAndAPageResizedPlacesThemAgain)
{
    CHowdyPage* page = window->InstallPage();
    LPane* button = page->InstallButton();
    // The button sits in the page's bottom right corner, a standard space from both edges.
    EXPECT_EQ(button->Bounds().right, page->Width() - 12);
    EXPECT_EQ(button->Bounds().bottom, page->Height() - 12);
    const RECT frame = page->Bounds();
    const RECT mark = {1, 1, 2, 2}; // only a placement would undo it
    button->SetBounds(mark);
    page->SetBounds(RECT{frame.left + 30, frame.top + 20, frame.right + 30, frame.bottom + 20});
    EXPECT_EQ(button->Bounds().right, mark.right);
    EXPECT_EQ(button->Bounds().bottom, mark.bottom);
    page->SetBounds(RECT{frame.left, frame.top, frame.right + 40, frame.bottom});
    EXPECT_EQ(button->Bounds().right, page->Width() - 12);
    EXPECT_EQ(button->Bounds().bottom, page->Height() - 12);
    button->SetBounds(mark);
    page->SetBounds(RECT{frame.left, frame.top, frame.right + 40, frame.bottom + 30}); // the height alone
    EXPECT_EQ(button->Bounds().right, page->Width() - 12);
    EXPECT_EQ(button->Bounds().bottom, page->Height() - 12);
}

TEST_F(CInstWinTest, APageMeasuresItsLayoutAfreshAndIgnoresTheHint)
{
    CHowdyPage* page = window->InstallPage();
    const int before = page->PreferredWidth(0);
    EXPECT_EQ(page->PreferredWidth(-2), before);
    page->SetTitle("A product title far longer than anything the page has shown so far, all on one line");
    EXPECT_GT(page->PreferredWidth(0), before);
}
