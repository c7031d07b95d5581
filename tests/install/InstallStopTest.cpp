// Stop pressed at every point of an installation over an earlier one: whatever was written,
// replaced or created up to there is undone, and the user's own files are not touched.
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
        File("Manual/style.css", "body { margin: 0 } /* " + version + " */"),
        Folder("Tools"),
        Folder("Tools/Data"),
        File("Tools/convert.exe", "MZ converter " + version),
        File("Tools/Data/table.dat", std::string(5000, 't') + version),
        File("SampleTool.ini", "[Settings]\r\nVersion=" + version),
        File("License.txt", "licence " + version),
    };
}

int FilesAmong(const std::vector<FakeEntry>& entries, size_t count)
{
    return static_cast<int>(std::count_if(entries.begin(), entries.begin() + std::min(count, entries.size()),
                                          [](const FakeEntry& entry) { return entry.tag == CEntrySource::kTagFile; }));
}

// A time long before the test ran, so that a file rewritten in place would show it.
void BackdateFile(const std::string& path, WORD year)
{
    SYSTEMTIME system = {};
    system.wYear = year;
    system.wMonth = 3;
    system.wDay = 14;
    system.wHour = 9;
    FILETIME time;
    SystemTimeToFileTime(&system, &time);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    SetFileTime(file, &time, nullptr, &time);
    CloseHandle(file);
}

bool HasInstallerLeftovers(const TreeSnapshot& tree)
{
    for (const auto& entry : tree) {
        std::string name = entry.first.substr(entry.first.rfind('\\') + 1);
        if (name.rfind("tmp", 0) == 0 || name.rfind("ins", 0) == 0)
            return true;
    }
    return false;
}

class InstallStop : public ProcedureTest {
protected:
    // Version 1.0 installed earlier, with the user's own files beside it, one of them
    // read-only, and a folder of the user's inside the product folder.
    void MakeEarlierInstallation()
    {
        CreateDirectoryA(destination.c_str(), nullptr);
        CreateDirectoryA((destination + "\\Manual").c_str(), nullptr);
        CreateDirectoryA((destination + "\\My Exports").c_str(), nullptr);
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
            std::string path = destination + "\\" + file.first;
            ASSERT_TRUE(WriteTestFile(path, file.second)) << path;
            BackdateFile(path, year++);
        }
        SetFileAttributesA((destination + "\\Protected.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }

    // Stops the installation at every wait step there is: the one that shows the dialog,
    // one before each entry and the one after the last, and checks each time that nothing
    // is left of it.
    void StopAtEveryStep(const TreeSnapshot& before)
    {
        const std::vector<FakeEntry> entries = ProductEntries("2.0");
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

            // The user sees the undoing and then the install page again, without a message.
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
    }

    // The attempt after all those stops goes through.
    void InstallToTheEnd()
    {
        Attempt attempt(parent, ownPath, ProductEntries("2.0"));
        EXPECT_TRUE(attempt.Run());
        EXPECT_EQ(attempt.code, kInsOK);
        EXPECT_EQ(attempt.dialogs.waitSteps, static_cast<int>(ProductEntries("2.0").size()) + 2);
        EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 2.0");
        EXPECT_EQ(ReadTestFile(destination + "\\Manual\\index.html"), "<html>2.0</html>");
        EXPECT_EQ(ReadTestFile(destination + "\\Tools\\Data\\table.dat"), std::string(5000, 't') + "2.0");
        EXPECT_EQ(ReadTestFile(destination + "\\SampleTool.ini"), "[Settings]\r\nVersion=2.0");
        EXPECT_EQ(RegistryValue("InstallDir"), destination);
        EXPECT_TRUE(Exists(destination + "\\Read Me.lnk"));
        EXPECT_FALSE(HasInstallerLeftovers(TakeSnapshot(destination))) << Describe(TakeSnapshot(destination));
    }
};

} // namespace

TEST_F(InstallStop, AtAnyStepOverAnEarlierInstallationRestoresEveryFileAndKeepsTheUsersOwn)
{
    MakeEarlierInstallation();
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    StopAtEveryStep(before);

    InstallToTheEnd();
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    const std::string product = "Programs\\Sample Tool\\";
    for (const char* own : {"Notes.txt", "Manual\\bookmarks.txt", "My Exports\\export.csv", "Protected.txt"})
        EXPECT_EQ(after[product + own], before[product + own]) << own;
    EXPECT_TRUE(after[product + "Protected.txt"].attributes & FILE_ATTRIBUTE_READONLY);
}

TEST_F(InstallStop, AtAnyStepOfAFreshInstallationLeavesNoProductFolder)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    StopAtEveryStep(before);
    EXPECT_FALSE(Exists(destination));

    InstallToTheEnd();
}
