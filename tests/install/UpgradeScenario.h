#pragma once

// Version 2.0 of a small product installed over version 1.0: the package's eleven entries
// (folders and files, some replacing files of the earlier installation) and the destination as
// the earlier installation and its user left it.

#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

inline std::vector<FakeEntry> UpgradeEntries(const std::string& version)
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

inline int FilesAmong(const std::vector<FakeEntry>& entries, size_t count)
{
    return static_cast<int>(std::count_if(entries.begin(), entries.begin() + std::min(count, entries.size()),
                                          [](const FakeEntry& entry) { return entry.tag == CEntrySource::kTagFile; }));
}

// A time long before the test ran, so that a file rewritten in place would show it.
inline void BackdateFile(const std::string& path, WORD year)
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

// Version 1.0 installed earlier, with the user's own files beside it, one of them
// read-only, and a folder of the user's inside the product folder.
inline void MakeEarlierInstallation(const std::string& destination)
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

class UpgradeTest : public ProcedureTest {
protected:
    // An attempt that goes through: version 2.0 in place, integrated, no installer files left.
    void InstallToTheEnd()
    {
        Attempt attempt(parent, ownPath, UpgradeEntries("2.0"));
        EXPECT_TRUE(attempt.Run());
        EXPECT_EQ(attempt.code, kInsOK);
        EXPECT_EQ(attempt.dialogs.waitSteps, static_cast<int>(UpgradeEntries("2.0").size()) + 2);
        EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 2.0");
        EXPECT_EQ(ReadTestFile(destination + "\\Manual\\index.html"), "<html>2.0</html>");
        EXPECT_EQ(ReadTestFile(destination + "\\Tools\\Data\\table.dat"), std::string(5000, 't') + "2.0");
        EXPECT_EQ(ReadTestFile(destination + "\\SampleTool.ini"), "[Settings]\r\nVersion=2.0");
        EXPECT_EQ(RegistryValue("InstallDir"), destination);
        EXPECT_TRUE(Exists(destination + "\\Read Me.lnk"));
        EXPECT_TRUE(LeftoverNames(TakeSnapshot(destination)).empty()) << Describe(TakeSnapshot(destination));
    }
};

} // namespace testsupport
