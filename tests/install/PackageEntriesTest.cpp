#include "install/CFileInstaller.h"
#include "install/CInstJournal.h"
#include "install/CInstallRun.h"
#include "install/CPackageEntries.h"
#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"
#include "package/CPackageWriter.h"
#include "package/PackageTrailer.h"
#include "tests/install/FakePackage.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace testsupport;

namespace {

const uint32_t kCreated = 3786912000u;  // 2024-01-01 00:00:00 UTC, in seconds since 1904
const uint32_t kWritten = kCreated + 90; // a minute and a half later
const uint64_t kSeconds1601To1904 = 9561628800ull;

uint64_t FileTimeOf(uint32_t seconds1904) { return (seconds1904 + kSeconds1601To1904) * 10000000ull; }

uint64_t Value(const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

// An installer file whose package holds a small product; `bigSize` bytes in one file so that
// the data runs over several 4096-byte chunks.
std::string WriteInstaller(const ScratchFolder& scratch, size_t bigSize)
{
    std::string big(bigSize, '\0');
    for (size_t i = 0; i < bigSize; ++i)
        big[i] = static_cast<char>("installer data "[i % 15] + (i / 4096));
    WriteTestFile(scratch / "big.bin", big);
    WriteTestFile(scratch / "readme.txt", "read me");
    std::string path = scratch / "Setup.exe";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("MZ stub", out);
    CPackageWriter writer(out);
    writer.AddDescription("<Folder>\nSample\n", 16);
    writer.AddFolder(".");
    writer.AddFolder("Data");
    writer.AddFile("ReadMe.txt", kCreated, kWritten, scratch / "readme.txt");
    writer.AddFile("Data/big.bin", kCreated, kWritten, scratch / "big.bin");
    EXPECT_TRUE(writer.Finish()) << writer.Error();
    std::fclose(out);
    return path;
}

uint32_t PackageEnd(CStream& file, uint32_t& start)
{
    uint32_t end = 0;
    FindPackage(file, start, end);
    return end;
}

// The installer's own file, its reader standing on the first entry.
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

    InstallResult Install(const std::string& destination, CInstJournal& journal)
    {
        CreateDirectoryA(destination.c_str(), nullptr);
        FakeProgress progress;
        CInstallRun run;
        run.destination = LString(destination.c_str());
        run.entries = &entries;
        run.packageStart = start;
        return InstallFiles(run, progress, journal);
    }
};

} // namespace

TEST(PackageEntries, InstallsFilesWithTheirContentsAndTimes)
{
    ScratchFolder scratch("entries");
    const size_t bigSize = 3 * 4096 + 17;
    Package package(WriteInstaller(scratch, bigSize));
    std::string destination = scratch / "Sample";
    CInstJournal journal;
    ASSERT_EQ(package.Install(destination, journal), kInsOK);
    journal.Commit();

    EXPECT_EQ(ReadTestFile(destination + "\\ReadMe.txt"), "read me");
    EXPECT_EQ(ReadTestFile(destination + "\\Data\\big.bin"), ReadTestFile(scratch / "big.bin"));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((destination + "\\Data\\big.bin").c_str(), GetFileExInfoStandard, &data));
    // Wine keeps no creation time of its own on a Linux file system; the last write time is
    // what the user sees in either case.
    EXPECT_EQ(Value(data.ftLastWriteTime), FileTimeOf(kWritten));
}

TEST(PackageEntries, ADamagedPackageIsReportedAndUndone)
{
    ScratchFolder scratch("entrybad");
    std::string path = WriteInstaller(scratch, 20000);
    std::string bytes = ReadTestFile(path);
    // A byte in the middle of the big file's compressed data, far from the trailer.
    bytes[bytes.size() - 8 - 200] ^= 0x5A;
    WriteTestFile(path, bytes);

    Package package(path);
    std::string destination = scratch / "Sample";
    CreateDirectoryA(destination.c_str(), nullptr);
    WriteTestFile(destination + "\\Notes.txt", "the user's notes keep the folder");
    TreeSnapshot before = TakeSnapshot(destination);
    CInstJournal journal;
    EXPECT_EQ(package.Install(destination, journal), kInsBroken);
    journal.RollBack();
    EXPECT_EQ(TakeSnapshot(destination), before);
}

TEST(PackageEntries, CollectedRemovalsTakeOnlyThePackagesFiles)
{
    ScratchFolder scratch("entrycol");
    std::string path = WriteInstaller(scratch, 5000);
    std::string destination = scratch / "Sample";
    {
        Package package(path);
        CInstJournal journal;
        ASSERT_EQ(package.Install(destination, journal), kInsOK);
        journal.Commit();
    }
    WriteTestFile(destination + "\\Data\\mine.txt", "the user's");

    Package package(path);
    CInstJournal journal;
    FakeProgress progress;
    CInstallRun run;
    run.destination = LString(destination.c_str());
    run.entries = &package.entries;
    run.packageStart = package.start;
    ASSERT_EQ(CollectRemovals(run, progress, journal), kInsOK);
    journal.RollBack();
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    EXPECT_FALSE(Exists(destination + "\\Data\\big.bin"));
    EXPECT_EQ(ReadTestFile(destination + "\\Data\\mine.txt"), "the user's");
}
