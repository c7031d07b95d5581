// The self-removal batch run for real by Wine's command interpreter.
#include "integration/Uninstaller.h"
#include "platform/CFileFind.h"
#include "tests/platform/ScratchFolder.h"
#include "tests/support/SystemState.h"
#include "tests/support/WindowWait.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <set>
#include <string>

using testsupport::Exists;
using testsupport::ReadTestFile;
using testsupport::ScratchFolder;
using testsupport::WriteTestFile;

namespace {

// The self-removal batch files now in the temporary folder.
std::set<std::string> BatchFiles()
{
    std::set<std::string> names;
    for (CFileFind find(testsupport::TempFolder().c_str(), true); find.Found(); find.Next())
        if (std::string(find.Name()).rfind("unins", 0) == 0)
            names.insert(find.Name());
    return names;
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

} // namespace

// The uninstaller, read-only as a copy from a CD would be, is still in use when its removal
// starts: the batch waits for it, then takes it and its folder, keeps the files the user added
// with their folder, and removes itself. (An emptied destination going too is seen end to end.)
TEST(RemoveSelf, TheBatchWaitsForTheUninstallerThenRemovesItItsFolderAndItself)
{
    ScratchFolder scratch("selfrm");
    const std::string dest = scratch / "Sample 100% Tool", uninstall = dest + "\\Uninstall";
    const std::string exe = uninstall + "\\Uninstall.exe";
    ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(uninstall.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(exe, "MZ"));
    ASSERT_TRUE(SetFileAttributesA(exe.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(WriteTestFile(dest + "\\notes.txt", "mine"));
    const std::set<std::string> batchesBefore = BatchFiles();
    ASSERT_FALSE(Running("ping.exe"));
    // Held open without delete sharing.
    HANDLE held = CreateFileA(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RemoveSelf(exe.c_str(), testsupport::TempFolder().c_str());
    // Its first attempt failed and it waits before the next one.
    EXPECT_TRUE(testsupport::WaitUntil([] { return Running("ping.exe"); }, 60000));
    EXPECT_TRUE(Exists(exe));
    CloseHandle(held);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !Exists(uninstall); }, 60000));
    EXPECT_EQ(ReadTestFile(dest + "\\notes.txt"), "mine");
    EXPECT_TRUE(testsupport::WaitUntil([&] { return BatchFiles() == batchesBefore; }, 60000));
}
