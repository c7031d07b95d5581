// Files that another program holds while the product is uninstalled or installed over: held
// without sharing, nothing is removed and the files are named; held with delete sharing, their
// names are free at once; mapped as a running program's image, they go at the next restart.
#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

enum class Hold { kNoSharing, kDeleteSharing, kRunningProgram };

// Another program's hold on a file; a running program's file is made a real program first.
struct HeldFile {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE image = nullptr;

    HeldFile(const std::string& path, Hold hold)
    {
        char self[MAX_PATH] = {};
        if (hold == Hold::kRunningProgram && GetModuleFileNameA(nullptr, self, MAX_PATH))
            CopyFileA(self, path.c_str(), FALSE);
        const DWORD share = hold == Hold::kNoSharing ? 0 : FILE_SHARE_READ | FILE_SHARE_DELETE;
        file = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hold == Hold::kRunningProgram)
            image = CreateFileMappingA(file, nullptr, PAGE_READONLY | SEC_IMAGE, 0, 0, nullptr);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { Release(); }
    void Release()
    {
        if (image)
            CloseHandle(image);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        image = nullptr;
        file = INVALID_HANDLE_VALUE;
    }
};

// The paths the system is to delete at the next restart, in their order; the list is emptied.
std::vector<std::string> TakePendingRemovals()
{
    std::vector<std::string> paths;
    CRegKey key(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", CRegKey::kCreateOrOpen);
    std::string data(65536, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(key.Handle(), "PendingFileRenameOperations", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&data[0]), &size) == ERROR_SUCCESS) {
        // Pairs of source and target, each behind "\??\"; an empty target deletes the source.
        for (size_t at = 0; at < size && data[at];) {
            const std::string source = data.c_str() + at;
            const std::string target = data.c_str() + at + source.size() + 1;
            at += source.size() + target.size() + 2;
            if (target.empty())
                paths.push_back(source.substr(4));
        }
    }
    RegDeleteValueA(key.Handle(), "PendingFileRenameOperations");
    return paths;
}

const char* const kUninstalled = " Uninstallation has been completed successfully.";

class FilesInUse : public ProcedureTest {};

} // namespace

TEST_F(FilesInUse, HeldWithoutSharingNothingIsRemovedAndTheFilesAreNamedUntilTheyAreFree)
{
    ASSERT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    std::list<HeldFile> held;
    for (const char* name : {"ReadMe.txt", "Manual\\style.css", "Tools\\convert.exe", "License.txt"}) {
        held.emplace_back(destination + "\\" + name, Hold::kNoSharing);
        ASSERT_NE(held.back().file, INVALID_HANDLE_VALUE) << name;
    }
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsFileInUse);
    EXPECT_EQ(uninstall.dialogs.notices,
              std::vector<std::string>{" Another program is using these files:\n" + destination + "\\ReadMe.txt\n"
                                       + destination + "\\Manual\\style.css\n" + destination
                                       + "\\Tools\\convert.exe\n...\n\nClose the program that uses them and press "
                                         "Uninstall again to finish the removal."});
    // Files, shortcut and uninstaller in place, and no batch file that would remove it.
    ExpectTreeUnchanged(scratch.Path(), before);
    EXPECT_EQ(RegistryValue("InstallDir"), destination);

    held.clear();
    Attempt again(parent, ownPath, ProductEntries());
    again.Uninstall(destination);
    EXPECT_EQ(again.code, kInsOK);
    EXPECT_EQ(again.dialogs.notices, std::vector<std::string>{kUninstalled});
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    EXPECT_TRUE(GoneWithin(destination, 60000));
}

TEST_F(FilesInUse, HeldWithDeleteSharingTheNamesAreFreeAtOnceAndTheFilesGoWithTheHold)
{
    ASSERT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    HeldFile readMe(destination + "\\ReadMe.txt", Hold::kDeleteSharing);
    ASSERT_NE(readMe.file, INVALID_HANDLE_VALUE);
    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsOK);
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{kUninstalled});
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    // A new installation could write the file while the other program still reads the old one.
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    readMe.Release();
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((destination + "\\tmp*").c_str(), &found), INVALID_HANDLE_VALUE) << found.cFileName;
}

TEST_F(FilesInUse, ARunningProgramsFileIsReplacedOrRemovedAndItsRestGoesAtTheRestart)
{
    ASSERT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    TakePendingRemovals();
    const std::string program = destination + "\\Tools\\convert.exe";
    auto held = std::make_unique<HeldFile>(program, Hold::kRunningProgram);
    ASSERT_NE(held->image, nullptr);
    // Installed over: the earlier program waits under its backup name for the restart.
    Attempt over(parent, ownPath, ProductEntries());
    EXPECT_TRUE(over.Run());
    EXPECT_EQ(ReadTestFile(program), "MZ converter 2.0");
    std::vector<std::string> pending = TakePendingRemovals();
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending[0].rfind(destination + "\\Tools\\tmp", 0), 0u) << pending[0];
    EXPECT_TRUE(Exists(pending[0]));

    // Uninstalled: the same, then its folders inside out; and the user is told.
    held = std::make_unique<HeldFile>(program, Hold::kRunningProgram);
    ASSERT_NE(held->image, nullptr);
    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsOK);
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{" Uninstallation has been completed. The files that "
                                                                  "are still in use will be removed when Windows restarts."});
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    pending = TakePendingRemovals();
    ASSERT_GE(pending.size(), 3u);
    EXPECT_EQ(pending[0].rfind(destination + "\\Tools\\tmp", 0), 0u) << pending[0];
    EXPECT_TRUE(Exists(pending[0]));
    EXPECT_EQ(pending[1], destination + "\\Tools\\Data");
    EXPECT_EQ(pending.back(), destination);
}
