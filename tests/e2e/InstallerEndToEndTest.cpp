// The packed sample product installed and uninstalled as a user would: the installer runs as
// a process of its own, and the test presses its buttons through window messages.
#include "tests/e2e/InstallerSession.h"
#include "tests/platform/ScratchFolder.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace e2e;

namespace {

const char* const kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\SampleTool";
const char* const kSampleFiles[] = {"ReadMe.txt", "SampleTool.exe", "SampleTool.inf", "SampleTool.ini",
                                    "Manual\\index.html", "Manual\\style.css", "Settings\\SampleTool.ini"};

std::string SampleStage() { return WindowsPath(SAMPLE_STAGE); }

// Holds the thread of another process's window still while the test looks at what it has done
// and posts to it; lets it go on at the end of the scope.
class HeldThread {
public:
    explicit HeldThread(HWND window)
        : m_thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr)))
    {
        m_held = m_thread && SuspendThread(m_thread) != static_cast<DWORD>(-1);
    }
    HeldThread(const HeldThread&) = delete;
    HeldThread& operator=(const HeldThread&) = delete;
    ~HeldThread()
    {
        if (m_held)
            ResumeThread(m_thread);
        if (m_thread)
            CloseHandle(m_thread);
    }
    bool Held() const { return m_held; }

private:
    HANDLE m_thread;
    bool m_held = false;
};

class EndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(kWork, nullptr);
        s_setup = std::string(kWork) + "\\SampleSetup.exe";
        s_packed = Pack(SampleStage() + "\\description.txt", SampleStage() + "\\product", s_setup);
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_packed) << "the sample could not be packed";
        RemoveSample();
    }
    void TearDown() override { RemoveSample(); }

    // Installs the sample into the suggested folder, answering every question with OK.
    void InstallSample(const std::string& setup, const std::string& shotPrefix = std::string())
    {
        Program installer(setup);
        ASSERT_TRUE(installer.Started());
        HWND window = WaitForInstallerWindow(installer.Id());
        ASSERT_TRUE(window);
        if (!shotPrefix.empty())
            Screenshot(shotPrefix + "install-page", window);
        ASSERT_TRUE(Press(window, "Install"));
        HWND notice = WaitForDialog(installer.Id(), "Message");
        ASSERT_TRUE(notice);
        if (!shotPrefix.empty())
            Screenshot(shotPrefix + "install-done", notice);
        EXPECT_FALSE(HasButton(notice, "Cancel")) << "a notice, not a question";
        ASSERT_TRUE(Press(notice, "OK"));
        EXPECT_EQ(installer.WaitForExit(), 0);
    }

    void UninstallSample(const std::string& shotPrefix = std::string())
    {
        Program uninstaller(ProductFolder() + "\\Uninstall\\Uninstall.exe");
        ASSERT_TRUE(uninstaller.Started());
        HWND window = WaitForInstallerWindow(uninstaller.Id());
        ASSERT_TRUE(window);
        if (!shotPrefix.empty())
            Screenshot(shotPrefix + "uninstall-page", window);
        ASSERT_TRUE(Press(window, "Uninstall"));
        HWND notice = WaitForDialog(uninstaller.Id(), "Message");
        ASSERT_TRUE(notice);
        if (!shotPrefix.empty())
            Screenshot(shotPrefix + "uninstall-done", notice);
        ASSERT_TRUE(Press(notice, "OK"));
        EXPECT_EQ(uninstaller.WaitForExit(), 0);
    }

    static constexpr const char* kWork = "C:\\e2e-installer";
    static std::string s_setup;
    static bool s_packed;
};

std::string EndToEnd::s_setup;
bool EndToEnd::s_packed = false;

} // namespace

