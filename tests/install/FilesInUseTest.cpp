// Files that another program holds with delete sharing, or maps as a running program's image
// (which can be moved but not deleted), while the product is installed over or uninstalled.
#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

HANDLE Hold(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The file becomes a real program, mapped as a running one is; the mapping holds it.
HANDLE RunAsProgram(const std::string& path)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CopyFileA(self, path.c_str(), FALSE);
    HANDLE file = Hold(path);
    HANDLE image = CreateFileMappingA(file, nullptr, PAGE_READONLY | SEC_IMAGE, 0, 0, nullptr);
    CloseHandle(file);
    return image;
}

// What the system is to delete at the next restart, each path behind "\??\" and ended by "|"
// (an empty target follows); the list is emptied.
std::string TakePendingRemovals()
{
    CRegKey key(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", CRegKey::kCreateOrOpen);
    std::string data(65536, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(key.Handle(), "PendingFileRenameOperations", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        size = 0;
    RegDeleteValueA(key.Handle(), "PendingFileRenameOperations");
    data.resize(size);
    std::replace(data.begin(), data.end(), '\0', '|');
    return data;
}

class FilesInUse : public ProcedureTest {};

} // namespace

TEST_F(FilesInUse, ARunningProgramIsReplacedOrRemovedAndGoesAtTheRestartAFileSharedForDeletionAtOnce)
{
    ASSERT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    TakePendingRemovals();
    const std::string program = destination + "\\Tools\\convert.exe";
    const std::string backup = "\\??\\" + destination + "\\Tools\\tmp";
    HANDLE earlier = RunAsProgram(program);
    ASSERT_NE(earlier, nullptr);
    // Installed over: the earlier program waits under its backup name for the restart.
    EXPECT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    EXPECT_EQ(ReadTestFile(program), "MZ converter 2.0");
    std::string pending = TakePendingRemovals();
    EXPECT_EQ(pending.rfind(backup, 0), 0u) << pending;
    EXPECT_TRUE(Exists(pending.substr(4, pending.find('|') - 4))) << pending;

    // Uninstalled: the same, then its folders inside out, and the user is told. A file held
    // with delete sharing gives up its name at once, so that a new installation could write it.
    HANDLE running = RunAsProgram(program);
    HANDLE readMe = Hold(destination + "\\ReadMe.txt");
    ASSERT_TRUE(running && readMe != INVALID_HANDLE_VALUE);
    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsOK);
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{" Uninstallation has been completed. The files that "
                                                                  "are still in use will be removed when Windows restarts."});
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    pending = TakePendingRemovals();
    EXPECT_EQ(pending.rfind(backup, 0), 0u) << pending;
    EXPECT_TRUE(Exists(pending.substr(4, pending.find('|') - 4))) << pending;
    EXPECT_NE(pending.find("||\\??\\" + destination + "\\Tools\\Data||\\??\\" + destination + "\\Tools||"),
              std::string::npos) << pending;
    EXPECT_EQ(pending.substr(pending.size() - destination.size() - 3), destination + "|||") << pending;
    CloseHandle(readMe);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((destination + "\\tmp*").c_str(), &found), INVALID_HANDLE_VALUE) << found.cFileName;
    CloseHandle(earlier);
    CloseHandle(running);
}
