// The self-removal batch run for real by Wine's command interpreter.
#include "integration/CSystemFolders.h"
#include "integration/Uninstaller.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

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

// Waits up to a minute for the condition.
template <typename Condition>
bool Within60Seconds(Condition condition)
{
    for (int i = 0; i < 600 && !condition(); ++i)
        Sleep(100);
    return condition();
}

// Whether a program of that name runs: the batch waits between its attempts with "ping".
bool Running(const char* program)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, program) == 0;
    CloseHandle(snapshot);
    return found;
}

// An installed product's folder with its uninstaller.
struct Installed {
    explicit Installed(const ScratchFolder& scratch)
        : dest(scratch / "Sample Tool"), uninstall(dest + "\\Uninstall"), exe(uninstall + "\\Uninstall.exe")
    {
        CreateDirectoryA(dest.c_str(), nullptr);
        CreateDirectoryA(uninstall.c_str(), nullptr);
    }
    std::string dest, uninstall, exe;
};

} // namespace

// A stand-in uninstaller, read-only as a copy from a CD would be, starts its own removal and
// stays a while, as an uninstaller closing its window does.
TEST(RemoveSelf, TheBatchRemovesTheUninstallerItsFolderTheEmptyDestinationAndItself)
{
    ScratchFolder scratch("selfrm");
    Installed installed(scratch);
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    const std::string probe = std::string(own).substr(0, std::string(own).find_last_of('\\') + 1) +
                              "selfremoval_probe.exe";
    ASSERT_TRUE(CopyFileA(probe.c_str(), installed.exe.c_str(), FALSE)) << probe;
    SetFileAttributesA(installed.exe.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::set<std::string> batchesBefore = BatchFiles();

    std::string command = "\"" + installed.exe + "\" 1500";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    EXPECT_TRUE(Within60Seconds([&] { return !Exists(installed.dest); }));
    EXPECT_TRUE(IsFolderForTests(scratch.Path()));
    EXPECT_TRUE(Within60Seconds([&] { return BatchFiles() == batchesBefore; }));
}

// An uninstaller still in use cannot be deleted yet: the batch waits for it, and files the user
// added keep the destination.
TEST(RemoveSelf, TheBatchWaitsForAnUninstallerStillInUse)
{
    ScratchFolder scratch("selfwait");
    Installed installed(scratch);
    ASSERT_TRUE(WriteTestFile(installed.exe, "MZ"));
    ASSERT_TRUE(WriteTestFile(installed.dest + "\\notes.txt", "mine"));
    ASSERT_FALSE(Running("ping.exe"));
    // Held open without delete sharing.
    HANDLE held = CreateFileA(installed.exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RemoveSelf(installed.exe.c_str(), TempFolder().c_str());
    // Its first attempt failed and it waits before the next one.
    EXPECT_TRUE(Within60Seconds([] { return Running("ping.exe"); }));
    EXPECT_TRUE(Exists(installed.exe));
    CloseHandle(held);
    EXPECT_TRUE(Within60Seconds([&] { return !Exists(installed.uninstall); }));
    EXPECT_EQ(ReadTestFile(installed.dest + "\\notes.txt"), "mine");
}
