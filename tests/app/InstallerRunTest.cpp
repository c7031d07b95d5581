#include "app/CInstaller.h"
#include "app/CInstallerApp.h"
#include "integration/CSystemFolders.h"
#include "framework/LDialogDef.h"
#include "framework/LFrame.h"
#include "framework/LMenuBar.h"
#include "framework/LMenuItem.h"
#include "framework/LMessageNames.h"
#include "framework/LThreadWindows.h"
#include "resources/LResDefaultChain.h"
#include "tests/app/FakeInstallerWindow.h"
#include "tests/install/PackedInstaller.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/WindowWait.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

FakeInstallerWindow* g_window = nullptr;
bool g_refuseWindow = false;

CInstallerWindow* MakeFakeWindow(LHandler* installer)
{
    if (g_refuseWindow)
        return nullptr;
    g_window = new FakeInstallerWindow(installer);
    return g_window;
}

const std::string kDescription = "<InsWin>\nSample Tool Installer\n\n<Folder>\n\"Sample Tool\"\n\n"
                                 "<InsTitle>\nSample Tool 1.0\n\n<InsText>\nInstalls Sample Tool.\n\n"
                                 "<UniWin>\nSample Tool Uninstaller\n\n<UniTitle>\nRemove Sample Tool\n\n"
                                 "<UniText>\nRemoves Sample Tool.\n";

const std::vector<FakeEntry> kProduct = {Folder("."), Folder("Manual"), File("ReadMe.txt", std::string(3000, 'r')),
                                         File("Manual/index.html", "<html>")};

// The installer's kind of menu: About and Exit.
bool InstallerMenus(const char* name, LMenu::Strings* strings)
{
    if (std::string(name) != "INSTALLER")
        return false;
    for (const char* text : {"INSTALLER\n&Installer", "LStdCmd_About\n&About Installer...", "LStdCmd_Quit\nE&xit"})
        strings->Append(new LString(text));
    return true;
}

// The package is counted on a thread of its own; the page gets the figures when it ends, from
// a timer of the run (idle processing expires it; the pump would wait for a message).
bool WaitForTheCount(CInstallerApp& app, const FakeInstallerWindow& window)
{
    return WaitUntil([&] { return app.RunIdle(), window.entryCount != 0; }, 10000, 1);
}

bool QuitPosted()
{
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

class InstallerRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LResDefaultChain::CreateForLocale(GetModuleHandleA(nullptr), 0x0409);
        CSystemFolders::SetCurrent(new CSystemFolders());
    }
    static void TearDownTestSuite()
    {
        delete CSystemFolders::Current();
        CSystemFolders::SetCurrent(nullptr);
        LResDefaultChain::Destroy();
    }
    void SetUp() override
    {
        g_window = nullptr;
        g_refuseWindow = false;
        CreateDirectoryA((scratch / "Downloads").c_str(), nullptr);
        CreateDirectoryA((scratch / "Programs").c_str(), nullptr);
        installer = scratch / "Downloads\\Setup.exe";
        ASSERT_TRUE(WriteInstaller(installer, {kDescription}, kProduct));
    }
    void TearDown() override { QuitPosted(); }

    FakeInstallerWindow& Window() { return *g_window; }

    ScratchFolder scratch{"run"};
    std::string installer;
};

} // namespace

TEST_F(InstallerRun, InstallModeFillsThePageAndAfterAStopInstallsFromTheFirstEntry)
{
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    CInstaller* run = app.CreateInstaller();
    ASSERT_TRUE(run);
    EXPECT_EQ(run->Ole(), CInstaller::kOleReady);
    run->Start();

    FakeInstallerWindow& window = Window();
    ASSERT_TRUE(WaitForTheCount(app, window));
    EXPECT_EQ(window.events,
              (std::vector<std::string>{"notice shown", "layout", "install page", "notice closed", "show"}));
    EXPECT_EQ(window.startupNotice, "Starting up Installer...");
    EXPECT_EQ(window.title, "Sample Tool Installer");
    EXPECT_EQ(window.pageTitle, "Sample Tool 1.0");
    EXPECT_EQ(window.pageText, "Installs Sample Tool.");
    EXPECT_EQ(window.parentFolder, CSystemFolders::Current()->ProgramFiles().Text());
    // Two files and the uninstaller copy, which is the program file itself.
    EXPECT_EQ(window.entryCount, 3u);
    EXPECT_EQ(window.totalBytes, 3000u + 6u + ReadTestFile(installer).size());

    window.parentFolder = scratch / "Programs";
    const TreeSnapshot before = TakeSnapshot(scratch / "Programs");
    // The window's button from another handler, which is ignored, then the real one, stopped.
    LHandler stranger(nullptr);
    Send(LMessage("CInstWin_Install", &stranger, run));
    window.dialogs.stopAtStep = 2;
    window.events.clear();
    window.PressInstall();
    ExpectTreeUnchanged(scratch / "Programs", before);
    EXPECT_EQ(window.dialogs.waitSteps, 3);
    EXPECT_EQ(window.events, (std::vector<std::string>{"install page", "show"}));
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(window.pageTitle, "Sample Tool 1.0") << "the texts stay";

    window.dialogs.stopAtStep = -1;
    window.PressInstall();
    std::string product = scratch / "Programs\\Sample Tool";
    EXPECT_EQ(ReadTestFile(product + "\\ReadMe.txt"), std::string(3000, 'r'));
    EXPECT_EQ(ReadTestFile(product + "\\Manual\\index.html"), "<html>");
    EXPECT_EQ(ReadTestFile(product + "\\Uninstall\\Uninstall.exe"), ReadTestFile(installer));
    EXPECT_EQ(std::string(app.Installer()->Destination().Text()), product);
    EXPECT_TRUE(QuitPosted()) << "CInstaller_Done reached the application";
}

