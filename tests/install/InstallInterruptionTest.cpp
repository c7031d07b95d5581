// An installation stopped at every step, or failing at a file that another program holds open:
// whatever was written, replaced or created up to there is undone, and the user's own files
// are not touched.
#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace testsupport;

namespace {

// Version 2.0 of a small product: folders and files, some replacing files of version 1.0.
std::vector<FakeEntry> UpgradeEntries()
{
    return {
        Folder("."),
        Folder("Manual"),
        File("ReadMe.txt", "read me 2.0"),
        File("Manual/index.html", "<html>2.0</html>"),
        File("Manual/style.css", "body { margin: 0 }"),
        Folder("Tools"),
        Folder("Tools/Data"),
        File("Tools/convert.exe", "MZ converter 2.0"),
        File("Tools/Data/table.dat", std::string(5000, 't')),
        File("SampleTool.ini", "[Settings]\r\nVersion=2.0"),
        File("License.txt", "licence 2.0"),
    };
}

int FilesAmong(const std::vector<FakeEntry>& entries, size_t count)
{
    return static_cast<int>(std::count_if(entries.begin(), entries.begin() + std::min(count, entries.size()),
                                          [](const FakeEntry& entry) { return entry.tag == CEntrySource::kTagFile; }));
}

// What the destination holds before the installation.
enum class Before { kNothing, kEmptyFolder, kEarlierInstallation };

class InstallInterruption : public ProcedureTest, public ::testing::WithParamInterface<Before> {
protected:
    // Version 1.0 installed earlier, with the user's own files beside it, one of them
    // read-only, and a folder of the user's inside the product folder. A read-only file of the
    // earlier installation is replaced early and must come back as it was.
    void MakeEarlierInstallation()
    {
        for (const char* folder : {"", "\\Manual", "\\My Exports"})
            CreateDirectoryA((destination + folder).c_str(), nullptr);
        const std::pair<const char*, const char*> files[] = {
            {"ReadMe.txt", "read me 1.0"},
            {"Manual\\index.html", "<html>1.0</html>"},
            {"SampleTool.ini", "[Settings]\r\nVersion=1.0\r\nUser=changed by the user"},
            {"Notes.txt", "the user's notes"},
            {"Manual\\bookmarks.txt", "the user's bookmarks"},
            {"My Exports\\export.csv", "a;b;c"},
            {"Protected.txt", "the user's read-only file"},
        };
        WORD year = 2001;
        for (const auto& file : files) {
            const std::string path = destination + "\\" + file.first;
            ASSERT_TRUE(WriteTestFile(path, file.second)) << path;
            BackdateFile(path, year++);
        }
        for (const char* readOnly : {"\\Protected.txt", "\\ReadMe.txt"})
            SetFileAttributesA((destination + readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    }

    // An attempt that goes through: version 2.0 in place, integrated, no installer files left.
    void InstallToTheEnd()
    {
        Attempt attempt(parent, ownPath, UpgradeEntries());
        EXPECT_TRUE(attempt.Run());
        EXPECT_EQ(attempt.dialogs.waitSteps, static_cast<int>(UpgradeEntries().size()) + 2);
        for (const FakeEntry& entry : UpgradeEntries()) {
            const std::string path = destination + "\\" + entry.name;
            EXPECT_EQ(entry.tag == CEntrySource::kTagFile ? ReadTestFile(path) : "", entry.data) << entry.name;
        }
        EXPECT_EQ(RegistryValue("InstallDir"), destination);
        EXPECT_TRUE(LeftoverNames(TakeSnapshot(destination)).empty()) << Describe(TakeSnapshot(destination));
    }
};

} // namespace

TEST_P(InstallInterruption, StopAtAnyStepRestoresEveryFileAndKeepsTheUsersOwn)
{
    if (GetParam() != Before::kNothing)
        CreateDirectoryA(destination.c_str(), nullptr);
    if (GetParam() == Before::kEarlierInstallation) {
        ASSERT_NO_FATAL_FAILURE(MakeEarlierInstallation());
    }
    const TreeSnapshot before = TakeSnapshot(scratch.Path());

    // Every wait step there is: the one that shows the dialog, one before each entry and the
    // one after the last.
    const std::vector<FakeEntry> entries = UpgradeEntries();
    const int lastStep = static_cast<int>(entries.size()) + 1;
    for (int step = 0; step <= lastStep; ++step) {
        SCOPED_TRACE("stopped at step " + std::to_string(step));
        Attempt attempt(parent, ownPath, entries);
        attempt.dialogs.stopAtStep = step;
        EXPECT_FALSE(attempt.Run());
        EXPECT_EQ(attempt.code, kInsCanceled);
        // The entry at which Stop was seen was not begun.
        EXPECT_EQ(attempt.package.dataReads, FilesAmong(entries, step > 0 ? size_t(step - 1) : 0));
        EXPECT_EQ(attempt.dialogs.waitSteps, step + 1);
        // The undoing is shown, then the install page again without a message.
        EXPECT_TRUE(attempt.dialogs.notices.empty());
        EXPECT_EQ(attempt.dialogs.progressMessage, "Canceling installation...");
        const auto& events = attempt.dialogs.events;
        EXPECT_EQ(std::count(events.begin(), events.end(), "hide bar"), 1);
        EXPECT_EQ(std::count(events.begin(), events.end(), "disable stop"), 0);
        EXPECT_EQ(events.back(), "close");
        TreeSnapshot after = TakeSnapshot(scratch.Path());
        EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
        EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    }

    InstallToTheEnd();
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    for (const char* own : {"Notes.txt", "Manual\\bookmarks.txt", "My Exports\\export.csv", "Protected.txt"}) {
        const std::string name = std::string("Programs\\Sample Tool\\") + own;
        EXPECT_EQ(after[name], before.count(name) ? before.at(name) : TreeEntry()) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Destinations, InstallInterruption,
                         ::testing::Values(Before::kNothing, Before::kEmptyFolder, Before::kEarlierInstallation));

TEST_F(ProcedureTest, AFileThatCannotBeWrittenMidwayFailsTheInstallationAndEverythingIsUndone)
{
    // Entries of the upgrade that replace a file of the earlier installation: another program
    // opens the file just before the installation comes to it, or the volume refuses the new
    // contents (full, or gone).
    const struct {
        int entry;
        const char* file;
        bool refused;
    } failures[] = {{2, "ReadMe.txt", false}, {3, "Manual\\index.html", false}, {9, "SampleTool.ini", false},
                    {3, "Manual\\index.html", true}};
    CreateDirectoryA(destination.c_str(), nullptr);
    CreateDirectoryA((destination + "\\Manual").c_str(), nullptr);
    for (const auto& failure : failures)
        ASSERT_TRUE(WriteTestFile(destination + "\\" + failure.file, "version 1.0"));
    SetFileAttributesA((destination + "\\ReadMe.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    for (const auto& failure : failures) {
        SCOPED_TRACE(std::string(failure.file) + (failure.refused ? " refused" : " opened"));
        std::vector<FakeEntry> entries = UpgradeEntries();
        entries[failure.entry].writeFails = failure.refused;
        HANDLE locked = INVALID_HANDLE_VALUE;
        Attempt attempt(parent, ownPath, entries);
        attempt.dialogs.atWaitStep = [&](int step) {
            if (!failure.refused && step == failure.entry + 1)
                locked = CreateFileA((destination + "\\" + failure.file).c_str(), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        };
        EXPECT_FALSE(attempt.Run());
        ASSERT_EQ(locked != INVALID_HANDLE_VALUE, !failure.refused) << "the file was not opened";
        if (locked != INVALID_HANDLE_VALUE)
            CloseHandle(locked);

        EXPECT_EQ(attempt.code, kInsCannotWrite);
        // An opened file is not even moved aside; refused contents were read from the package.
        EXPECT_EQ(attempt.package.dataReads, FilesAmong(entries, size_t(failure.entry)) + (failure.refused ? 1 : 0));
        EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{" Cannot write to the destination volume."});
        EXPECT_EQ(attempt.dialogs.events, (std::vector<std::string>{"open", "ask", "hide window", "hide bar", "message",
                                                                    "close", "notice"}));
        TreeSnapshot after = TakeSnapshot(scratch.Path());
        EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
        EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
    }
}
