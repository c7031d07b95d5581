#include "install/CInstallMarks.h"
#include "platform/CTextBuilder.h"
#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

uint64_t g_freeBytes = 0;
bool FixedFreeSpace(const char*, uint64_t& bytes)
{
    bytes = g_freeBytes;
    return true;
}
bool UnreadableVolume(const char*, uint64_t&) { return false; }

const char* const kFolderExists = " The folder already exists. Some files will be overwritten.\nDo you install anyway?";
const char* const kNoJournal = " Cannot record the installation in the destination folder. Nothing was changed.";
const char* const kShortOfSpace = " There is not enough space to install.\nDo you install anyway?";

// Held with delete sharing, as a program does that lets the file go.
HANDLE Hold(const std::string& path, DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE)
{
    return CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
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
    CTextBuilder data;
    DWORD type = 0;
    key.QueryValue("PendingFileRenameOperations", data, type);
    key.DeleteValue("PendingFileRenameOperations");
    std::string text(data.Text(), data.Length());
    std::replace(text.begin(), text.end(), '\0', '|');
    return text;
}

class InstallProcedure : public ProcedureTest {};

} // namespace

TEST_F(InstallProcedure, InstallsIntegratesAndCopiesTheUninstallerThatRemovesAllButTheUsersFilesOrNothing)
{
    Attempt attempt(parent, ownPath, ProductEntries());
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 2.0");
    EXPECT_EQ(std::string(attempt.run.destination.Text()), destination);
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kRegistryKey, "InstallDir"), destination);
    EXPECT_TRUE(Exists(destination + "\\Read Me.lnk"));
    EXPECT_EQ(ReadTestFile(destination + "\\Uninstall\\Uninstall.exe"), ReadTestFile(ownPath));
    // The progress dialog runs over the package, can be stopped until the files are in, and
    // goes before the one notice.
    FakeDialogs& dialogs = attempt.dialogs;
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"open", "hide window", "disable stop", "close", "notice"}));
    EXPECT_EQ(dialogs.stopLabelShown, "Cancel");
    EXPECT_EQ(dialogs.progressMessage, "Installing files...");
    EXPECT_EQ(dialogs.progressMaximum, 11 * FakePackage::kEntrySize);
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{" Installation has been completed successfully."});
    ASSERT_FALSE(dialogs.positions.empty());
    EXPECT_EQ(dialogs.positions.front(), 0u);

    // A file of the user's beside the product's, a folder of the user's in a product folder, and
    // a product file the user edited.
    WriteTestFile(destination + "\\Manual\\my notes.txt", "mine");
    CreateDirectoryA((destination + "\\Manual\\Notes").c_str(), nullptr);
    WriteTestFile(destination + "\\Manual\\Notes\\note.txt", "a note");
    WriteTestFile(destination + "\\Manual\\index.html", "edited by the user, still the product's file");
    // A damaged package, or files that another program holds (the first three named): nothing
    // is removed, not the shortcut, the registry values or the uninstaller (no batch file).
    std::vector<FakeEntry> damaged = ProductEntries();
    damaged[3].cutHeader = true;
    std::vector<HANDLE> held;
    for (const char* name : {"ReadMe.txt", "Manual\\style.css", "Tools\\convert.exe", "License.txt"})
        held.push_back(Hold(destination + "\\" + name, 0));
    // Or no journal in the product's folder for the moves aside (a folder at its name).
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    const std::string blocked = destination + "\\Installing.journal";
    for (InstallResult code : {kInsBroken, kInsFileInUse, kInsNoJournal}) {
        if (code == kInsNoJournal)
            CreateDirectoryA(blocked.c_str(), nullptr);
        Attempt refused(parent, ownPath, code == kInsBroken ? damaged : ProductEntries());
        refused.Uninstall(destination);
        RemoveDirectoryA(blocked.c_str());
        EXPECT_EQ(refused.code, code);
        const std::string shown = destination + "\\ReadMe.txt\n" + destination + "\\Manual\\style.css\n" + destination;
        const std::string inUse = " Another program is using these files:\n" + shown + "\\Tools\\convert.exe"
                                  "\n...\n\nClose the program that uses them and press Uninstall again to finish the removal.";
        EXPECT_EQ(refused.dialogs.notices, std::vector<std::string>{code == kInsBroken ? " This installer is broken."
                                                                    : code == kInsFileInUse ? inUse : kNoJournal});
        ExpectTreeUnchanged(scratch.Path(), before);
        EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kRegistryKey, "InstallDir"), destination);
        EXPECT_TRUE(CInstallMarks(refused.run.marksKey, "Sample Tool").List().IsEmpty());
    }
    for (HANDLE file : held)
        CloseHandle(file);

    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsOK);
    TreeSnapshot after = TakeSnapshot(destination);
    for (const char* gone : {"ReadMe.txt", "Tools", "Manual\\index.html", "Read Me.lnk"})
        EXPECT_FALSE(after.count(gone)) << gone;
    EXPECT_EQ(after["Manual\\my notes.txt"].contents, "mine");
    EXPECT_EQ(after["Manual\\Notes\\note.txt"].contents, "a note");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRegistryKey));
    EXPECT_EQ(uninstall.dialogs.events, (std::vector<std::string>{"open", "hide window", "close", "notice"}));
    EXPECT_EQ(uninstall.dialogs.progressMessage, "Uninstalling files...");
    EXPECT_EQ(uninstall.dialogs.stopLabelShown, "") << "an uninstallation cannot be stopped";
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{" Uninstallation has been completed successfully."});
    // The uninstaller and its folder are left to the self-removal batch (uninstaller_tests).
    EXPECT_TRUE(IsFolderForTests(destination + "\\Manual"));
}

