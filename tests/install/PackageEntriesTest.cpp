// The file installation over real packages: installers written by the package writer into a
// scratch folder, found by their trailer and read through the installer's own package reader.
#include "install/CFileInstaller.h"
#include "install/CInstJournal.h"
#include "install/CInstallRun.h"
#include "install/CPackageEntries.h"
#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"
#include "package/CPackageWriter.h"
#include "package/PackageTrailer.h"
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

const uint32_t kCreated = 3786912000u;  // 2024-01-01 00:00:00 UTC, in seconds since 1904
const uint32_t kWritten = kCreated + 90; // a minute and a half later
const uint64_t kSeconds1601To1904 = 9561628800ull;

uint64_t FileTimeOf(uint32_t seconds1904) { return (seconds1904 + kSeconds1601To1904) * 10000000ull; }

// Bytes that do not compress, so that a cut in the package is a cut in this data.
std::string NoiseOf(size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// One entry of a product: a folder (no contents) or a file with its contents.
struct ProductEntry {
    bool folder;
    std::string name;
    std::string contents;
    uint32_t written;
};

ProductEntry FolderEntry(const std::string& name) { return {true, name, "", 0}; }
ProductEntry FileEntry(const std::string& name, const std::string& contents, uint32_t written = kWritten)
{
    return {false, name, contents, written};
}

// A small product whose files vary with the version: an empty file, one of exactly two chunks
// and one over several chunks with a short rest, a name that needs escaping, an empty folder.
std::vector<ProductEntry> SampleProduct(const std::string& version)
{
    return {
        FolderEntry("."),
        FolderEntry("Manual"),
        FolderEntry("Manual/en"),
        FolderEntry("Empty"),
        FileEntry("ReadMe.txt", "read me " + version),
        FileEntry("Manual/en/index.html", "<html>" + version + "</html>"),
        FileEntry("Manual/en/read%20me.txt", "manual " + version, kWritten + 3600),
        FileEntry("Blank.dat", ""),
        FileEntry("Chunks.bin", NoiseOf(2 * 4096, version[0])),
        FileEntry("Manual/Big.bin", NoiseOf(3 * 4096 + 17, version[0] + 1)),
    };
}

// Writes an installer ("MZ" stub, then the package) with the entries into the scratch folder.
std::string WriteInstaller(const ScratchFolder& scratch, const std::vector<ProductEntry>& entries,
                           const std::string& name = "Setup.exe")
{
    std::string path = scratch / name;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    EXPECT_NE(out, nullptr) << path;
    if (!out)
        return path;
    std::fputs("MZ stub", out);
    CPackageWriter writer(out);
    writer.AddDescription("<Folder>\nSample\n", 16);
    int fileNumber = 0;
    for (const ProductEntry& entry : entries) {
        if (entry.folder) {
            writer.AddFolder(entry.name);
            continue;
        }
        std::string source = scratch / ("source" + std::to_string(++fileNumber) + ".bin");
        EXPECT_TRUE(WriteTestFile(source, entry.contents));
        writer.AddFile(entry.name, kCreated, entry.written, source);
    }
    EXPECT_TRUE(writer.Finish()) << writer.Error();
    std::fclose(out);
    for (int i = 1; i <= fileNumber; ++i)
        DeleteFileA((scratch / ("source" + std::to_string(i) + ".bin")).c_str());
    return path;
}

// Rewrites the installer with its package cut `cut` bytes before its end, under a trailer
// that fits the shorter package, as a download broken off and "repaired" would be.
void CutPackage(const std::string& path, uint32_t cut)
{
    std::string bytes = ReadTestFile(path);
    size_t trailer = bytes.size() - 8;
    uint32_t length = (uint32_t(uint8_t(bytes[trailer + 4])) << 24) | (uint32_t(uint8_t(bytes[trailer + 5])) << 16)
                      | (uint32_t(uint8_t(bytes[trailer + 6])) << 8) | uint8_t(bytes[trailer + 7]);
    ASSERT_LT(cut, length);
    length -= cut;
    std::string cutBytes = bytes.substr(0, trailer - cut) + "QXPK";
    for (int shift = 24; shift >= 0; shift -= 8)
        cutBytes += static_cast<char>(length >> shift);
    ASSERT_TRUE(WriteTestFile(path, cutBytes));
}

uint32_t PackageEnd(CStream& file, uint32_t& start)
{
    uint32_t end = 0;
    FindPackage(file, start, end);
    return end;
}

// The installer's own file opened as the installer opens it, the reader standing on the first
// entry after the description.
struct Package {
    CBufferedFile file;
    uint32_t start = 0;
    uint32_t end;
    CPackageReader reader;
    CPackageEntries entries;

    explicit Package(const std::string& path)
        : file(path.c_str(), CFileStream::kModeRead, 0)
        , end(PackageEnd(file, start))
        , reader(file, start, end)
        , entries(reader)
    {
        reader.Rewind();
        while (reader.NextTag() == CPackageReader::kTagDescription) {
            reader.ReadRecordHeader();
            reader.MeasureData();
        }
    }

    CInstallRun Run(const std::string& destination)
    {
        CInstallRun run;
        run.destination = LString(destination.c_str());
        run.entries = &entries;
        run.packageStart = start;
        return run;
    }
};

// The destination step of the install procedure (the folder under a journal record), the file
// installation, then the end the procedure gives it: commit on success, and roll back.
struct Installation {
    CInstJournal journal;
    InstallResult code = kInsOK;

    Installation(const std::string& installer, const std::string& destination, FakeProgress& progress,
                 bool finish = true)
    {
        LString url = PathToFileUrl(destination.c_str());
        CJournalRecord* record = journal.Enter(kJournalFolder, url);
        CCreateFolderOp folder(destination.c_str(), ConflictMode::UseExisting);
        if (!record || !folder.Succeeded()) {
            code = kInsCannotCreateFolder;
            return;
        }
        CInstJournal::Done(record);
        Package package(installer);
        code = InstallFiles(package.Run(destination), progress, journal);
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

InstallResult InstallAll(const std::string& installer, const std::string& destination)
{
    FakeProgress progress;
    return Installation(installer, destination, progress).code;
}

std::string NativeName(const std::string& entryName)
{
    std::string name;
    for (size_t i = 0; i < entryName.size(); ++i) {
        if (entryName.compare(i, 3, "%20") == 0) {
            name += ' ';
            i += 2;
        } else {
            name += entryName[i] == '/' ? '\\' : entryName[i];
        }
    }
    return name;
}

// The tree the product's entries make in the destination, with the write times they carry.
void ExpectInstalled(const std::string& destination, const std::vector<ProductEntry>& entries)
{
    TreeSnapshot tree = TakeSnapshot(destination);
    size_t expected = 0;
    for (const ProductEntry& entry : entries) {
        std::string name = entry.name == "." ? "." : NativeName(entry.name);
        ++expected;
        ASSERT_TRUE(tree.count(name)) << name << "\n" << Describe(tree);
        EXPECT_EQ(tree[name].folder, entry.folder) << name;
        if (entry.folder)
            continue;
        EXPECT_EQ(tree[name].contents, entry.contents) << name;
        EXPECT_EQ(tree[name].lastWrite, FileTimeOf(entry.written)) << name;
    }
    EXPECT_EQ(tree.size(), expected) << Describe(tree);
}

} // namespace

TEST(PackageEntries, IntoAnEmptyFolderEveryFolderFileAndWriteTime)
{
    ScratchFolder scratch("entries");
    std::vector<ProductEntry> product = SampleProduct("1");
    std::string installer = WriteInstaller(scratch, product);
    std::string destination = scratch / "Sample Tool";
    FakeProgress progress;
    Installation install(installer, destination, progress);
    ASSERT_EQ(install.code, kInsOK);
    ExpectInstalled(destination, product);

    // The bar is set once per entry and once more at the end, never backwards, within the package.
    Package package(installer);
    ASSERT_EQ(progress.positions.size(), product.size() + 1);
    for (size_t i = 1; i < progress.positions.size(); ++i)
        EXPECT_GE(progress.positions[i], progress.positions[i - 1]) << i;
    EXPECT_GT(progress.positions.back(), progress.positions.front());
    EXPECT_LE(progress.positions.back(), package.end - package.start);
}

TEST(PackageEntries, OverAnEarlierInstallationBackupsLastUntilTheCommit)
{
    ScratchFolder scratch("entryover");
    std::string destination = scratch / "Sample Tool";
    ASSERT_EQ(InstallAll(WriteInstaller(scratch, SampleProduct("1"), "Setup1.exe"), destination), kInsOK);
    SetFileAttributesA((destination + "\\ReadMe.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    std::vector<ProductEntry> product = SampleProduct("2");
    FakeProgress progress;
    Installation install(WriteInstaller(scratch, product, "Setup2.exe"), destination, progress, false);
    ASSERT_EQ(install.code, kInsOK);
    // Every replaced file waits under its backup name; the empty one and the read-only one too.
    std::vector<std::string> backups = LeftoverNames(TakeSnapshot(destination));
    EXPECT_EQ(backups.size(), 6u) << Describe(TakeSnapshot(destination));
    install.Finish();
    EXPECT_TRUE(LeftoverNames(TakeSnapshot(destination)).empty()) << Describe(TakeSnapshot(destination));
    ExpectInstalled(destination, product);
}

TEST(PackageEntries, StopAfterEveryEntryCountLeavesTheTreeAsItWas)
{
    ScratchFolder scratch("entrystop");
    std::string destination = scratch / "Sample Tool";
    // An earlier, smaller installation with a read-only file and an empty folder that the new
    // package also has, and foreign files in the destination and in a package folder.
    std::string earlier = WriteInstaller(
        scratch,
        {FolderEntry("."), FileEntry("ReadMe.txt", "old"), FolderEntry("Manual"), FileEntry("Manual/old.txt", "o"),
         FolderEntry("Empty")},
        "Setup1.exe");
    ASSERT_EQ(InstallAll(earlier, destination), kInsOK);
    SetFileAttributesA((destination + "\\ReadMe.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(WriteTestFile(destination + "\\Manual\\user.txt", "mine"));
    ASSERT_TRUE(WriteTestFile(destination + "\\notes.txt", "my notes"));
    std::string installer = WriteInstaller(scratch, SampleProduct("2"), "Setup2.exe");
    TreeSnapshot before = TakeSnapshot(scratch.Path());

    size_t entries = SampleProduct("2").size();
    for (size_t stopAfter = 0; stopAfter < entries; ++stopAfter) {
        FakeProgress progress(static_cast<int>(stopAfter));
        EXPECT_EQ(Installation(installer, destination, progress).code, kInsCanceled) << stopAfter;
        TreeSnapshot after = TakeSnapshot(scratch.Path());
        EXPECT_EQ(after, before) << "stopped after " << stopAfter << " entries\n"
                                 << Describe(before) << "----\n" << Describe(after);
    }
    // Not stopped, the same package installs completely over it.
    EXPECT_EQ(InstallAll(installer, destination), kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\Manual\\user.txt"), "mine");
    EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me 2");
}

TEST(PackageEntries, AFileOpenedWithoutSharingFailsWithCannotWriteAndRollsBack)
{
    ScratchFolder scratch("entrylock");
    std::string destination = scratch / "Sample Tool";
    ASSERT_EQ(InstallAll(WriteInstaller(scratch, SampleProduct("1"), "Setup1.exe"), destination), kInsOK);
    std::string installer = WriteInstaller(scratch, SampleProduct("2"), "Setup2.exe");
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    HANDLE locked = CreateFileA((destination + "\\Chunks.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    FakeProgress progress;
    InstallResult code = Installation(installer, destination, progress).code;
    CloseHandle(locked);
    EXPECT_EQ(code, kInsCannotWrite);
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    EXPECT_EQ(after, before) << Describe(before) << "----\n" << Describe(after);
}

TEST(PackageEntries, AFolderWhereAFileGoesFailsWithFolderInTheWay)
{
    ScratchFolder scratch("entryway");
    std::string destination = scratch / "Sample Tool";
    std::string installer = WriteInstaller(scratch, SampleProduct("1"));
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((destination + "\\Chunks.bin").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(destination + "\\Chunks.bin\\inside.txt", "x"));
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    FakeProgress progress;
    EXPECT_EQ(Installation(installer, destination, progress).code, kInsFolderInTheWay);
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    EXPECT_EQ(after, before) << Describe(before) << "----\n" << Describe(after);
}

TEST(PackageEntries, ADamagedPackageFailsWithBrokenAndRollsBack)
{
    // The last file is noise, so the damage below lies in its data run.
    std::vector<ProductEntry> product = SampleProduct("1");
    product.push_back(FileEntry("Last.bin", NoiseOf(20000, 7)));
    // 0: one flipped byte; others: the package cut that many bytes before its end.
    for (uint32_t damage : {0u, 100u, 4000u, 12000u}) {
        ScratchFolder scratch("entrybad");
        std::string installer = WriteInstaller(scratch, product);
        if (damage == 0) {
            std::string bytes = ReadTestFile(installer);
            bytes[bytes.size() - 8 - 5000] ^= 0x5A;
            ASSERT_TRUE(WriteTestFile(installer, bytes));
        } else {
            CutPackage(installer, damage);
        }
        std::string destination = scratch / "Sample Tool";
        ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
        ASSERT_TRUE(WriteTestFile(destination + "\\ReadMe.txt", "the user's own, kept"));
        TreeSnapshot before = TakeSnapshot(scratch.Path());
        FakeProgress progress;
        EXPECT_EQ(Installation(installer, destination, progress).code, kInsBroken) << damage;
        TreeSnapshot after = TakeSnapshot(scratch.Path());
        EXPECT_EQ(after, before) << damage << "\n" << Describe(before) << "----\n" << Describe(after);
    }
}

TEST(PackageEntries, HostileEntryNamesAreRefusedAndNothingIsWritten)
{
    const char* hostile[] = {"/D:/evil.txt", "/C:/evil.txt", "..", "../evil.txt", "Manual/../../evil.txt",
                             "%2e%2e/evil.txt", "http://host/evil.txt", "//server/share/evil.txt",
                             "file://server/evil.txt"};
    for (const char* name : hostile) {
        for (bool folder : {false, true}) {
            ScratchFolder scratch("entryevil");
            std::vector<ProductEntry> product = SampleProduct("1");
            product.insert(product.begin() + 5, folder ? FolderEntry(name) : FileEntry(name, "evil"));
            std::string installer = WriteInstaller(scratch, product);
            std::string destination = scratch / "Sample Tool";
            TreeSnapshot before = TakeSnapshot(scratch.Path());
            FakeProgress progress;
            EXPECT_EQ(Installation(installer, destination, progress).code, kInsBroken) << name << " " << folder;
            EXPECT_FALSE(Exists("C:\\evil.txt")) << name;
            EXPECT_FALSE(Exists("D:\\evil.txt")) << name;
            EXPECT_FALSE(Exists(scratch / "evil.txt")) << name;
            TreeSnapshot after = TakeSnapshot(scratch.Path());
            EXPECT_EQ(after, before) << name << "\n" << Describe(after);
        }
    }
}

TEST(PackageEntries, CollectedRemovalsTakeExactlyThePackagesFilesAndFolders)
{
    ScratchFolder scratch("entrycol");
    std::string installer = WriteInstaller(scratch, SampleProduct("1"));
    std::string destination = scratch / "Sample Tool";
    ASSERT_EQ(InstallAll(installer, destination), kInsOK);
    // The user's files: one in a package folder, one in a folder of the user's own inside a
    // package folder; the other package folders hold nothing of the user's.
    ASSERT_TRUE(WriteTestFile(destination + "\\Manual\\en\\mine.txt", "the user's"));
    ASSERT_TRUE(CreateDirectoryA((destination + "\\Manual\\Notes").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(destination + "\\Manual\\Notes\\note.txt", "a note"));
    TreeSnapshot installed = TakeSnapshot(destination);

    Package package(installer);
    CInstJournal journal;
    FakeProgress progress;
    ASSERT_EQ(CollectRemovals(package.Run(destination), progress, journal), kInsOK);
    // Collecting changes nothing on disk.
    EXPECT_EQ(TakeSnapshot(destination), installed);
    journal.RollBack();

    TreeSnapshot expected;
    for (const char* kept : {".", "Manual", "Manual\\en", "Manual\\en\\mine.txt", "Manual\\Notes",
                             "Manual\\Notes\\note.txt"})
        expected[kept] = installed[kept];
    EXPECT_EQ(TakeSnapshot(destination), expected) << Describe(TakeSnapshot(destination));
}

TEST(PackageEntries, CollectingFromADamagedPackageRemovesNothing)
{
    ScratchFolder scratch("entrycolbad");
    std::string installer = WriteInstaller(scratch, SampleProduct("1"));
    std::string destination = scratch / "Sample Tool";
    ASSERT_EQ(InstallAll(installer, destination), kInsOK);
    CutPackage(installer, 3000);
    TreeSnapshot installed = TakeSnapshot(destination);

    Package package(installer);
    CInstJournal journal;
    FakeProgress progress;
    EXPECT_EQ(CollectRemovals(package.Run(destination), progress, journal), kInsBroken);
    journal.RollBack();
    EXPECT_EQ(TakeSnapshot(destination), installed);
}
