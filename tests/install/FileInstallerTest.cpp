// The file installation and the collection of removals over both sources of entries: a made-up
// package, which can spoil single records, and a real installer written by the package writer
// and read through the installer's own reader.
#include "install/CFileInstaller.h"
#include "install/CInstJournal.h"
#include "install/CInstallRun.h"
#include "install/UninstallerCopy.h"
#include "platform/CCreateFolderOp.h"
#include "platform/FileUrl.h"
#include "tests/install/FakePackage.h"
#include "tests/install/PackedInstaller.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

// A small product whose files vary with the version: an empty file, one of exactly two chunks
// and one over several chunks with a short rest, a name that needs escaping, an empty folder.
std::vector<FakeEntry> SampleProduct(const std::string& version)
{
    FakeEntry later = File("Manual/en/read%20me.txt", "manual " + version);
    later.written += 3600;
    return {
        Folder("."),
        Folder("Manual"),
        Folder("Manual/en"),
        Folder("Empty"),
        File("ReadMe.txt", "read me " + version),
        File("Manual/en/index.html", "<html>" + version + "</html>"),
        later,
        File("Blank.dat", ""),
        File("Chunks.bin", Noise(2 * 4096, version[0])),
        File("Manual/Big.bin", Noise(3 * 4096 + 17, version[0] + 1)),
    };
}

std::string NativeName(const std::string& entryName)
{
    std::string name = entryName;
    for (size_t at; (at = name.find("%20")) != std::string::npos;)
        name.replace(at, 3, " ");
    for (char& c : name)
        c = c == '/' ? '\\' : c;
    return name;
}

// Whether the file system keeps a creation time given to a file. Wine on Linux does not: it
// reports the last write time in its place, and there the creation time cannot be checked.
bool CreationTimesKept()
{
    ScratchFolder scratch("created");
    const std::string probe = scratch / "probe";
    WriteTestFile(probe, "");
    HANDLE file = CreateFileA(probe.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME created = {0, 0x01C00000u};
    SetFileTime(file, &created, nullptr, nullptr);
    CloseHandle(file);
    const TreeEntry entry = TakeSnapshot(scratch.Path())["probe"];
    return entry.created != entry.lastWrite;
}

// Every entry in the tree with its kind, contents and both times.
void ExpectInstalled(const TreeSnapshot& tree, const std::vector<FakeEntry>& entries)
{
    static const bool creationTimesKept = CreationTimesKept();
    for (const FakeEntry& entry : entries) {
        const std::string name = NativeName(entry.name);
        ASSERT_TRUE(tree.count(name)) << name << "\n" << Describe(tree);
        const TreeEntry& found = tree.at(name);
        EXPECT_EQ(found.folder, entry.tag == CEntrySource::kTagFolder) << name;
        if (found.folder)
            continue;
        EXPECT_EQ(found.contents, entry.data) << name;
        EXPECT_EQ(found.lastWrite, FileTimeOf(entry.written)) << name;
        EXPECT_TRUE(!creationTimesKept || found.created == FileTimeOf(kEntryCreated)) << name << " " << found.created;
    }
}

// The parameter: whether the entries come from a real installer.
class FileInstallation : public ::testing::TestWithParam<bool> {
protected:
    static constexpr int kDamages = 3;

    // The entries as this test's source gives them. A damage (1 to kDamages) spoils the package
    // as the source can: a record's header cut short, its times short or its check value wrong
    // in the made-up package; a flipped byte or the package cut short in a real one.
    CEntrySource& Open(std::vector<FakeEntry> entries, int damage = 0)
    {
        m_packed.reset();
        if (!GetParam()) {
            if (damage) {
                entries[5].cutHeader = damage == 1;
                entries[5].shortTimes = damage == 2;
                entries[5].corrupt = damage == 3;
            }
            m_fake.reset(new FakePackage(entries));
            m_start = FakePackage::kStart;
            return *m_fake;
        }
        const std::string path = m_installersFolder / ("Setup" + std::to_string(++m_installers) + ".exe");
        EXPECT_TRUE(WriteInstaller(path, {"<Folder>\nSample\n"}, entries));
        if (damage == 1)
            Spoil(path, 0, 5000);
        else if (damage)
            Spoil(path, damage == 2 ? 100 : 12000, 0);
        m_packed.reset(new PackedInstaller(path));
        m_start = m_packed->start;
        return m_packed->entries;
    }

    // Flips the byte `flip` bytes before the trailer, or cuts the package `cut` bytes before
    // its end under a trailer that fits the shorter package, as a download broken off and
    // "repaired" would be.
    static void Spoil(const std::string& path, uint32_t cut, size_t flip)
    {
        std::string bytes = ReadTestFile(path);
        const size_t trailer = bytes.size() - 8;
        if (flip) {
            bytes[trailer - flip] ^= 0x5A;
            ASSERT_TRUE(WriteTestFile(path, bytes));
            return;
        }
        uint32_t length = 0;
        for (size_t i = trailer + 4; i < bytes.size(); ++i)
            length = (length << 8) | uint8_t(bytes[i]);
        ASSERT_LT(cut, length);
        length -= cut;
        std::string cutBytes = bytes.substr(0, trailer - cut) + "QXPK";
        for (int shift = 24; shift >= 0; shift -= 8)
            cutBytes += static_cast<char>(length >> shift);
        ASSERT_TRUE(WriteTestFile(path, cutBytes));
    }

    CInstallRun Run(CEntrySource& entries) const
    {
        CInstallRun run;
        run.destination = LString(destination.c_str());
        run.entries = &entries;
        run.packageStart = m_start;
        return run;
    }

    // The destination step of the install procedure (the folder under a journal record) and
    // the file installation; Finish gives it the procedure's end.
    InstallResult Start(CEntrySource& entries, FakeProgress& progress, CInstJournal& journal)
    {
        CJournalRecord* record = journal.Enter(kJournalFolder, PathToFileUrl(destination.c_str()));
        CCreateFolderOp folder(destination.c_str(), ConflictMode::UseExisting);
        if (!record || !folder.Succeeded())
            return kInsCannotCreateFolder;
        CInstJournal::Done(record);
        return InstallFiles(Run(entries), progress, journal);
    }
    static void Finish(InstallResult code, CInstJournal& journal)
    {
        if (code == kInsOK)
            journal.Commit();
        journal.RollBack();
    }
    InstallResult Install(const std::vector<FakeEntry>& entries, int damage = 0)
    {
        FakeProgress progress;
        CInstJournal journal;
        InstallResult code = Start(Open(entries, damage), progress, journal);
        Finish(code, journal);
        return code;
    }

    void ExpectUnchanged(const TreeSnapshot& before) const
    {
        TreeSnapshot after = TakeSnapshot(scratch.Path());
        EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
    }

    ScratchFolder scratch{"files"};
    std::string destination = scratch / "Sample Tool";

private:
    std::unique_ptr<FakePackage> m_fake;
    std::unique_ptr<PackedInstaller> m_packed;
    ScratchFolder m_installersFolder{"setups"};
    uint32_t m_start = 0;
    int m_installers = 0;
};

} // namespace