TEST_F(InstallerRun, AnInstallPressedWhileTheLargePackageIsStillCountedWaitsForTheFigures)
{
    // Bytes that do not compress take the longest to count.
    std::string noise(6 << 20, '\0');
    uint32_t seed = 1;
    for (char& c : noise)
        c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
    ASSERT_TRUE(WriteInstaller(installer, {kDescription}, {Folder("."), File("Data.bin", noise)}));
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    app.CreateInstaller()->Start();
    FakeInstallerWindow& window = Window();
    window.parentFolder = scratch / "Programs";
    window.PressInstall();

    EXPECT_EQ(window.entryCount, 2u);
    EXPECT_EQ(window.totalBytes, noise.size() + ReadTestFile(installer).size());
    EXPECT_EQ(ReadTestFile(scratch / "Programs\\Sample Tool\\Data.bin"), noise);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(InstallerRun, AProgramNamedUninstallOpensTheUninstallPageForTheFolderTwoLevelsUpAgainWhileAFileIsInUse)
{
    const std::string product = scratch / "Programs\\Sample Tool";
    const std::string uninstaller = product + "\\Uninstall\\uninstall.exe";
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr) && CreateDirectoryA((product + "\\Uninstall").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(product + "\\ReadMe.txt", "read me"));
    ASSERT_TRUE(CopyFileA(installer.c_str(), uninstaller.c_str(), TRUE));
    CInstallerApp app(uninstaller.c_str(), &MakeFakeWindow);
    CInstaller* run = app.CreateInstaller();
    ASSERT_TRUE(run);
    run->Start();

    FakeInstallerWindow& window = Window();
    EXPECT_EQ(window.events, (std::vector<std::string>{"layout", "uninstall page", "show"}));
    EXPECT_EQ(window.title, "Sample Tool Uninstaller");
    EXPECT_EQ(window.pageTitle, "Remove Sample Tool");
    EXPECT_EQ(window.uninstallFolder, product);
    EXPECT_EQ(std::string(run->Destination().Text()), product);

    // While another program holds a file the page is back, and another try reads the package
    // from its first entry again.
    HANDLE held = CreateFileA((product + "\\ReadMe.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    window.events.clear();
    window.PressUninstall();
    EXPECT_EQ(window.events, (std::vector<std::string>{"uninstall page", "show"}));
    EXPECT_FALSE(QuitPosted());
    CloseHandle(held);
    window.PressUninstall();
    EXPECT_FALSE(Exists(product + "\\ReadMe.txt"));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(InstallerRun, WithoutAWindowThereIsNoRun)
{
    g_refuseWindow = true;
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    EXPECT_EQ(app.CreateInstaller(), nullptr);
}

TEST_F(InstallerRun, TheMenuCommandsAreEnabledOnlyWhileNoModalDialogIsOpenAndAboutShowsTheBox)
{
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    app.CreateInstaller()->Start();
    LMenu::SetLoader(&InstallerMenus);
    LMenu::Strings names;
    names.Append(new LString("INSTALLER"));
    LMenuBar bar(&app, names);
    LMenu::FreeStrings(&names);
    LMenuItem* about = nullptr;
    auto enabledItems = [&] {
        bar.Open(&app);
        int enabled = 0;
        for (LMenu* menu : bar.Menus()) {
            menu->ForEachItem([&](LMenuItem* item) {
                enabled += item->enabled;
                about = item->AnswersTo(LStdCmd_About) ? item : about;
            });
        }
        return enabled;
    };
    EXPECT_EQ(enabledItems(), 2);
    // Chosen, About opens the installer window's about box.
    ASSERT_TRUE(about);
    Send(LMessage(LMenuItem_Selected, about, &app));
    EXPECT_EQ(Window().events.back(), "about");

    // A modal dialog of the installer's own (the progress, a message) is open.
    LDialogDef definition{3};
    LFrame dialog(nullptr, nullptr, &definition);
    LThreadWindows::Show(dialog.Window());
    EXPECT_EQ(enabledItems(), 0);
    LMenu::SetLoader(nullptr);
}