TEST_F(InstallProcedure, DescriptionTextsReplaceTheBuiltInMessagesAndListedApplicationsAskForRegistration)
{
    // A folder value of two bare words names the folder after the first.
    CreateDirectoryA((parent + "\\Sample").c_str(), nullptr);
    Attempt attempt(parent, ownPath, ProductEntries(),
                    "<Folder>\nSample Tool\n\n<InsExist>\nReplace Sample Tool?\n\n<InsDone>\nSample Tool is ready.\n\n"
                    "<RegApps>\nSampleTool.exe\n\n<RegText>\nPlease enter your name.\n");
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.dialogs.questions, std::vector<std::string>{"Replace Sample Tool?"});
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{"Sample Tool is ready."});
    EXPECT_EQ(attempt.dialogs.registrationText, "Please enter your name.");
    EXPECT_EQ(ReadTestFile(parent + "\\Sample\\ReadMe.txt"), "read me 2.0");
    EXPECT_FALSE(Exists(destination));
}

TEST_F(InstallProcedure, SpaceIsComparedInWholeKibibytesAndTheUserMayGoOn)
{
    struct Case {
        uint32_t required;
        uint64_t free;
        bool asks;
    } cases[] = {
        {3 * 1024, 3 * 1024, false},
        {3 * 1024 + 1, 3 * 1024 + 1023, true},
        {3 * 1024 + 1, 4 * 1024, false},
        // A total just under 4 GiB needs 4 GiB: the rounding must not wrap to nothing.
        {0xFFFFFFFFu, uint64_t(1) << 30, true},
        {0xFFFFFFFFu, uint64_t(4) << 30, false},
        // Free space beyond 4 GiB counts in full.
        {0x80000000u, uint64_t(5) << 30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.required) + " of " + std::to_string(c.free));
        RemoveTreeForTests(destination);
        Attempt attempt(parent, ownPath, ProductEntries());
        attempt.run.freeSpace = &FixedFreeSpace;
        attempt.run.requiredBytes = c.required;
        g_freeBytes = c.free;
        EXPECT_TRUE(attempt.Run());
        EXPECT_EQ(attempt.dialogs.questions, c.asks ? std::vector<std::string>{kShortOfSpace} : std::vector<std::string>{});
    }
}

// Held with delete sharing, or mapped as a running program's image (moved, not deleted).
TEST_F(InstallProcedure, ARunningProgramIsReplacedOrRemovedAndGoesAtTheRestartAFileSharedForDeletionAtOnce)
{
    ASSERT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    TakePendingRemovals();
    const std::string program = destination + "\\Tools\\convert.exe";
    // The program waits under its backup name for the restart, the first thing to go then.
    const auto expectBackupPending = [&](const std::string& pending) {
        EXPECT_EQ(pending.rfind("\\??\\" + destination + "\\Tools\\tmp", 0), 0u) << pending;
        EXPECT_TRUE(Exists(pending.substr(4, pending.find('|') - 4))) << pending;
    };
    HANDLE earlier = RunAsProgram(program);
    ASSERT_NE(earlier, nullptr);
    EXPECT_TRUE(Attempt(parent, ownPath, ProductEntries()).Run());
    EXPECT_EQ(ReadTestFile(program), "MZ converter 2.0");
    expectBackupPending(TakePendingRemovals());

    // Uninstalled: its folders follow it, inside out, and the user is told. A file held with
    // delete sharing gives up its name at once, so that a new installation could write it.
    HANDLE running = RunAsProgram(program), readMe = Hold(destination + "\\ReadMe.txt");
    ASSERT_TRUE(running && readMe != INVALID_HANDLE_VALUE);
    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsOK);
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{" Uninstallation has been completed. The files that "
                                                                  "are still in use will be removed when Windows restarts."});
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRegistryKey));
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    const std::string pending = TakePendingRemovals();
    expectBackupPending(pending);
    EXPECT_NE(pending.find("Tools\\Data||\\??\\" + destination + "\\Tools||"), std::string::npos) << pending;
    EXPECT_EQ(pending.substr(pending.size() - destination.size() - 3), destination + "|||") << pending;
    for (HANDLE handle : {readMe, earlier, running})
        CloseHandle(handle);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((destination + "\\tmp*").c_str(), &found), INVALID_HANDLE_VALUE) << found.cFileName;
}

