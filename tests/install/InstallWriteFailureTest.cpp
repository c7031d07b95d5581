// Files of the earlier installation that another program holds open, or that turn read-only,
// while the installation over them runs.
#include "tests/install/UpgradeScenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

// Entries of the upgrade that replace a file of the earlier installation.
struct Replaced {
    int entry;
    const char* file;
};
const Replaced kReplaced[] = {{2, "ReadMe.txt"}, {3, "Manual\\index.html"}, {9, "SampleTool.ini"}};

class InstallWriteFailure : public UpgradeTest {
protected:
    void SetUp() override
    {
        UpgradeTest::SetUp();
        MakeEarlierInstallation(destination);
        // A read-only file of the earlier installation, replaced early, must come back as it
        // was when a later one fails.
        SetFileAttributesA((destination + "\\ReadMe.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }
};

} // namespace

TEST_F(InstallWriteFailure, AFileOpenedWithoutSharingMidwayFailsTheInstallationAndEverythingIsUndone)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    const std::vector<FakeEntry> entries = UpgradeEntries("2.0");
    for (const Replaced& replaced : kReplaced) {
        SCOPED_TRACE(replaced.file);
        const std::string path = destination + "\\" + replaced.file;
        HANDLE locked = INVALID_HANDLE_VALUE;
        Attempt attempt(parent, ownPath, entries);
        // Another program opens the file just before the installation comes to it.
        attempt.dialogs.atWaitStep = [&](int step) {
            if (step == replaced.entry + 1)
                locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                     nullptr);
        };
        EXPECT_FALSE(attempt.Run());
        ASSERT_NE(locked, INVALID_HANDLE_VALUE) << "the file was not opened";
        CloseHandle(locked);

        EXPECT_EQ(attempt.code, kInsCannotWrite);
        EXPECT_EQ(attempt.package.dataReads, FilesAmong(entries, size_t(replaced.entry)));
        EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" Cannot write to the destination volume."});
        EXPECT_EQ(attempt.dialogs.progressMessage, "Canceling installation...");
        const auto& events = attempt.dialogs.events;
        EXPECT_EQ(events, (std::vector<std::string>{"open", "ask", "hide window", "hide bar", "message", "close",
                                                    "notice"}));
        TreeSnapshot after = TakeSnapshot(scratch.Path());
        EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
        EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    }

    // Once the other program has let go, the installation goes through.
    InstallToTheEnd();
}

TEST_F(InstallWriteFailure, AFileMadeReadOnlyMidwayIsReplacedLikeAnyOther)
{
    // The old file is only renamed aside, which its read-only bit does not forbid; the new
    // file is written under a new name. Its backup is removed with the others at the end.
    const Replaced& replaced = kReplaced[2];
    Attempt attempt(parent, ownPath, UpgradeEntries("2.0"));
    attempt.dialogs.atWaitStep = [&](int step) {
        if (step == replaced.entry + 1)
            SetFileAttributesA((destination + "\\" + replaced.file).c_str(), FILE_ATTRIBUTE_READONLY);
    };
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\SampleTool.ini"), "[Settings]\r\nVersion=2.0");
    EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 2.0");
    TreeSnapshot after = TakeSnapshot(destination);
    EXPECT_TRUE(LeftoverNames(after).empty()) << Describe(after);
    EXPECT_EQ(RegistryValue("InstallDir"), destination);
}

TEST_F(InstallWriteFailure, AFileMadeReadOnlyMidwayComesBackReadOnlyWhenTheInstallationIsStopped)
{
    const Replaced& replaced = kReplaced[1];
    const std::string path = destination + "\\" + replaced.file;
    TreeSnapshot expected;
    Attempt attempt(parent, ownPath, UpgradeEntries("2.0"));
    attempt.dialogs.stopAtStep = replaced.entry + 3;
    attempt.dialogs.atWaitStep = [&](int step) {
        if (step == replaced.entry + 1) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
            expected[replaced.file] = TakeSnapshot(destination)[replaced.file];
        }
    };
    EXPECT_FALSE(attempt.Run());
    EXPECT_EQ(attempt.code, kInsCanceled);
    ASSERT_TRUE(expected[replaced.file].attributes & FILE_ATTRIBUTE_READONLY);
    TreeSnapshot after = TakeSnapshot(destination);
    EXPECT_EQ(after[replaced.file], expected[replaced.file]);
    EXPECT_EQ(ReadTestFile(path), "<html>1.0</html>");
    EXPECT_TRUE(LeftoverNames(after).empty()) << Describe(after);
}
