// The file installation and the collection of removals over both sources of entries: a made-up
// package, which can spoil single records, and a real installer written by the package writer
// and read through the installer's own reader.
#include "install/CFileInstaller.h"
#include "install/CInstJournal.h"
#include "install/CInstallRun.h"
#include "platform/CCreateFolderOp.h"
#include "platform/FileUrl.h"
#include "tests/install/FakeDialogs.h"
#include "tests/install/PackedInstaller.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace testsupport;

namespace {

// A small product: an empty file, one of exactly two chunks and one over several chunks with a
// short rest, one written later than the others, a name that needs escaping, an empty folder.
std::vector<FakeEntry> SampleProduct()
{
    FakeEntry later = File("Manual/en/read%20me.txt", "manual");
    later.written += 3600;
    return {
        Folder("."),
        Folder("Manual"),
        Folder("Manual/en"),
        Folder("Empty"),
        File("ReadMe.txt", "read me"),
        File("Manual/en/index.html", "<html></html>"),
        later,
        File("Blank.dat", ""),
        File("Chunks.bin", Noise(2 * 4096, 1)),
        File("Manual/Big.bin", Noise(3 * 4096 + 17, 2)),
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

// Every entry in the tree with its kind, contents and both times.
void ExpectInstalled(const TreeSnapshot& tree, const std::vector<FakeEntry>& entries)
{
    for (const FakeEntry& entry : entries) {
        const std::string name = NativeName(entry.name);
        ASSERT_TRUE(tree.count(name)) << name << "\n" << Describe(tree);
        const TreeEntry& found = tree.at(name);
        EXPECT_EQ(found.folder, entry.tag == CEntrySource::kTagFolder) << name;
        if (found.folder)
            continue;
        EXPECT_EQ(found.contents, entry.data) << name;
        EXPECT_EQ(found.lastWrite, FileTimeOf(entry.written)) << name;
        // Wine on Linux does not keep a creation time and reports the last write time in its place.
        EXPECT_TRUE(found.created == FileTimeOf(kEntryCreated) || found.created == found.lastWrite) << name;
    }
}

// The parameter: whether the entries come from a real installer.
class FileInstallation : public ::testing::TestWithParam<bool> {
protected:
    static constexpr int kDamages = 3;

    // The entries as this test's source gives them. A damage (1 to kDamages) spoils the package
    // as the source can: a record's header cut short, its times short or its check value wrong
    // in the made-up package; a byte flipped 5000 bytes before the trailer or the package cut
    // short in a real one.
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
        if (damage == 1) {
            std::string bytes = ReadTestFile(path);
            bytes[bytes.size() - 8 - 5000] ^= 0x5A;
            EXPECT_TRUE(WriteTestFile(path, bytes));
        } else if (damage) {
            EXPECT_TRUE(CutPackage(path, damage == 2 ? 100 : 12000));
        }
        m_packed.reset(new PackedInstaller(path));
        m_start = m_packed->start;
        return m_packed->entries;
    }

    CInstallRun Run(CEntrySource& entries) const
    {
        CInstallRun run;
        run.destination = LString(destination.c_str());
        run.entries = &entries;
        run.packageStart = m_start;
        return run;
    }

    // The destination step of the install procedure (the folder under a journal record), the
    // file installation and the procedure's end.
    InstallResult Install(const std::vector<FakeEntry>& entries, int damage = 0)
    {
        progress = FakeDialogs();
        CInstJournal journal;
        CJournalRecord* record = journal.Enter(kJournalFolder, PathToFileUrl(destination.c_str()));
        CCreateFolderOp folder(destination.c_str(), ConflictMode::UseExisting);
        if (!record || !folder.Succeeded())
            return kInsCannotCreateFolder;
        CInstJournal::Done(record);
        const InstallResult code = InstallFiles(Run(Open(entries, damage)), progress, journal);
        if (code == kInsOK)
            journal.Commit();
        journal.RollBack();
        return code;
    }

    FakeDialogs progress;
    ScratchFolder scratch{"files"};
    std::string destination = scratch / "Sample Tool";

private:
    // Before the installer it holds open: members go in reverse order, and an open file stays.
    ScratchFolder m_installersFolder{"setups"};
    std::unique_ptr<FakePackage> m_fake;
    std::unique_ptr<PackedInstaller> m_packed;
    uint32_t m_start = 0;
    int m_installers = 0;
};

} // namespace

TEST_P(FileInstallation, EveryEntryArrivesWithItsTimesAndTheBarOnlyMovesForward)
{
    const std::vector<FakeEntry> product = SampleProduct();
    ASSERT_EQ(Install(product), kInsOK);
    TreeSnapshot tree = TakeSnapshot(destination);
    ExpectInstalled(tree, product);
    EXPECT_EQ(tree.size(), product.size()) << Describe(tree);
    // The bar is set once per entry and once more at the end, never backwards.
    ASSERT_EQ(progress.positions.size(), product.size() + 1);
    for (size_t i = 1; i < progress.positions.size(); ++i)
        EXPECT_GE(progress.positions[i], progress.positions[i - 1]) << i;
    EXPECT_GT(progress.positions.back(), progress.positions.front());
    // Folders missing from the package are made on the way.
    ASSERT_EQ(Install({Folder("."), File("a/b/c.txt", "c")}), kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\a\\b\\c.txt"), "c");
    // Two entries of one name in a folder the installation made: the later one stays, alone
    // (beside the folder itself); a device's name there is no file to write.
    ASSERT_EQ(Install({Folder("."), Folder("new"), File("new/a.txt", "first"), File("new/a.txt", "second")}), kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\new\\a.txt"), "second");
    EXPECT_EQ(TakeSnapshot(destination + "\\new").size(), 2u) << Describe(TakeSnapshot(destination + "\\new"));
    EXPECT_EQ(Install({Folder("."), Folder("device"), File("device/NUL", "lost")}), kInsCannotWrite);
}

TEST_P(FileInstallation, ADamagedPackageOrAnEntryOutsideTheDestinationNeitherInstallsNorRemovesAnything)
{
    std::vector<FakeEntry> product = SampleProduct();
    product.push_back(File("Last.bin", Noise(20000, 7)));
    // Every damage the source can have, then entries of both kinds naming places outside (the
    // whole rule is the placement check's; here, that both kinds of entry are held to it).
    std::vector<std::pair<std::vector<FakeEntry>, int>> broken;
    for (int damage = 1; damage <= kDamages; ++damage)
        broken.push_back({product, damage});
    for (const char* name : {"../evil.txt", "%2e%2e/evil.txt", "/C:/evil.txt", "//server/share/evil.txt"}) {
        for (int tag : {CEntrySource::kTagFile, CEntrySource::kTagFolder}) {
            broken.push_back({product, 0});
            broken.back().first.insert(broken.back().first.begin() + 5, FakeEntry{tag, name, "evil"});
        }
    }
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(destination + "\\ReadMe.txt", "the user's own, kept"));
    for (size_t i = 0; i < broken.size(); ++i) {
        SCOPED_TRACE("broken package " + std::to_string(i));
        const TreeSnapshot before = TakeSnapshot(scratch.Path());
        EXPECT_EQ(Install(broken[i].first, broken[i].second), kInsBroken);
        EXPECT_FALSE(Exists("C:\\evil.txt"));
        ExpectTreeUnchanged(scratch.Path(), before);
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
        EXPECT_EQ(CollectRemovals(Run(damage ? Open(product, damage) : Open(hostile)), progress, journal), kInsBroken);
        EXPECT_TRUE(journal.IsEmpty());
        journal.RollBack();
        ExpectTreeUnchanged(scratch.Path(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, FileInstallation, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "PackedInstaller" : "MadeUpPackage");
                         });