TEST_F(EndToEnd, InstallsTheSampleIntoTheSuggestedFolderAndUninstallsIt)
{
    InstallSample(s_setup, "1-");
    const std::string product = ProductFolder();
    for (const char* file : kSampleFiles) {
        std::string source = SampleStage() + "\\product\\" + file;
        EXPECT_TRUE(ReadFileText(product + "\\" + file) == ReadFileText(source)) << file;
        // The package keeps times to the second. The description's INF copies SampleTool.ini
        // over Settings\SampleTool.ini afterwards, its times with it.
        const std::string timesFrom = std::string(file) == "Settings\\SampleTool.ini" ? "SampleTool.ini" : file;
        EXPECT_EQ(LastWriteTime(product + "\\" + file) / 10000000,
                  LastWriteTime(SampleStage() + "\\product\\" + timesFrom) / 10000000)
            << file;
    }
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Sample Tool 1.0");
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), product);
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sample Vendor\\Sample Tool", "InstallDir"), product);
    const std::string group = StartMenuProgramsFolder() + "\\Sample Tool";
    EXPECT_TRUE(Exists(group + "\\Sample Tool.lnk"));
    EXPECT_TRUE(Exists(group + "\\Sample Tool Manual.lnk"));
    EXPECT_TRUE(ReadFileText(product + "\\Uninstall\\Uninstall.exe") == ReadFileText(s_setup));

    UninstallSample("2-");
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sample Vendor\\Sample Tool"));
    // The batch file removes the uninstaller, its folder and the emptied product folder.
    EXPECT_TRUE(WaitUntilGone(product));
}

TEST_F(EndToEnd, TheAboutBoxOpensFromTheHelpMenu)
{
    Program installer(s_setup);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    ASSERT_TRUE(ChooseMenuItem(installer.Id(), window, 'h', 'a')) << "Help, About Installer...";
    HWND about = WaitForDialog(installer.Id(), "About Installer", 10000);
    ASSERT_TRUE(about);
    Screenshot("about-box", about);
    ASSERT_TRUE(Press(about, "OK"));
    EXPECT_TRUE(WaitUntilHidden(about));
    CloseByCloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
    EXPECT_FALSE(Exists(ProductFolder()));
}