TEST_P(FileInstallation, IntoAnEmptyFolderAndOverItBackupsLastingUntilTheCommit)
{
    const std::vector<FakeEntry> first = SampleProduct("1");
    FakeProgress progress;
    CInstJournal journal;
    ASSERT_EQ(Start(Open(first), progress, journal), kInsOK);
    Finish(kInsOK, journal);
    TreeSnapshot tree = TakeSnapshot(destination);
    ExpectInstalled(tree, first);
    EXPECT_EQ(tree.size(), first.size()) << Describe(tree);
    // The bar is set once per entry and once more at the end, never backwards.
    ASSERT_EQ(progress.positions.size(), first.size() + 1);
    for (size_t i = 1; i < progress.positions.size(); ++i)
        EXPECT_GE(progress.positions[i], progress.positions[i - 1]) << i;
    EXPECT_GT(progress.positions.back(), progress.positions.front());

    ASSERT_TRUE(WriteTestFile(destination + "\\Manual\\user.txt", "mine"));
    ASSERT_TRUE(SetFileAttributesA((destination + "\\ReadMe.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<FakeEntry> second = SampleProduct("2");
    ASSERT_EQ(Start(Open(second), progress, journal), kInsOK);
    // Every replaced file waits under its backup name; the empty one and the read-only one too.
    EXPECT_EQ(LeftoverNames(TakeSnapshot(destination)).size(), 6u) << Describe(TakeSnapshot(destination));
    Finish(kInsOK, journal);
    tree = TakeSnapshot(destination);
    EXPECT_TRUE(LeftoverNames(tree).empty()) << Describe(tree);
    ExpectInstalled(tree, second);
    EXPECT_EQ(tree["Manual\\user.txt"].contents, "mine");
}

TEST_P(FileInstallation, SomethingInTheWayEndsTheInstallationAndIsKept)
{
    // A folder where a file entry goes, or a plain file (perhaps the user's own) where a
    // folder entry goes.
    struct InTheWay {
        const char* name;
        bool folder;
        InstallResult code;
    } const cases[] = {{"Chunks.bin", true, kInsFolderInTheWay}, {"Manual", false, kInsCannotCreateFolder}};
    for (const InTheWay& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveTreeForTests(destination);
        ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
        const std::string path = destination + "\\" + c.name;
        ASSERT_TRUE(c.folder ? CreateDirectoryA(path.c_str(), nullptr) && WriteTestFile(path + "\\inside", "x")
                             : WriteTestFile(path, "a plain file named like the folder"));
        const TreeSnapshot before = TakeSnapshot(scratch.Path());
        EXPECT_EQ(Install(SampleProduct("1")), c.code);
        ExpectUnchanged(before);
    }
}

TEST_P(FileInstallation, ADamagedPackageNeitherInstallsNorRemovesAnything)
{
    std::vector<FakeEntry> product = SampleProduct("1");
    product.push_back(File("Last.bin", Noise(20000, 7)));
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(destination + "\\ReadMe.txt", "the user's own, kept"));
    for (int damage = 1; damage <= kDamages; ++damage) {
        SCOPED_TRACE("installed with damage " + std::to_string(damage));
        const TreeSnapshot before = TakeSnapshot(scratch.Path());
        EXPECT_EQ(Install(product, damage), kInsBroken);
        ExpectUnchanged(before);
    }

    // Installed whole, the same package damaged, or naming a file outside, removes nothing.
    ASSERT_EQ(Install(product), kInsOK);
    ASSERT_TRUE(WriteTestFile(scratch / "victim.txt", "keep me"));
    const TreeSnapshot before = TakeSnapshot(scratch.Path());
    std::vector<FakeEntry> hostile = product;
    hostile.push_back(File("../victim.txt", ""));
    for (int damage = 0; damage <= kDamages; ++damage) {
        SCOPED_TRACE("removals collected with damage " + std::to_string(damage));
        CInstJournal journal;
        FakeProgress progress;
        EXPECT_EQ(CollectRemovals(Run(damage ? Open(product, damage) : Open(hostile)), progress, journal), kInsBroken);
        EXPECT_TRUE(journal.IsEmpty());
        journal.RollBack();
        ExpectUnchanged(before);
    }
}

TEST_P(FileInstallation, EntriesNamingPlacesOutsideTheDestinationAreRefused)
{
    // The whole rule is the placement check's; here, that both kinds of entry are held to it.
    for (const char* name : {"../evil.txt", "%2e%2e/evil.txt", "/C:/evil.txt", "//server/share/evil.txt"}) {
        for (int tag : {CEntrySource::kTagFile, CEntrySource::kTagFolder}) {
            SCOPED_TRACE(std::string(name) + (tag == CEntrySource::kTagFile ? " file" : " folder"));
            std::vector<FakeEntry> product = SampleProduct("1");
            product.insert(product.begin() + 5, FakeEntry{tag, name, "evil"});
            const TreeSnapshot before = TakeSnapshot(scratch.Path());
            EXPECT_EQ(Install(product), kInsBroken);
            EXPECT_FALSE(Exists("C:\\evil.txt"));
            ExpectUnchanged(before);
        }
    }
}

TEST_P(FileInstallation, MissingFolderEntriesAreCreatedOnTheWay)
{
    ASSERT_EQ(Install({Folder("."), File("a/b/c.txt", "c")}), kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\a\\b\\c.txt"), "c");
}

TEST_P(FileInstallation, CollectedRemovalsTakeExactlyThePackagesFilesAndFolders)
{
    ASSERT_EQ(Install(SampleProduct("1")), kInsOK);
    // The user's files: one in a package folder, one in a folder of the user's own inside a
    // package folder; the other package folders hold nothing of the user's.
    ASSERT_TRUE(WriteTestFile(destination + "\\Manual\\en\\mine.txt", "the user's"));
    ASSERT_TRUE(CreateDirectoryA((destination + "\\Manual\\Notes").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(destination + "\\Manual\\Notes\\note.txt", "a note"));
    TreeSnapshot installed = TakeSnapshot(destination);

    CInstJournal journal;
    FakeProgress progress;
    ASSERT_EQ(CollectRemovals(Run(Open(SampleProduct("1"))), progress, journal), kInsOK);
    EXPECT_EQ(TakeSnapshot(destination), installed) << "collecting changes nothing";
    journal.RollBack();

    TreeSnapshot expected;
    for (const char* kept :
         {".", "Manual", "Manual\\en", "Manual\\en\\mine.txt", "Manual\\Notes", "Manual\\Notes\\note.txt"})
        expected[kept] = installed[kept];
    EXPECT_EQ(TakeSnapshot(destination), expected) << Describe(TakeSnapshot(destination));
}

INSTANTIATE_TEST_SUITE_P(Sources, FileInstallation, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "PackedInstaller" : "MadeUpPackage");
                         });

TEST(CopyUninstaller, CopiesTheProgramWithItsTimesUnderTheJournal)
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
        BackdateFile(installer, first ? 2003 : 2005);
        SetFileAttributesA(installer.c_str(), first ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        if (!first) {
            // Rolled back, the earlier copy is back as it was.
            const TreeSnapshot before = TakeSnapshot(scratch.Path());
            CInstJournal journal;
            ASSERT_EQ(CopyUninstaller(journal, dest.c_str(), installer.c_str()), kInsOK);
            journal.RollBack();
            EXPECT_EQ(TakeSnapshot(scratch.Path()), before) << Describe(TakeSnapshot(scratch.Path()));
        }
        CInstJournal journal;
        ASSERT_EQ(CopyUninstaller(journal, dest.c_str(), installer.c_str()), kInsOK);
        journal.Commit();
        TreeSnapshot copied = TakeSnapshot(dest);
        TreeEntry original = TakeSnapshot(scratch.Path())["Setup.exe"];
        EXPECT_EQ(copied["Uninstall\\Uninstall.exe"], original) << Describe(copied);
        EXPECT_TRUE(LeftoverNames(copied).empty()) << Describe(copied);
    }
}
