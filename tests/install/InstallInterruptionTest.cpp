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

int FilesAmong(const std::vector<FakeEntry>& entries, size_t count)
{
    return static_cast<int>(std::count_if(entries.begin(), entries.begin() + std::min(count, entries.size()),
                                          [](const FakeEntry& entry) { return entry.tag == CEntrySource::kTagFile; }));
}

// What the destination holds before the installation.
enum class Before { kNothing, kEmptyFolder, kEarlierInstallation };

class EarlierInstallation : public ProcedureTest {
protected:
    // Version 1.0 installed earlier with its uninstaller, the user's own files beside it, one of
    // them read-only, and a folder of the user's inside the product folder. Read-only files of
    // the earlier installation are replaced and must come back as they were.
    void MakeEarlierInstallation()
    {
        for (const char* folder : {"", "\\Manual", "\\My Exports", "\\Uninstall"})
            CreateDirectoryA((destination + folder).c_str(), nullptr);
        const std::pair<const char*, std::string> files[] = {
            {"ReadMe.txt", "read me 1.0"},
            {"Manual\\index.html", "<html>1.0</html>"},
            {"SampleTool.ini", "[Settings]\r\nVersion=1.0\r\nUser=changed by the user"},
            {"Notes.txt", "the user's notes"},
            {"Manual\\bookmarks.txt", "the user's bookmarks"},
            {"My Exports\\export.csv", "a;b;c"},
            {"Protected.txt", "the user's read-only file"},
            {"Uninstall\\Uninstall.exe", std::string("MZ older\0with zero bytes", 24) + std::string(70000, 'p')},
        };
        WORD year = 2001;
        for (const auto& file : files) {
            const std::string path = destination + "\\" + file.first;
            ASSERT_TRUE(WriteTestFile(path, file.second)) << path;
            BackdateFile(path, year++);
        }
        for (const char* readOnly : {"\\Protected.txt", "\\ReadMe.txt", "\\Uninstall\\Uninstall.exe"})
            SetFileAttributesA((destination + readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    }
};

class InstallInterruption : public EarlierInstallation, public ::testing::WithParamInterface<Before> {};

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
    const std::vector<FakeEntry> entries = ProductEntries();
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
        ExpectTreeUnchanged(scratch.Path(), before);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRegistryKey));
    }

    // Then an attempt that goes through: version 2.0 in place, integrated, no installer files left.
    Attempt attempt(parent, ownPath, entries);
    EXPECT_TRUE(attempt.Run());
    EXPECT_EQ(attempt.dialogs.waitSteps, lastStep + 1);
    for (const FakeEntry& entry : entries) {
        const std::string path = destination + "\\" + entry.name;
        EXPECT_EQ(entry.tag == CEntrySource::kTagFile ? ReadTestFile(path) : "", entry.data) << entry.name;
    }
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kRegistryKey, "InstallDir"), destination);
    EXPECT_TRUE(LeftoverNames(TakeSnapshot(destination)).empty()) << Describe(TakeSnapshot(destination));
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    // The uninstaller is the installer's copy, times and all, over an older read-only one.
    EXPECT_EQ(after["Programs\\Sample Tool\\Uninstall\\Uninstall.exe"], after["program\\Installer.exe"]);
    for (const char* own : {"Notes.txt", "Manual\\bookmarks.txt", "My Exports\\export.csv", "Protected.txt"}) {
        const std::string name = std::string("Programs\\Sample Tool\\") + own;
        EXPECT_EQ(after[name], before.count(name) ? before.at(name) : TreeEntry()) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Destinations, InstallInterruption,
                         ::testing::Values(Before::kNothing, Before::kEmptyFolder, Before::kEarlierInstallation));

TEST_F(EarlierInstallation, AFileThatCannotBeWrittenMidwayFailsTheInstallationAndEverythingIsUndone)
{
    // Entries of the upgrade that replace a file of the earlier installation: another program
    // opens the file just before the installation comes to it, or the volume refuses the new
    // contents (full, or gone). The uninstaller is copied after the last entry.
    const struct {
        int entry;
        const char* file;
        bool refused;
    } failures[] = {{2, "ReadMe.txt", false}, {3, "Manual\\index.html", false}, {9, "SampleTool.ini", false},
                    {11, "Uninstall\\Uninstall.exe", false}, {3, "Manual\\index.html", true}};
    ASSERT_NO_FATAL_FAILURE(MakeEarlierInstallation());
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    for (const auto& failure : failures) {
        SCOPED_TRACE(std::string(failure.file) + (failure.refused ? " refused" : " opened"));
        std::vector<FakeEntry> entries = ProductEntries();
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

        // A file in use is named, with what to do about it.
        EXPECT_EQ(attempt.code, failure.refused ? kInsCannotWrite : kInsFileInUse);
        // An opened file is not even moved aside; refused contents were read from the package.
        EXPECT_EQ(attempt.package.dataReads, FilesAmong(entries, size_t(failure.entry)) + (failure.refused ? 1 : 0));
        const std::string notice = failure.refused ? " Cannot write to the destination volume."
                                                   : " Another program is using these files:\n" + destination + "\\"
                                                         + failure.file
                                                         + "\n\nClose the program that uses them and press Install again.";
        EXPECT_EQ(attempt.dialogs.notices, std::vector<std::string>{notice});
        EXPECT_EQ(attempt.dialogs.events, (std::vector<std::string>{"open", "ask", "hide window", "hide bar", "message",
                                                                    "close", "notice"}));
        ExpectTreeUnchanged(scratch.Path(), before);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRegistryKey));
    }
}