TEST_F(EndToEnd, InstallingOverAnInstallationAsksAndReplacesTheFiles)
{
    InstallSample(s_setup);
    const std::string product = ProductFolder();
    WriteFileText(product + "\\ReadMe.txt", "changed since");
    WriteFileText(product + "\\Notes.txt", "the user's own");

    Program installer(s_setup);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    ASSERT_TRUE(Press(window, "Install"));
    HWND question = WaitForDialog(installer.Id(), "Message");
    ASSERT_TRUE(question);
    EXPECT_TRUE(HasButton(question, "Cancel")) << "the existing folder is a question";
    Screenshot("folder-exists-question", question);
    ASSERT_TRUE(Press(question, "OK"));
    ASSERT_TRUE(WaitUntilHidden(question));
    HWND notice = WaitForDialog(installer.Id(), "Message");
    ASSERT_TRUE(notice);
    ASSERT_TRUE(Press(notice, "OK"));
    EXPECT_EQ(installer.WaitForExit(), 0);

    EXPECT_TRUE(ReadFileText(product + "\\ReadMe.txt") == ReadFileText(SampleStage() + "\\product\\ReadMe.txt"));
    EXPECT_EQ(ReadFileText(product + "\\Notes.txt"), "the user's own");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((product + "\\tmp*").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a backup outlived the installation: " << data.cFileName;
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
}

TEST_F(EndToEnd, ADeclinedQuestionChangesNothing)
{
    InstallSample(s_setup);
    const std::string product = ProductFolder();
    WriteFileText(product + "\\ReadMe.txt", "changed since");

    Program installer(s_setup);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(Press(window, "Install"));
    HWND question = WaitForDialog(installer.Id(), "Message");
    ASSERT_TRUE(question);
    ASSERT_TRUE(Press(question, "Cancel"));
    EXPECT_TRUE(WaitUntilVisible(window)) << "the install page comes back";
    EXPECT_EQ(ReadFileText(product + "\\ReadMe.txt"), "changed since");
    CloseByCloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
}

TEST_F(EndToEnd, StopUndoesTheInstallationAndASecondAttemptSucceeds)
{
    // A product large enough to be stopped while it installs.
    const std::string root = std::string(kWork) + "\\big";
    testsupport::RemoveTreeForTests(root);
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\product").c_str(), nullptr);
    const std::string noise = Noise(24 << 20, 7);
    std::vector<std::string> files = {"a-big.bin"};
    ASSERT_TRUE(WriteFileText(root + "\\product\\a-big.bin", noise));
    for (int i = 0; i < 40; ++i) {
        files.push_back("small" + std::to_string(i) + ".txt");
        WriteFileText(root + "\\product\\" + files.back(), "small file " + std::to_string(i));
    }
    WriteFileText(root + "\\description.txt", "<Folder>\n\"Sample Tool\"\n");
    const std::string setup = root + "\\BigSetup.exe";
    ASSERT_TRUE(Pack(root + "\\description.txt", root + "\\product", setup));

    Program installer(setup);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    ASSERT_TRUE(Press(window, "Install"));
    HWND progress = WaitForDialog(installer.Id(), "Progress", 10000);
    ASSERT_TRUE(progress);
    {
        // Held still, the installer is seen to be before the end of its files: a product
        // file is still missing, so at least one more wait step (each entry's, and one after
        // the last) comes before Stop is disabled, and there the posted click is handled.
        HeldThread held(progress);
        ASSERT_TRUE(held.Held());
        size_t written = 0;
        for (const std::string& file : files)
            written += Exists(ProductFolder() + "\\" + file);
        ASSERT_LT(written, files.size()) << "the installation ended before the test could stop it";
        HWND stop = uidriver::FindChild(progress, "Button", nullptr);
        ASSERT_TRUE(stop && IsWindowEnabled(stop));
        ASSERT_TRUE(PostMessageA(stop, BM_CLICK, 0, 0));
    }
    ASSERT_TRUE(WaitUntilVisible(window)) << "the install page comes back";
    EXPECT_FALSE(Exists(ProductFolder())) << "everything written was undone";

    ASSERT_TRUE(Press(window, "Install"));
    HWND notice = WaitForDialog(installer.Id(), "Message", 60000);
    ASSERT_TRUE(notice);
    ASSERT_TRUE(Press(notice, "OK"));
    EXPECT_EQ(installer.WaitForExit(60000), 0);
    EXPECT_EQ(ReadFileText(ProductFolder() + "\\small39.txt"), "small file 39");
    EXPECT_EQ(ReadFileText(ProductFolder() + "\\a-big.bin").size(), noise.size());
    testsupport::RemoveTreeForTests(root);
}

TEST_F(EndToEnd, ADamagedPackageSaysSoAndLeavesNothing)
{
    std::string bytes = ReadFileText(s_setup);
    // A byte inside the package, well before its trailer.
    bytes[bytes.size() - 8 - 3000] ^= 0x5A;
    const std::string broken = std::string(kWork) + "\\BrokenSetup.exe";
    ASSERT_TRUE(WriteFileText(broken, bytes));

    Program installer(broken);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    ASSERT_TRUE(Press(window, "Install"));
    HWND notice = WaitForDialog(installer.Id(), "Message");
    ASSERT_TRUE(notice);
    Screenshot("broken-package", notice);
    ASSERT_TRUE(Press(notice, "OK"));
    EXPECT_TRUE(WaitUntilVisible(window));
    EXPECT_FALSE(Exists(ProductFolder()));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    CloseByCloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
}

TEST_F(EndToEnd, ASecondInstanceBringsTheFirstToTheFrontAndEnds)
{
    Program first(s_setup);
    HWND window = WaitForInstallerWindow(first.Id());
    ASSERT_TRUE(window);
    Program second(s_setup);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(20000), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    CloseByCloseBox(window);
    EXPECT_EQ(first.WaitForExit(), 0);
}

TEST_F(EndToEnd, TheUninstallerKeepsFilesTheUserAdded)
{
    InstallSample(s_setup);
    const std::string product = ProductFolder();
    ASSERT_TRUE(WriteFileText(product + "\\Manual\\my notes.txt", "mine"));
    UninstallSample();
    EXPECT_EQ(ReadFileText(product + "\\Manual\\my notes.txt"), "mine");
    EXPECT_FALSE(Exists(product + "\\Manual\\index.html"));
    EXPECT_FALSE(Exists(product + "\\ReadMe.txt"));
    EXPECT_TRUE(WaitUntilGone(product + "\\Uninstall"));
    EXPECT_TRUE(Exists(product)) << "the folder with the user's file stays";
}
