// The packed sample product installed and uninstalled as a user would: the installer runs as
// a process of its own, and the test presses its buttons through window messages. What the
// procedures do in each case is tested in process; here what only the whole program shows.
// Run by an English user and, once more, by a Japanese one: each sees the texts of their
// language, written here as the user is to read them.
#include "tests/e2e/InstallerSession.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

const char* const kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\SampleTool";
const char* const kSampleFiles[] = {"ReadMe.txt", "SampleTool.exe", "SampleTool.inf", "SampleTool.ini",
                                    "Manual\\index.html", "Manual\\style.css", "Settings\\SampleTool.ini"};

std::string SampleStage() { return WindowsPath(SAMPLE_STAGE); }
std::string ProductFolder() { return ProgramFilesFolder() + "\\Sample Tool"; }

std::string StartMenuGroup()
{
    return RegistryValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         "Programs") + "\\" + uidriver::Expected(L"Sample Tool", L"サンプルツール");
}

// Every trace of an earlier run of the sample.
void RemoveSample()
{
    testsupport::RemoveTreeForTests(ProductFolder());
    testsupport::RemoveTreeForTests(StartMenuGroup());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sample Vendor");
}

class EndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(kWork, nullptr);
        const std::string setup = std::string(kWork) + "\\SampleSetup.exe";
        s_setup = Pack(SampleStage() + "\\description.txt", SampleStage() + "\\product", setup) ? setup : "";
    }
    static void TearDownTestSuite() { testsupport::RemoveTreeForTests(kWork); }
    void SetUp() override
    {
        ASSERT_NE(s_setup, "") << "the sample could not be packed";
        RemoveSample();
    }
    void TearDown() override { RemoveSample(); }

    // Starts the program, checks the page's title and button, presses it and closes the
    // closing notice, with screenshots that prove the display showed the page and the notice.
    static void RunThrough(const std::string& program, TextId button, const std::string& title,
                           const std::string& label, const std::string& shotPrefix)
    {
        Program started(program);
        HWND window = WaitForInstallerWindow(started.Id());
        ASSERT_TRUE(window);
        EXPECT_NE(testsupport::SaveScreenshot(shotPrefix + "page", window), "");
        EXPECT_EQ(TextOf(window), title);
        EXPECT_TRUE(uidriver::FindChild(window, "Button", label.c_str())) << label;
        ASSERT_TRUE(Press(window, button));
        HWND notice = WaitForDialog(started.Id(), kMessageTitle);
        ASSERT_TRUE(notice);
        EXPECT_NE(testsupport::SaveScreenshot(shotPrefix + "done", notice), "");
        EXPECT_EQ(TextOf(notice), uidriver::Expected(L"Message", L"メッセージ"));
        const std::string ok = uidriver::Expected(L"OK", L"了解");
        EXPECT_TRUE(uidriver::FindChild(notice, "Button", ok.c_str())) << ok;
        EXPECT_FALSE(HasButton(notice, kCancelButton)) << "a notice, not a question";
        ASSERT_TRUE(Press(notice, kOkButton));
        EXPECT_EQ(started.WaitForExit(), 0);
    }
    // Read without messages, as the program may be busy.
    static std::string TextOf(HWND window)
    {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    static constexpr const char* kWork = "C:\\e2e-installer";
    static std::string s_setup;
};

std::string EndToEnd::s_setup;

} // namespace

TEST_F(EndToEnd, InstallsTheSampleIntoTheSuggestedFolderAndUninstallsIt)
{
    ASSERT_NO_FATAL_FAILURE(RunThrough(s_setup, kInstallButton,
                                       uidriver::Expected(L"Sample Tool Installer", L"サンプルツール インストーラ"),
                                       uidriver::Expected(L"Install", L"インストール"), "install-"));
    const std::string product = ProductFolder();
    testsupport::TreeSnapshot installed = testsupport::TakeSnapshot(product);
    testsupport::TreeSnapshot staged = testsupport::TakeSnapshot(SampleStage() + "\\product");
    for (const char* file : kSampleFiles) {
        EXPECT_TRUE(installed[file].contents == staged[file].contents) << file;
        // The package keeps times to the second. The description's INF copies SampleTool.ini
        // over Settings\SampleTool.ini afterwards, its times with it.
        const std::string timesFrom = std::string(file) == "Settings\\SampleTool.ini" ? "SampleTool.ini" : file;
        EXPECT_EQ(installed[file].lastWrite / 10000000, staged[timesFrom].lastWrite / 10000000) << file;
    }
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"),
              uidriver::Expected(L"Sample Tool 1.0", L"サンプルツール 1.0"));
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), product);
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sample Vendor\\Sample Tool", "InstallDir"), product);
    const std::string group = StartMenuGroup();
    EXPECT_TRUE(Exists(group + "\\" + uidriver::Expected(L"Sample Tool.lnk", L"サンプルツール.lnk")));
    EXPECT_TRUE(Exists(group + "\\" + uidriver::Expected(L"Sample Tool Manual.lnk", L"サンプルツール マニュアル.lnk")));
    EXPECT_TRUE(ReadTestFile(product + "\\Uninstall\\Uninstall.exe") == ReadTestFile(s_setup));

    ASSERT_NO_FATAL_FAILURE(RunThrough(product + "\\Uninstall\\Uninstall.exe", kUninstallButton,
                                       uidriver::Expected(L"Sample Tool Uninstaller", L"サンプルツール アンインストーラ"),
                                       uidriver::Expected(L"Uninstall", L"アンインストール"), "uninstall-"));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sample Vendor\\Sample Tool"));
    // The batch file removes the uninstaller, its folder and the emptied product folder.
    EXPECT_TRUE(testsupport::GoneWithin(product, 60000));
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
    uidriver::CloseBox(window);
    EXPECT_EQ(first.WaitForExit(), 0);
}