namespace {

// An attempt that ends before anything is installed: what stands in the way or what the user
// answers, the result, the question asked and the one notice (none when the user cancels).
struct Refusal {
    const char* name;
    void (*arrange)(Attempt& attempt, const std::string& destination);
    InstallResult code;
    const char* question;
    const char* notice;
    const char* descriptionExtra = "";
};

class InstallRefused : public ProcedureTest, public ::testing::WithParamInterface<Refusal> {};

const Refusal kRefusals[] = {
    {"FolderExistsDeclined",
     [](Attempt& attempt, const std::string& destination) {
         CreateDirectoryA(destination.c_str(), nullptr);
         WriteTestFile(destination + "\\ReadMe.txt", "old read me");
         attempt.dialogs.answers = {false};
     },
     kInsCanceled, kFolderExists, nullptr},
    {"MissingParentFolder",
     [](Attempt& attempt, const std::string& destination) {
         attempt.run.parentFolder = LString((destination + "\\Gone").c_str());
     },
     kInsNoDestination, nullptr, " The destination folder does not exist."},
    {"ShortOfSpaceDeclined",
     [](Attempt& attempt, const std::string&) {
         attempt.run.freeSpace = &FixedFreeSpace;
         attempt.run.requiredBytes = 2049; // 3 KiB, rounded up
         g_freeBytes = 3 * 1024 - 1;       // 2 KiB, rounded down
         attempt.dialogs.answers = {false};
     },
     kInsCanceled, kShortOfSpace, nullptr},
    {"VolumeCannotBeQueried", [](Attempt& attempt, const std::string&) { attempt.run.freeSpace = &UnreadableVolume; },
     kInsNoVolumeAccess, nullptr, " Cannot access to the destination volume."},
    {"RegistrationDeclined", [](Attempt& attempt, const std::string&) { attempt.dialogs.registrationAnswer = false; },
     kInsCanceled, nullptr, nullptr, "<RegApps>\nSampleTool.exe\n"},
    {"RegistrationWithoutName", [](Attempt& attempt, const std::string&) { attempt.dialogs.userName.clear(); },
     kInsCanceled, nullptr, nullptr, "<RegApps>\nSampleTool.exe\n"},
    {"NoProgressDialog", [](Attempt& attempt, const std::string&) { attempt.dialogs.failOpen = true; }, kInsNoMemory,
     nullptr, " Insufficient program memory."},
    {"FolderWhereAFileGoes",
     [](Attempt&, const std::string& destination) {
         CreateDirectoryA(destination.c_str(), nullptr);
         CreateDirectoryA((destination + "\\SampleTool.ini").c_str(), nullptr);
     },
     kInsFolderInTheWay, kFolderExists, " There is a folder with same name as installing file."},
    {"FileWhereTheProductFolderGoes",
     [](Attempt&, const std::string& destination) { WriteTestFile(destination, "a file named like the folder"); },
     kInsCannotCreateFolder, kFolderExists, " Cannot create destination folder."},
    {"FileWhereAFolderGoes",
     [](Attempt&, const std::string& destination) {
         CreateDirectoryA(destination.c_str(), nullptr);
         WriteTestFile(destination + "\\Manual", "a plain file named like the folder");
     },
     kInsCannotCreateFolder, kFolderExists, " Cannot create destination folder."},
    {"JournalCannotBeMade",
     [](Attempt&, const std::string& to) {
         CreateDirectoryA(to.c_str(), nullptr);
         CreateDirectoryA((to + "\\Installing.journal").c_str(), nullptr);
     },
     kInsNoJournal, kFolderExists, kNoJournal},
};

} // namespace

TEST_P(InstallRefused, EndsWithItsMessageAndChangesNothing)
{
    const Refusal& refusal = GetParam();
    Attempt attempt(parent, ownPath, ProductEntries(), Description(refusal.descriptionExtra));
    refusal.arrange(attempt, destination);
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, refusal.code);
    EXPECT_EQ(attempt.dialogs.questions,
              refusal.question ? std::vector<std::string>{refusal.question} : std::vector<std::string>{});
    EXPECT_EQ(attempt.dialogs.notices,
              refusal.notice ? std::vector<std::string>{refusal.notice} : std::vector<std::string>{});
    ExpectTreeUnchanged(scratch.Path(), before);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRegistryKey));
}

INSTANTIATE_TEST_SUITE_P(Refusals, InstallRefused, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });
