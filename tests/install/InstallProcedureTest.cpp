#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::vector<FakeEntry> ProductEntries(const std::string& version)
{
    return {
        Folder("."),
        Folder("Manual"),
        File("ReadMe.txt", "read me " + version),
        File("Manual/index.html", "<html>" + version + "</html>"),
        File("SampleTool.ini", "[Settings]\r\n" + version),
    };
}

uint64_t g_freeBytes = 0;
bool FixedFreeSpace(const char*, uint64_t& bytes)
{
    bytes = g_freeBytes;
    return true;
}
bool UnreadableVolume(const char*, uint64_t&) { return false; }

class InstallProcedure : public ProcedureTest {};

const char* const kDoneText = " Installation has been completed successfully.";

} // namespace

TEST_F(InstallProcedure, InstallsThePackageIntegratesItAndCopiesTheUninstaller)
{
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
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
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{kDoneText});
    ASSERT_FALSE(dialogs.positions.empty());
    EXPECT_EQ(dialogs.positions.front(), 0u);
}

TEST_F(InstallProcedure, DescriptionTextsReplaceTheBuiltInMessages)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    Attempt attempt(parent, ownPath, ProductEntries("1.0"),
                    Description("<InsExist>\nReplace Sample Tool?\n\n<InsDone>\nSample Tool is ready.\n"));
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.dialogs.questions, std::vector<std::string>{"Replace Sample Tool?"});
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{"Sample Tool is ready."});
}

TEST_F(InstallProcedure, AFolderValueOfTwoBareWordsNamesTheFolderAfterTheFirst)
{
    Attempt attempt(parent, ownPath, ProductEntries("1.0"), "<Folder>\nSample Tool\n");
    EXPECT_TRUE(attempt.Run());
    EXPECT_TRUE(Exists(parent + "\\Sample\\ReadMe.txt"));
    EXPECT_FALSE(Exists(destination));
}

TEST_F(InstallProcedure, AnExistingDestinationIsOnlyUsedWhenTheUserAgrees)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    WriteTestFile(destination + "\\ReadMe.txt", "old read me");
    WriteTestFile(destination + "\\Notes.txt", "the user's notes");
    TreeSnapshot before = TakeSnapshot(scratch.Path());

    Attempt declined(parent, ownPath, ProductEntries("2.0"));
    declined.dialogs.answers = {false};
    EXPECT_FALSE(declined.Run());
    EXPECT_EQ(declined.code, kInsCanceled);
    EXPECT_EQ(declined.dialogs.questions,
              std::vector<std::string>{" The folder already exists. Some files will be overwritten.\nDo you install anyway?"});
    EXPECT_TRUE(declined.dialogs.notices.empty());
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");

    Attempt accepted(parent, ownPath, ProductEntries("2.0"));
    EXPECT_TRUE(accepted.Run());
    EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 2.0");
    EXPECT_EQ(ReadTestFile(destination + "\\Notes.txt"), "the user's notes");
    for (const auto& entry : TakeSnapshot(destination))
        EXPECT_NE(entry.first.rfind("tmp", 0), 0u) << entry.first << " outlived the installation";
}

TEST_F(InstallProcedure, AMissingParentFolderChangesNothing)
{
    Attempt attempt(scratch / "Gone", ownPath, ProductEntries("1.0"));
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsNoDestination);
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" The destination folder does not exist."});
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
}

TEST_F(InstallProcedure, TooLittleSpaceAsksAndCancelChangesNothing)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
    attempt.run.freeSpace = &FixedFreeSpace;
    attempt.run.requiredBytes = 2049; // 3 KiB, rounded up
    g_freeBytes = 3 * 1024 - 1;       // 2 KiB, rounded down
    attempt.dialogs.answers = {false};
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsCanceled);
    EXPECT_EQ(attempt.dialogs.questions,
              std::vector<std::string>{" There is not enough space to install.\nDo you install anyway?"});
    EXPECT_TRUE(attempt.dialogs.notices.empty());
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
}

TEST_F(InstallProcedure, TooLittleSpaceGoesOnWhenTheUserSaysSo)
{
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
    attempt.run.freeSpace = &FixedFreeSpace;
    g_freeBytes = 0;
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.dialogs.questions.size(), 1u);
    EXPECT_TRUE(Exists(destination + "\\ReadMe.txt"));
}

TEST_F(InstallProcedure, SpaceIsComparedInWholeKibibytes)
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
        SetUp();
        Attempt attempt(parent, ownPath, ProductEntries("1.0"));
        attempt.run.freeSpace = &FixedFreeSpace;
        attempt.run.requiredBytes = c.required;
        g_freeBytes = c.free;
        attempt.dialogs.answers = {false};
        attempt.Run();
        EXPECT_EQ(attempt.dialogs.questions.size(), c.asks ? 1u : 0u) << c.required << " of " << c.free;
        RemoveTreeForTests(destination);
    }
}

