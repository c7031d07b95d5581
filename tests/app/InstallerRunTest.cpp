#include "app/CInstaller.h"
#include "app/CInstallerApp.h"
#include "integration/CSystemFolders.h"
#include "package/CPackageWriter.h"
#include "resources/LResDefaultChain.h"
#include "tests/app/FakeInstallerWindow.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
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

struct PackedFile {
    std::string name;
    std::string contents;
};

const std::vector<PackedFile> kProduct = {{"ReadMe.txt", std::string(3000, 'r')}, {"Manual/index.html", "<html>"}};

// An installer program file: a stub, then the package.
void WriteInstaller(const std::string& path, const std::string& sources, const std::vector<std::string>& descriptions,
                    const std::vector<PackedFile>& files = kProduct)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(out);
    std::fputs("MZ stub of the installer", out);
    CPackageWriter writer(out);
    for (const std::string& description : descriptions)
        writer.AddDescription(description.data(), description.size());
    writer.AddFolder(".");
    writer.AddFolder("Manual");
    for (const PackedFile& file : files) {
        std::string source = sources + "\\source" + std::to_string(&file - &files[0]);
        WriteTestFile(source, file.contents);
        writer.AddFile(file.name, 1, 2, source);
    }
    ASSERT_TRUE(writer.Finish()) << writer.Error();
    std::fclose(out);
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
    }
    void TearDown() override { QuitPosted(); }

    FakeInstallerWindow& Window() { return *g_window; }

    ScratchFolder scratch{"run"};
    std::string installer;
};

} // namespace

TEST_F(InstallerRun, InstallModeFillsTheInstallPage)
{
    WriteInstaller(installer, scratch.Path(), {kDescription});
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    CInstaller* run = app.CreateInstaller();
    ASSERT_TRUE(run);
    EXPECT_EQ(run->Ole(), CInstaller::kOleReady);
    run->Start();

    FakeInstallerWindow& window = Window();
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
}

TEST_F(InstallerRun, AProgramNamedUninstallOpensTheUninstallPageForTheFolderTwoLevelsUp)
{
    std::string product = scratch / "Programs\\Sample Tool";
    CreateDirectoryA(product.c_str(), nullptr);
    CreateDirectoryA((product + "\\Uninstall").c_str(), nullptr);
    std::string uninstaller = product + "\\Uninstall\\uninstall.exe";
    WriteInstaller(uninstaller, scratch.Path(), {kDescription});
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
}

TEST_F(InstallerRun, WithoutAWindowThereIsNoRun)
{
    WriteInstaller(installer, scratch.Path(), {kDescription});
    g_refuseWindow = true;
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    EXPECT_EQ(app.CreateInstaller(), nullptr);
}

TEST_F(InstallerRun, TheFirstOfTwoDescriptionsIsUsed)
{
    WriteInstaller(installer, scratch.Path(), {kDescription, "<InsTitle>\nA second description\n"});
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    app.CreateInstaller()->Start();
    EXPECT_EQ(Window().pageTitle, "Sample Tool 1.0");
    EXPECT_EQ(Window().entryCount, 3u);
}

TEST_F(InstallerRun, AProgramWithoutAPackageOffersOnlyTheUninstallerCopy)
{
    WriteTestFile(installer, "MZ a program file without a package");
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    EXPECT_EQ(app.PackageStart(), 0u);
    EXPECT_EQ(app.PackageEnd(), 0u);
    app.CreateInstaller()->Start();
    EXPECT_EQ(Window().title, "");
    EXPECT_EQ(Window().entryCount, 1u);
    EXPECT_EQ(Window().totalBytes, ReadTestFile(installer).size());
}

TEST_F(InstallerRun, ASuccessfulInstallationEndsTheRun)
{
    WriteInstaller(installer, scratch.Path(), {kDescription});
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    app.CreateInstaller()->Start();
    Window().parentFolder = scratch / "Programs";
    Window().PressInstall();

    std::string product = scratch / "Programs\\Sample Tool";
    EXPECT_EQ(ReadTestFile(product + "\\ReadMe.txt"), std::string(3000, 'r'));
    EXPECT_EQ(ReadTestFile(product + "\\Uninstall\\Uninstall.exe"), ReadTestFile(installer));
    EXPECT_EQ(std::string(app.Installer()->Destination().Text()), product);
    EXPECT_TRUE(QuitPosted()) << "CInstaller_Done reached the application";
}

TEST_F(InstallerRun, AfterAStopTheInstallPageReturnsAndTheNextAttemptStartsFromTheFirstEntry)
{
    WriteInstaller(installer, scratch.Path(), {kDescription});
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    app.CreateInstaller()->Start();
    FakeInstallerWindow& window = Window();
    window.parentFolder = scratch / "Programs";
    TreeSnapshot before = TakeSnapshot(scratch / "Programs");

    window.dialogs.stopAtStep = 2;
    window.events.clear();
    window.PressInstall();
    EXPECT_EQ(TakeSnapshot(scratch / "Programs"), before);
    EXPECT_EQ(window.events, (std::vector<std::string>{"install page", "show"}));
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(window.pageTitle, "Sample Tool 1.0") << "the texts stay";

    window.dialogs.stopAtStep = -1;
    window.PressInstall();
    std::string product = scratch / "Programs\\Sample Tool";
    EXPECT_EQ(ReadTestFile(product + "\\ReadMe.txt"), std::string(3000, 'r'));
    EXPECT_EQ(ReadTestFile(product + "\\Manual\\index.html"), "<html>");
    EXPECT_TRUE(QuitPosted());
}

TEST_F(InstallerRun, ADamagedPackageIsReportedAndLeavesNothing)
{
    // Data that does not compress, so that the damage lands in the file's record.
    std::string noise(30000, '\0');
    uint32_t seed = 12345;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    WriteInstaller(installer, scratch.Path(), {kDescription}, {{"ReadMe.txt", noise}});
    std::string bytes = ReadTestFile(installer);
    bytes[bytes.size() - 8 - 100] ^= 0x33;
    WriteTestFile(installer, bytes);
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    app.CreateInstaller()->Start();
    FakeInstallerWindow& window = Window();
    window.parentFolder = scratch / "Programs";
    TreeSnapshot before = TakeSnapshot(scratch / "Programs");
    window.PressInstall();
    EXPECT_EQ(window.dialogs.notices, std::vector<std::string>{" This installer is broken."});
    EXPECT_EQ(TakeSnapshot(scratch / "Programs"), before);
    EXPECT_FALSE(QuitPosted());
}

TEST_F(InstallerRun, TheUninstallerRemovesTheProductAndEndsTheRun)
{
    WriteInstaller(installer, scratch.Path(), {kDescription});
    std::string product = scratch / "Programs\\Sample Tool";
    {
        CInstallerApp app(installer.c_str(), &MakeFakeWindow);
        app.CreateInstaller()->Start();
        Window().parentFolder = scratch / "Programs";
        Window().PressInstall();
        ASSERT_TRUE(QuitPosted());
    }
    WriteTestFile(product + "\\Manual\\mine.txt", "the user's");
    // The uninstaller runs from a copy, as the real one is held open while it runs.
    std::string uninstaller = product + "\\Uninstall\\Uninstall.exe";
    {
        CInstallerApp app(uninstaller.c_str(), &MakeFakeWindow);
        app.CreateInstaller()->Start();
        EXPECT_EQ(Window().uninstallFolder, product);
        Window().PressUninstall();
        EXPECT_EQ(Window().dialogs.notices, std::vector<std::string>{" Uninstallation has been completed successfully."});
        EXPECT_TRUE(QuitPosted());
    }
    EXPECT_FALSE(Exists(product + "\\ReadMe.txt"));
    EXPECT_EQ(ReadTestFile(product + "\\Manual\\mine.txt"), "the user's");
    for (int i = 0; i < 100 && Exists(uninstaller); ++i)
        Sleep(100);
    EXPECT_FALSE(Exists(uninstaller));
}

TEST_F(InstallerRun, MessagesFromOthersAreNotTheWindowsButtons)
{
    WriteInstaller(installer, scratch.Path(), {kDescription});
    CInstallerApp app(installer.c_str(), &MakeFakeWindow);
    CInstaller* run = app.CreateInstaller();
    run->Start();
    Window().parentFolder = scratch / "Programs";
    LHandler stranger(nullptr);
    Send(LMessage("CInstWin_Install", &stranger, run));
    EXPECT_FALSE(Exists(scratch / "Programs\\Sample Tool"));
}
