#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::vector<FakeEntry> ProductEntries()
{
    return {
        Folder("."),
        Folder("Manual"),
        File("ReadMe.txt", "read me 1.0"),
        File("Manual/index.html", "<html>1.0</html>"),
        File("SampleTool.ini", "[Settings]\r\n1.0"),
    };
}

uint64_t g_freeBytes = 0;
bool FixedFreeSpace(const char*, uint64_t& bytes)
{
    bytes = g_freeBytes;
    return true;
}
bool UnreadableVolume(const char*, uint64_t&) { return false; }

const char* const kFolderExists = " The folder already exists. Some files will be overwritten.\nDo you install anyway?";
const char* const kShortOfSpace = " There is not enough space to install.\nDo you install anyway?";

class InstallProcedure : public ProcedureTest {};

} // namespace

TEST_F(InstallProcedure, InstallsThePackageIntegratesItAndCopiesTheUninstaller)
{
    Attempt attempt(parent, ownPath, ProductEntries());
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsOK);

    EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 1.0");
    EXPECT_EQ(ReadTestFile(destination + "\\Manual\\index.html"), "<html>1.0</html>");
    EXPECT_EQ(std::string(attempt.run.destination.Text()), destination);
    EXPECT_EQ(RegistryValue("InstallDir"), destination);
    EXPECT_TRUE(Exists(destination + "\\Read Me.lnk"));
    EXPECT_EQ(ReadTestFile(destination + "\\Uninstall\\Uninstall.exe"), ReadTestFile(ownPath));

    // The progress dialog runs over the package, can be stopped until the files are in, and
    // goes before the one notice.
    FakeDialogs& dialogs = attempt.dialogs;
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"open", "hide window", "disable stop", "close", "notice"}));
    EXPECT_EQ(dialogs.stopLabelShown, "Cancel");
    EXPECT_EQ(dialogs.progressMessage, "Installing files...");
    EXPECT_EQ(dialogs.progressMaximum, 5 * FakePackage::kEntrySize);
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{" Installation has been completed successfully."});
    ASSERT_FALSE(dialogs.positions.empty());
    EXPECT_EQ(dialogs.positions.front(), 0u);
}

TEST_F(InstallProcedure, DescriptionTextsReplaceTheBuiltInMessages)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    Attempt attempt(parent, ownPath, ProductEntries(),
                    Description("<InsExist>\nReplace Sample Tool?\n\n<InsDone>\nSample Tool is ready.\n"));
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.dialogs.questions, std::vector<std::string>{"Replace Sample Tool?"});
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{"Sample Tool is ready."});
}

TEST_F(InstallProcedure, AFolderValueOfTwoBareWordsNamesTheFolderAfterTheFirst)
{
    Attempt attempt(parent, ownPath, ProductEntries(), "<Folder>\nSample Tool\n");
    EXPECT_TRUE(attempt.Run());
    EXPECT_TRUE(Exists(parent + "\\Sample\\ReadMe.txt"));
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

TEST_F(InstallProcedure, RegistrationIsAskedOnlyWhenTheDescriptionListsRegistrationApplications)
{
    Attempt plain(parent, ownPath, ProductEntries());
    EXPECT_TRUE(plain.Run());
    EXPECT_EQ(std::count(plain.dialogs.events.begin(), plain.dialogs.events.end(), "register"), 0);
    RemoveTreeForTests(destination);

    const std::string registration = Description("<RegApps>\nSampleTool.exe\n\n<RegText>\nPlease enter your name.\n");
    Attempt registered(parent, ownPath, ProductEntries(), registration);
    EXPECT_TRUE(registered.Run());
    EXPECT_EQ(registered.dialogs.registrationText, "Please enter your name.");
    EXPECT_TRUE(Exists(destination + "\\ReadMe.txt"));
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
    int corruptEntry = -1;
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
    {"DamagedPackage", [](Attempt&, const std::string&) {}, kInsBroken, nullptr, " This installer is broken.", "", 3},
    {"FolderWhereAFileGoes",
     [](Attempt&, const std::string& destination) {
         CreateDirectoryA(destination.c_str(), nullptr);
         CreateDirectoryA((destination + "\\SampleTool.ini").c_str(), nullptr);
     },
     kInsFolderInTheWay, kFolderExists, " There is a folder with same name as installing file."},
    {"FileWhereTheProductFolderGoes",
     [](Attempt&, const std::string& destination) { WriteTestFile(destination, "a file named like the folder"); },
     kInsCannotCreateFolder, kFolderExists, " Cannot create destination folder."},
};

} // namespace

TEST_P(InstallRefused, EndsWithItsMessageAndChangesNothing)
{
    const Refusal& refusal = GetParam();
    std::vector<FakeEntry> entries = ProductEntries();
    if (refusal.corruptEntry >= 0)
        entries[refusal.corruptEntry].corrupt = true;
    Attempt attempt(parent, ownPath, entries, Description(refusal.descriptionExtra));
    refusal.arrange(attempt, destination);
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, refusal.code);
    EXPECT_EQ(attempt.dialogs.questions,
              refusal.question ? std::vector<std::string>{refusal.question} : std::vector<std::string>{});
    EXPECT_EQ(attempt.dialogs.notices,
              refusal.notice ? std::vector<std::string>{refusal.notice} : std::vector<std::string>{});
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
}

INSTANTIATE_TEST_SUITE_P(Refusals, InstallRefused, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });
