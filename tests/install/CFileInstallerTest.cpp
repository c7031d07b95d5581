#include "install/CFileInstaller.h"
#include "install/CInstJournal.h"
#include "install/CInstallRun.h"
#include "install/UninstallerCopy.h"
#include "platform/CCreateFolderOp.h"
#include "platform/FileUrl.h"
#include "tests/install/FakePackage.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::vector<FakeEntry> SampleEntries(const std::string& version)
{
    return {
        Folder("."),
        Folder("Manual"),
        Folder("Manual/en"),
        File("ReadMe.txt", "read me " + version),
        File("Manual/en/index.html", "<html>" + version + "</html>"),
        File("Manual/en/read%20me.txt", "manual " + version),
        File("SampleTool.ini", "[Settings]\r\n" + version),
    };
}

// Runs the destination step of the install procedure, then the file installation, and ends
// as the procedure does: commit on success, then roll back.
struct Installation {
    CInstJournal journal;
    InstallResult code = kInsOK;

    Installation(const std::string& destination, FakePackage& package, FakeProgress& progress, bool finish = true)
    {
        LString url = PathToFileUrl(destination.c_str());
        CJournalRecord* record = journal.Enter(kJournalFolder, url);
        CCreateFolderOp folder(destination.c_str(), ConflictMode::UseExisting);
        if (!record || !folder.Succeeded()) {
            code = kInsCannotCreateFolder;
            return;
        }
        CInstJournal::Done(record);
        CInstallRun run;
        run.destination = LString(destination.c_str());
        run.entries = &package;
        run.packageStart = FakePackage::kStart;
        code = InstallFiles(run, progress, journal);
        if (finish)
            Finish();
    }

    void Finish()
    {
        if (code == kInsOK)
            journal.Commit();
        journal.RollBack();
    }
};

// A file's creation and last write times and its attributes, as a copy must carry them over.
std::string StampOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    char text[96];
    std::snprintf(text, sizeof text, "%08lx%08lx %08lx%08lx %s", data.ftCreationTime.dwHighDateTime,
                  data.ftCreationTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime,
                  data.ftLastWriteTime.dwLowDateTime, (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? "ro" : "rw");
    return text;
}

void SetStamp(const std::string& path, WORD year, DWORD attributes)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = 3;
    time.wDay = 14;
    FILETIME stamp;
    SystemTimeToFileTime(&time, &stamp);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFileTime(file, &stamp, nullptr, &stamp);
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
}

InstallResult Collect(const std::string& destination, FakePackage& package, CInstJournal& journal)
{
    FakeProgress progress;
    CInstallRun run;
    run.destination = LString(destination.c_str());
    run.entries = &package;
    run.packageStart = FakePackage::kStart;
    return CollectRemovals(run, progress, journal);
}

} // namespace

TEST(InstallFiles, IntoAnEmptyFolder)
{
    ScratchFolder scratch("install");
    std::string dest = scratch / "Sample Tool";
    FakePackage package(SampleEntries("1"));
    FakeProgress progress;
    Installation install(dest, package, progress);
    ASSERT_EQ(install.code, kInsOK);
    EXPECT_EQ(ReadTestFile(dest + "\\ReadMe.txt"), "read me 1");
    EXPECT_EQ(ReadTestFile(dest + "\\Manual\\en\\index.html"), "<html>1</html>");
    EXPECT_EQ(ReadTestFile(dest + "\\Manual\\en\\read me.txt"), "manual 1");
    TreeSnapshot tree = TakeSnapshot(dest);
    EXPECT_EQ(tree.size(), 7u) << Describe(tree); // the folder itself, two folders, four files
    EXPECT_TRUE(LeftoverNames(tree).empty()) << Describe(tree);
    // The bar moves once per entry, from the package start on.
    ASSERT_EQ(progress.positions.size(), 8u);
    EXPECT_EQ(progress.positions[0], 0u);
    EXPECT_EQ(progress.positions[3], 3 * FakePackage::kEntrySize);
}

TEST(InstallFiles, OverAnEarlierInstallationKeepsBackupsUntilCommit)
{
    ScratchFolder scratch("over");
    std::string dest = scratch / "Sample Tool";
    {
        FakePackage first(SampleEntries("1"));
        FakeProgress progress;
        ASSERT_EQ(Installation(dest, first, progress).code, kInsOK);
    }
    ASSERT_TRUE(WriteTestFile(dest + "\\user.txt", "mine"));
    // A read-only old file is replaced too, and its backup does not outlive the commit.
    ASSERT_TRUE(SetFileAttributesA((dest + "\\SampleTool.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    FakePackage second(SampleEntries("2"));
    FakeProgress progress;
    Installation install(dest, second, progress, false);
    ASSERT_EQ(install.code, kInsOK);
    // Before the commit every replaced file waits under a "tmp" name beside the new one.
    TreeSnapshot during = TakeSnapshot(dest);
    std::vector<std::string> backups = LeftoverNames(during);
    EXPECT_EQ(backups.size(), 4u) << Describe(during);
    for (const std::string& backup : backups)
        EXPECT_NE(ReadTestFile(dest + "\\" + backup).find('1'), std::string::npos) << backup;
    install.Finish();

    TreeSnapshot after = TakeSnapshot(dest);
    EXPECT_TRUE(LeftoverNames(after).empty()) << Describe(after);
    EXPECT_EQ(ReadTestFile(dest + "\\ReadMe.txt"), "read me 2");
    EXPECT_EQ(ReadTestFile(dest + "\\SampleTool.ini"), "[Settings]\r\n2");
    EXPECT_EQ(ReadTestFile(dest + "\\user.txt"), "mine");
}

TEST(InstallFiles, StopAfterEveryEntryCountRestoresTheTree)
{
    ScratchFolder scratch("cancel");
    std::string dest = scratch / "Sample Tool";
    {
        // An earlier, smaller installation and foreign files, in and beside the destination.
        FakePackage earlier({Folder("."), File("ReadMe.txt", "old"), Folder("Manual"), File("Manual/old.txt", "o")});
        FakeProgress progress;
        ASSERT_EQ(Installation(dest, earlier, progress).code, kInsOK);
    }
    ASSERT_TRUE(WriteTestFile(dest + "\\Manual\\user.txt", "mine"));
    ASSERT_TRUE(WriteTestFile(scratch / "beside.txt", "beside"));
    SetFileAttributesA((dest + "\\ReadMe.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    TreeSnapshot before = TakeSnapshot(scratch.Path());

    size_t entries = SampleEntries("2").size();
    for (size_t stopAfter = 0; stopAfter <= entries; ++stopAfter) {
        FakePackage package(SampleEntries("2"));
        FakeProgress progress(static_cast<int>(stopAfter));
        Installation install(dest, package, progress);
        if (stopAfter < entries) {
            EXPECT_EQ(install.code, kInsCanceled) << stopAfter;
        }
        // Stopped before the entry: nothing of it is written.
        EXPECT_EQ(package.dataReads, static_cast<int>(stopAfter < 3 ? 0 : stopAfter - 3)) << stopAfter;
        if (install.code != kInsOK) {
            TreeSnapshot after = TakeSnapshot(scratch.Path());
            EXPECT_EQ(after, before) << "stopped after " << stopAfter << " entries\n"
                                     << Describe(before) << "----\n" << Describe(after);
        }
    }
}

TEST(InstallFiles, LockedFileFailsWithCannotWriteAndRollsBack)
{
    ScratchFolder scratch("locked");
    std::string dest = scratch / "Sample Tool";
    {
        FakePackage first(SampleEntries("1"));
        FakeProgress progress;
        ASSERT_EQ(Installation(dest, first, progress).code, kInsOK);
    }
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    HANDLE locked = CreateFileA((dest + "\\Manual\\en\\index.html").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    FakePackage second(SampleEntries("2"));
    FakeProgress progress;
    Installation install(dest, second, progress);
    CloseHandle(locked);
    EXPECT_EQ(install.code, kInsCannotWrite);
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << Describe(TakeSnapshot(scratch.Path()));
}

// A folder where a file entry goes, or a plain file (perhaps the user's own) where a folder
// entry goes: the installation ends with the matching code, and what stood in the way is kept.
struct InTheWay {
    const char* name;
    bool folder;
    InstallResult code;
};

class SomethingInTheWay : public ::testing::TestWithParam<InTheWay> {};

TEST_P(SomethingInTheWay, EndsTheInstallationAndIsKept)
{
    ScratchFolder scratch("inway");
    std::string dest = scratch / "Sample Tool";
    ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
    std::string path = dest + "\\" + GetParam().name;
    if (GetParam().folder)
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr) && WriteTestFile(path + "\\inside", "x"));
    else
        ASSERT_TRUE(WriteTestFile(path, "a plain file named like the folder"));
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    FakePackage package(SampleEntries("1"));
    FakeProgress progress;
    EXPECT_EQ(Installation(dest, package, progress).code, GetParam().code);
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << Describe(TakeSnapshot(scratch.Path()));
}

INSTANTIATE_TEST_SUITE_P(InstallFiles, SomethingInTheWay,
                         ::testing::Values(InTheWay{"SampleTool.ini", true, kInsFolderInTheWay},
                                           InTheWay{"Manual", false, kInsCannotCreateFolder}));

TEST(InstallFiles, DamagedPackagesFailWithBrokenAndRollBack)
{
    for (int damage = 0; damage < 3; ++damage) {
        ScratchFolder scratch("damaged");
        std::string dest = scratch / "Sample Tool";
        ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
        ASSERT_TRUE(WriteTestFile(dest + "\\ReadMe.txt", "foreign"));
        TreeSnapshot before = TakeSnapshot(scratch.Path());
        std::vector<FakeEntry> entries = SampleEntries("1");
        FakeEntry& victim = entries[5];
        if (damage == 0)
            victim.cutHeader = true;
        else if (damage == 1)
            victim.shortTimes = true;
        else
            victim.corrupt = true;
        FakePackage package(entries);
        FakeProgress progress;
        Installation install(dest, package, progress);
        EXPECT_EQ(install.code, kInsBroken) << damage;
        EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << damage << "\n" << Describe(TakeSnapshot(scratch.Path()));
    }
}

TEST(InstallFiles, EntriesNamingPlacesOutsideTheDestinationAreRefused)
{
    const char* hostile[] = {"../evil.txt", "Manual/../../evil.txt", "%2e%2e/evil.txt", "/C:/evil.txt",
                             "/D:/evil.txt", "//server/share/evil.txt", "http://host/evil.txt",
                             "file:///C:/evil.txt"};
    for (const char* name : hostile) {
        for (int tag : {CEntrySource::kTagFile, CEntrySource::kTagFolder}) {
            ScratchFolder scratch("hostile");
            std::string dest = scratch / "Sample Tool";
            TreeSnapshot before = TakeSnapshot(scratch.Path());
            std::vector<FakeEntry> entries = SampleEntries("1");
            entries.insert(entries.begin() + 4, FakeEntry{tag, name, "evil"});
            FakePackage package(entries);
            FakeProgress progress;
            Installation install(dest, package, progress);
            EXPECT_EQ(install.code, kInsBroken) << name;
            EXPECT_FALSE(Exists("C:\\evil.txt")) << name;
            EXPECT_FALSE(Exists(scratch / "evil.txt")) << name;
            EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << name << "\n" << Describe(TakeSnapshot(scratch.Path()));
        }
    }
}

TEST(InstallFiles, MissingFolderEntriesAreCreatedOnTheWay)
{
    ScratchFolder scratch("noentries");
    std::string dest = scratch / "Sample Tool";
    {
        FakePackage package({Folder("."), File("a/b/c.txt", "c")});
        FakeProgress progress;
        ASSERT_EQ(Installation(dest, package, progress).code, kInsOK);
        EXPECT_EQ(ReadTestFile(dest + "\\a\\b\\c.txt"), "c");
    }
    // Stopped at the end: the file goes, the folders made on the way (not journalled) stay.
    ScratchFolder again("noentries");
    std::string dest2 = again / "Sample Tool";
    FakePackage package({Folder("."), File("a/b/c.txt", "c"), File("d.txt", "d")});
    FakeProgress progress(2);
    EXPECT_EQ(Installation(dest2, package, progress).code, kInsCanceled);
    EXPECT_FALSE(Exists(dest2 + "\\a\\b\\c.txt"));
    EXPECT_TRUE(IsFolderForTests(dest2 + "\\a\\b"));
}

TEST(CollectRemovals, RollBackRemovesExactlyThePackage)
{
    ScratchFolder scratch("collect");
    std::string dest = scratch / "Sample Tool";
    {
        FakePackage package(SampleEntries("1"));
        FakeProgress progress;
        ASSERT_EQ(Installation(dest, package, progress).code, kInsOK);
    }
    ASSERT_TRUE(WriteTestFile(dest + "\\Manual\\notes.txt", "user notes"));
    ASSERT_TRUE(CreateDirectoryA((dest + "\\Saved").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(dest + "\\Saved\\game.sav", "save"));
    TreeSnapshot before = TakeSnapshot(dest);

    FakePackage package(SampleEntries("1"));
    CInstJournal journal;
    ASSERT_EQ(Collect(dest, package, journal), kInsOK);
    EXPECT_EQ(journal.Count(), 7);
    EXPECT_EQ(TakeSnapshot(dest), before); // collecting changes nothing
    journal.RollBack();

    TreeSnapshot after = TakeSnapshot(dest);
    TreeSnapshot expected;
    for (const char* kept : {".", "Manual", "Manual\\notes.txt", "Saved", "Saved\\game.sav"})
        expected[kept] = before[kept];
    EXPECT_EQ(after, expected) << Describe(after);
}

TEST(CollectRemovals, DamagedOrHostilePackageRemovesNothing)
{
    ScratchFolder scratch("collectbad");
    std::string dest = scratch / "Sample Tool";
    {
        FakePackage package(SampleEntries("1"));
        FakeProgress progress;
        ASSERT_EQ(Installation(dest, package, progress).code, kInsOK);
    }
    ASSERT_TRUE(WriteTestFile(scratch / "victim.txt", "keep me"));
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    for (int variant = 0; variant < 4; ++variant) {
        std::vector<FakeEntry> entries = SampleEntries("1");
        if (variant == 0)
            entries[6].shortTimes = true;
        else if (variant == 1)
            entries[6].corrupt = true;
        else if (variant == 2)
            entries.push_back(File("../victim.txt", ""));
        else
            entries.push_back(Folder("/C:/Windows"));
        FakePackage package(entries);
        CInstJournal journal;
        EXPECT_EQ(Collect(dest, package, journal), kInsBroken) << variant;
        EXPECT_TRUE(journal.IsEmpty()) << variant;
        journal.RollBack();
        EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << variant;
    }
}

TEST(CopyUninstaller, CopiesTheProgramUnderTheJournal)
{
    ScratchFolder scratch("uninst");
    const std::string installer = scratch / "Setup.exe";
    const std::string dest = scratch / "Sample Tool";
    const std::string copy = dest + "\\Uninstall\\Uninstall.exe";
    ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
    // An older installation's read-only uninstaller, then a newer and shorter installer.
    const std::string image = std::string("MZ image\0with zero bytes", 24) + std::string(70000, 'p');
    for (const std::string& version : {image, std::string("MZ newer")}) {
        const bool first = version == image;
        SetFileAttributesA(installer.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteTestFile(installer, version));
        SetStamp(installer, first ? 2003 : 2005, first ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        if (!first) {
            // Rolled back, the earlier copy is back as it was.
            TreeSnapshot before = TakeSnapshot(scratch.Path());
            CInstJournal journal;
            ASSERT_EQ(CopyUninstaller(journal, dest.c_str(), installer.c_str()), kInsOK);
            journal.RollBack();
            EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << Describe(TakeSnapshot(scratch.Path()));
        }
        CInstJournal journal;
        ASSERT_EQ(CopyUninstaller(journal, dest.c_str(), installer.c_str()), kInsOK);
        journal.Commit();
        EXPECT_EQ(ReadTestFile(copy), version);
        EXPECT_EQ(StampOf(copy), StampOf(installer));
        EXPECT_TRUE(LeftoverNames(TakeSnapshot(dest)).empty()) << Describe(TakeSnapshot(dest));
    }
}