TEST_F(InstallProcedure, AVolumeThatCannotBeQueriedChangesNothing)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
    attempt.run.freeSpace = &UnreadableVolume;
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsNoVolumeAccess);
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" Cannot access to the destination volume."});
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
}

TEST_F(InstallProcedure, RegistrationIsAskedOnlyWhenTheDescriptionListsRegistrationApplications)
{
    Attempt plain(parent, ownPath, ProductEntries("1.0"));
    EXPECT_TRUE(plain.Run());
    EXPECT_EQ(std::count(plain.dialogs.events.begin(), plain.dialogs.events.end(), "register"), 0);
    RemoveTreeForTests(destination);

    const std::string registration = Description("<RegApps>\nSampleTool.exe\n\n<RegText>\nPlease enter your name.\n");
    Attempt registered(parent, ownPath, ProductEntries("1.0"), registration);
    EXPECT_TRUE(registered.Run());
    EXPECT_EQ(registered.dialogs.registrationText, "Please enter your name.");
    EXPECT_TRUE(Exists(destination + "\\ReadMe.txt"));
}

TEST_F(InstallProcedure, DecliningRegistrationOrGivingNoNameCancelsSilently)
{
    const std::string registration = Description("<RegApps>\nSampleTool.exe\n");
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    for (bool withEmptyName : {false, true}) {
        Attempt attempt(parent, ownPath, ProductEntries("1.0"), registration);
        if (withEmptyName)
            attempt.dialogs.userName.clear();
        else
            attempt.dialogs.registrationAnswer = false;
        EXPECT_FALSE(attempt.Run());
        EXPECT_EQ(attempt.code, kInsCanceled);
        EXPECT_TRUE(attempt.dialogs.notices.empty());
        EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
    }
}

TEST_F(InstallProcedure, StopUndoesEverythingAndShowsNoMessage)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    WriteTestFile(destination + "\\ReadMe.txt", "old read me");
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    for (int step = 0; step < 5; ++step) {
        Attempt attempt(parent, ownPath, ProductEntries("2.0"));
        attempt.dialogs.stopAtStep = step;
        EXPECT_FALSE(attempt.Run()) << step;
        EXPECT_EQ(attempt.code, kInsCanceled);
        EXPECT_TRUE(attempt.dialogs.notices.empty());
        EXPECT_EQ(attempt.dialogs.progressMessage, "Canceling installation...");
        auto& events = attempt.dialogs.events;
        EXPECT_EQ(std::count(events.begin(), events.end(), "hide bar"), 1);
        EXPECT_EQ(std::count(events.begin(), events.end(), "disable stop"), 0);
        EXPECT_EQ(events.back(), "close");
        EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << "stopped at step " << step;
        EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    }
}

TEST_F(InstallProcedure, AStoppedInstallationIntoAnExistingEmptyFolderLeavesTheFolder)
{
    // The user made the folder beforehand and agreed to install into it.
    CreateDirectoryA(destination.c_str(), nullptr);
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    for (int step = 0; step < 5; ++step) {
        Attempt attempt(parent, ownPath, ProductEntries("2.0"));
        attempt.dialogs.stopAtStep = step;
        EXPECT_FALSE(attempt.Run()) << step;
        EXPECT_EQ(attempt.code, kInsCanceled);
        EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << "stopped at step " << step;
    }
}

TEST_F(InstallProcedure, ADamagedPackageLeavesNothingBehind)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    std::vector<FakeEntry> entries = ProductEntries("1.0");
    entries[3].corrupt = true;
    Attempt attempt(parent, ownPath, entries);
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsBroken);
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" This installer is broken."});
    EXPECT_EQ(attempt.dialogs.progressMessage, "Canceling installation...");
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
}

TEST_F(InstallProcedure, AFolderWhereAFileGoesIsReported)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    CreateDirectoryA((destination + "\\SampleTool.ini").c_str(), nullptr);
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsFolderInTheWay);
    EXPECT_EQ(attempt.dialogs.notices,
              std::vector<std::string>{" There is a folder with same name as installing file."});
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
}

TEST_F(InstallProcedure, AFileWhereTheDestinationFolderGoesIsKept)
{
    WriteTestFile(destination, "a file named like the product folder");
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsCannotCreateFolder);
    EXPECT_EQ(attempt.dialogs.questions.size(), 1u);
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" Cannot create destination folder."});
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
}

TEST_F(InstallProcedure, NoProgressDialogMeansNoInstallation)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    Attempt attempt(parent, ownPath, ProductEntries("1.0"));
    attempt.dialogs.failOpen = true;
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsNoMemory);
    EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" Insufficient program memory."});
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
}
