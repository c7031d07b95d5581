// The self-removal batch run for real by Wine's command interpreter.
#include "integration/CSystemFolders.h"
#include "integration/SelfRemovalBatch.h"
#include "integration/Uninstaller.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

using testsupport::Exists;
using testsupport::IsFolderForTests;
using testsupport::ReadTestFile;
using testsupport::ScratchFolder;
using testsupport::WriteTestFile;

namespace {

std::string TempFolder()
{
    return CSystemFolders().Temp().Text();
}

// The self-removal batch files now in the temporary folder.
std::set<std::string> BatchFiles()
{
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((TempFolder() + "unins*.bat").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// Waits up to `seconds` for the path to disappear.
bool GoneWithin(const std::string& path, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (!Exists(path))
            return true;
        Sleep(100);
    }
    return !Exists(path);
}

std::string ProbePath()
{
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string path = own;
    return path.substr(0, path.find_last_of('\\') + 1) + "selfremoval_probe.exe";
}

// Starts the program and waits for it to end; false if it could not be run.
bool RunToTheEnd(const std::string& program, const char* argument)
{
    std::string command = "\"" + program + "\" " + argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == WAIT_OBJECT_0;
}

// An installed product's folder with a copy of the probe as its uninstaller.
class InstalledProbe {
public:
    explicit InstalledProbe(const ScratchFolder& scratch, bool readOnly = false)
        : m_dest(scratch / "Sample Tool"), m_uninstall(m_dest + "\\Uninstall"), m_exe(m_uninstall + "\\Uninstall.exe")
    {
        CreateDirectoryA(m_dest.c_str(), nullptr);
        CreateDirectoryA(m_uninstall.c_str(), nullptr);
        m_ready = CopyFileA(ProbePath().c_str(), m_exe.c_str(), FALSE) != 0;
        if (readOnly)
            SetFileAttributesA(m_exe.c_str(), FILE_ATTRIBUTE_READONLY);
    }

    bool m_ready = false;
    std::string m_dest;
    std::string m_uninstall;
    std::string m_exe;
};

} // namespace

TEST(RemoveSelf, TheBatchRemovesTheUninstallerItsFolderAndTheEmptyDestination)
{
    ScratchFolder scratch("selfrm");
    InstalledProbe installed(scratch);
    ASSERT_TRUE(installed.m_ready) << ProbePath();
    std::set<std::string> batchesBefore = BatchFiles();
    // The probe stays a while after starting the batch, as an uninstaller closing its window does.
    ASSERT_TRUE(RunToTheEnd(installed.m_exe, "1500"));
    EXPECT_TRUE(GoneWithin(installed.m_dest, 60));
    EXPECT_TRUE(IsFolderForTests(scratch.Path()));
    for (int i = 0; i < 50 && BatchFiles() != batchesBefore; ++i)
        Sleep(100);
    EXPECT_EQ(BatchFiles(), batchesBefore);
}

TEST(RemoveSelf, FilesTheUserAddedKeepTheDestination)
{
    ScratchFolder scratch("selfkeep");
    InstalledProbe installed(scratch, true);
    ASSERT_TRUE(installed.m_ready);
    ASSERT_TRUE(WriteTestFile(installed.m_dest + "\\notes.txt", "mine"));
    ASSERT_TRUE(RunToTheEnd(installed.m_exe, "0"));
    // Read-only as a copy from a CD would be, the uninstaller still goes.
    EXPECT_TRUE(GoneWithin(installed.m_uninstall, 60));
    EXPECT_EQ(ReadTestFile(installed.m_dest + "\\notes.txt"), "mine");
}

TEST(RemoveSelf, TheBatchWaitsForAnUninstallerStillInUse)
{
    ScratchFolder scratch("selfwait");
    std::string dest = scratch / "Sample Tool";
    std::string uninstall = dest + "\\Uninstall";
    std::string exe = uninstall + "\\Uninstall.exe";
    ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(uninstall.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(exe, "MZ"));
    std::set<std::string> batchesBefore = BatchFiles();
    // Held open without delete sharing, the file cannot be deleted yet.
    HANDLE held = CreateFileA(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RemoveSelf(exe.c_str(), TempFolder().c_str());

    std::string batch;
    for (int i = 0; i < 50 && batch.empty(); ++i) {
        for (const std::string& name : BatchFiles())
            if (!batchesBefore.count(name))
                batch = TempFolder() + name;
        if (batch.empty())
            Sleep(100);
    }
    ASSERT_FALSE(batch.empty());
    // The batch holds the commands for these paths (their lines are checked natively).
    EXPECT_EQ(ReadTestFile(batch), SelfRemovalBatchText(exe.c_str(), uninstall.c_str(), dest.c_str(), batch.c_str()).Text());

    Sleep(3000);
    EXPECT_TRUE(Exists(exe));
    EXPECT_TRUE(Exists(batch));
    CloseHandle(held);
    EXPECT_TRUE(GoneWithin(dest, 60));
    EXPECT_TRUE(GoneWithin(batch, 10));
}
