// An installation over an earlier one, stopped at a known entry or ended by force
// (TerminateProcess, as from the task manager) at many points of its file phase. Stopped, it is
// undone at once; killed, the next start of the same installer, or of the earlier installation's
// uninstaller, undoes it from its journal file. Either way the product folder is as it was, the
// user's files included. (A journal file cut short at any byte is tried in the journal's own
// tests.)
#include "tests/e2e/InstallerSession.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;
using testsupport::Noise;
using testsupport::TakeSnapshot;
using testsupport::TreeSnapshot;

namespace {

const char* const kWork = "C:\\e2e-crash";
const size_t kLargeSize = 16 << 20;

// The package's files in the order the packer writes them (names sorted, each folder before
// what it holds): 100 entries with the folders, the large file among them.
std::vector<std::string> PackageFiles()
{
    std::vector<std::string> files;
    auto add = [&](const char* stem, int count) {
        for (int i = 0; i < count; ++i)
            files.push_back(stem + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt");
    };
    add("a-docs\\page", 30);
    files.push_back("b-large.bin");
    add("c-lib\\module", 60);
    add("d-extra\\extra", 5);
    return files;
}

std::string Contents(const std::string& file, const char* version)
{
    return file + " of version " + version + std::string(file.size() * 37 % 3000, '.');
}

// Read once: the program-files value is the installer's too, and no test beside this one changes
// it (the program_files lock).
std::string CrashProduct()
{
    static const std::string product = ProgramFilesFolder() + "\\Crash Tool";
    return product;
}

std::vector<WIN32_FIND_DATAA> Find(const std::string& pattern)
{
    std::vector<WIN32_FIND_DATAA> found(1);
    HANDLE find = FindFirstFileA(pattern.c_str(), &found.back());
    if (find == INVALID_HANDLE_VALUE)
        return {};
    while (found.emplace_back(), FindNextFileA(find, &found.back())) {
    }
    found.pop_back();
    FindClose(find);
    return found;
}

// Version 1.0 as installed earlier, with its uninstaller, and the user's own files beside it,
// two of them named like the installer's backups and temporary files.
void MakeEarlierInstallation(const std::string& setup)
{
    ProductFiles files = {{"Notes.txt", "the user's notes"},
                          {"ins123", "the user's file called ins123"},
                          {"c-lib\\tmp9.txt", "the user's file called tmp9"},
                          {"Uninstall\\Uninstall.exe", ReadTestFile(setup)}};
    const std::vector<std::string> packed = PackageFiles();
    for (size_t i = 0; i < packed.size(); i += 2) {
        if (packed[i] != "b-large.bin" && packed[i].rfind("d-extra", 0) != 0)
            files.emplace_back(packed[i], Contents(packed[i], "1.0"));
    }
    testsupport::RemoveTreeForTests(CrashProduct());
    WriteFiles(CrashProduct(), files);
}

class CrashedInstallation : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testsupport::RemoveTreeForTests(kWork);
        ProductFiles files;
        for (const std::string& file : PackageFiles())
            files.emplace_back(file, file == "b-large.bin" ? Noise(kLargeSize, 3) : Contents(file, "2.0"));
        s_setup = PackProduct(kWork, "CrashSetup.exe", files, "<Folder>\n\"Crash Tool\"\n");
        // Left by an earlier run that failed: it would be acted on at the first start.
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Installer\\Installations in progress\\Crash Tool");
        std::printf("The product folder compared: %s\n", CrashProduct().c_str());
    }
    static void TearDownTestSuite() { testsupport::RemoveTreeForTests(kWork); }

    void SetUp() override
    {
        ASSERT_NE(s_setup, "") << "the product could not be packed";
        MakeEarlierInstallation(s_setup);
        before = TakeSnapshot(CrashProduct());
    }
    void TearDown() override { testsupport::RemoveTreeForTests(CrashProduct()); }

    // Starts the installation over the earlier one (the folder exists: a question, answered
    // OK) and holds the installer still once `reached` holds; its window, or null.
    static HWND InstallUntil(Program& installer, const std::function<bool()>& reached)
    {
        HWND window = WaitForInstallerWindow(installer.Id());
        if (!window || !Press(window, kInstallButton))
            return nullptr;
        HWND question = WaitForDialog(installer.Id(), kMessageTitle);
        if (!question || !HasButton(question, kCancelButton) || !Press(question, kOkButton))
            return nullptr;
        return installer.PauseWhen(reached) ? window : nullptr;
    }

    // Ends the installation by force in the state `reached` describes.
    void KillWhen(const std::function<bool()>& reached)
    {
        Program installer(s_setup);
        ASSERT_TRUE(InstallUntil(installer, reached)) << "the installation never reached the point";
        ASSERT_TRUE(installer.Kill()) << "the installer did not end";
        ASSERT_NE(TakeSnapshot(CrashProduct()), before) << "killed before it changed anything";
    }

    // Starts a program of the product, which tells of the undone installation before its window
    // opens; closes the window again.
    static void StartAndClose(const std::string& program)
    {
        Program started(program);
        HWND notice = WaitForDialog(started.Id(), kMessageTitle);
        ASSERT_TRUE(notice);
        EXPECT_FALSE(HasButton(notice, kCancelButton)) << "a notice, not a question";
        EXPECT_NE(testsupport::SaveScreenshot("interrupted-installation-undone", notice), "");
        ASSERT_TRUE(Press(notice, kOkButton));
        // The window shows once start-up is over: no notice came before it unless answered.
        HWND window = WaitForInstallerWindow(started.Id());
        ASSERT_TRUE(window);
        uidriver::CloseBox(window);
        EXPECT_EQ(started.WaitForExit(), 0);
    }

    void ExpectAsBefore() { testsupport::ExpectTreeUnchanged(CrashProduct(), before); }

    TreeSnapshot before;
    static std::string s_setup;
};

std::string CrashedInstallation::s_setup;

// The package's file with this number (from 1) has its new contents at its name.
std::function<bool()> FileInstalled(size_t number)
{
    const std::string file = PackageFiles()[number - 1];
    return [file] { return ReadTestFile(CrashProduct() + "\\" + file) == Contents(file, "2.0"); };
}

// The large file is being written: its temporary file holds part of it.
bool LargeFileHalfWritten()
{
    for (const WIN32_FIND_DATAA& temp : Find(CrashProduct() + "\\ins*")) {
        if (temp.nFileSizeLow > (1u << 20) && temp.nFileSizeLow < kLargeSize)
            return true;
    }
    return false;
}

} // namespace

TEST_F(CrashedInstallation, KilledAtAnyPointOfTheFilePhaseIsUndoneAtTheNextStart)
{
    // 93: a file in a folder that this installation made, written at its own name.
    for (size_t number : {1, 2, 5, 10, 20, 40, 60, 80, 93}) {
        SCOPED_TRACE("killed after file " + std::to_string(number));
        ASSERT_NO_FATAL_FAILURE(KillWhen(FileInstalled(number)));
        ASSERT_NO_FATAL_FAILURE(StartAndClose(s_setup));
        ExpectAsBefore();
        SetUp();
    }
    {
        SCOPED_TRACE("killed while the large file was written; undone by the earlier uninstaller");
        ASSERT_NO_FATAL_FAILURE(KillWhen(LargeFileHalfWritten));
        ASSERT_NO_FATAL_FAILURE(StartAndClose(CrashProduct() + "\\Uninstall\\Uninstall.exe"));
        ExpectAsBefore();
    }
}

TEST_F(CrashedInstallation, StopAtAKnownEntryUndoesTheInstallation)
{
    Program installer(s_setup);
    HWND window = InstallUntil(installer, FileInstalled(20));
    ASSERT_TRUE(window) << "the installation never reached file 20";
    // Held still before the end of its files, the installer comes to at least one more wait
    // step (each entry's, and one after the last) before Stop is disabled, and there it handles
    // the posted click.
    HWND progress = WaitForDialog(installer.Id(), kProgressTitle, 1000);
    HWND stop = progress ? uidriver::FindChild(progress, "Button", nullptr) : nullptr;
    ASSERT_TRUE(stop && IsWindowEnabled(stop));
    ASSERT_TRUE(PostMessageA(stop, BM_CLICK, 0, 0));
    installer.Resume();
    ASSERT_TRUE(WaitUntilVisible(window)) << "the install page comes back";
    ExpectAsBefore();
    uidriver::CloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
}
