#include "app/PackageScan.h"
#include "install/CInstDesc.h"
#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"
#include "tests/install/PackedInstaller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

// An installer file: a stub, then a package with the given descriptions, a folder and files.
std::string WriteSetup(const ScratchFolder& scratch, const std::vector<std::string>& descriptions,
                       std::vector<FakeEntry> files)
{
    const std::string path = scratch / "Setup.exe";
    files.insert(files.begin(), Folder("."));
    EXPECT_TRUE(WriteInstaller(path, descriptions, files));
    return path;
}

uint32_t SizeOf(CStream& file)
{
    file.SeekEnd();
    return file.Position();
}

// The program's own file as the installer application opens it.
struct OwnFile {
    CBufferedFile file;
    uint32_t size;
    uint32_t start = 0;
    uint32_t end;
    CPackageReader reader;

    explicit OwnFile(const std::string& path)
        : file(path.c_str(), CFileStream::kModeRead, 0)
        , size(SizeOf(file))
        , end(FoundPackage(file, start))
        , reader(file, start, end)
    {
    }
};

const std::string kDescription = "<Folder>\n\"Sample Tool\"\n\n<InsTitle>\nSample Tool 1.0\n";

} // namespace

TEST(PackageScan, CountsTheFilesAndTheUninstallerCopy)
{
    ScratchFolder scratch("scan");
    std::string path = WriteSetup(scratch, {kDescription, "<InsTitle>\nThe second\n"},
                                  {File("ReadMe.txt", std::string(5000, 'r')), File("Empty.txt", ""), File("Tool.exe", "MZ tool")});
    OwnFile own(path);
    CInstDesc description;
    bool loaded = false;
    LoadDescription(own.reader, description, loaded, 1033);
    EXPECT_TRUE(loaded);
    // The first of two descriptions counts; the reader stands past the second.
    EXPECT_STREQ(description.Text(kDescInsTitle).Text(), "Sample Tool 1.0");
    EXPECT_EQ(own.reader.LastTag(), CPackageReader::kTagFolder);

    PackageRequirement requirement = PreScan(own.reader, own.size);
    EXPECT_EQ(requirement.entryCount, 4u);
    EXPECT_EQ(requirement.totalBytes, 5000u + 7u + own.size);
    EXPECT_EQ(own.reader.LastTag(), CPackageReader::kTagEnd);

    // Loading again stands before the first entry once more.
    LoadDescription(own.reader, description, loaded, 1033);
    EXPECT_EQ(own.reader.LastTag(), CPackageReader::kTagFolder);
    EXPECT_EQ(PreScan(own.reader, own.size).totalBytes, requirement.totalBytes);
}

TEST(PackageScan, WithoutAPackageOnlyTheUninstallerCopyCounts)
{
    ScratchFolder scratch("scan3");
    std::string path = scratch / "Setup.exe";
    WriteTestFile(path, "MZ a program without a package");
    OwnFile own(path);
    EXPECT_EQ(own.start, 0u);
    CInstDesc description;
    bool loaded = false;
    LoadDescription(own.reader, description, loaded, 1033);
    EXPECT_FALSE(loaded);
    PackageRequirement requirement = PreScan(own.reader, own.size);
    EXPECT_EQ(requirement.entryCount, 1u);
    EXPECT_EQ(requirement.totalBytes, own.size);
}

TEST(PackageScan, ACutEntryStopsTheCountAndGivesNoTotal)
{
    ScratchFolder scratch("scan4");
    std::string path = WriteSetup(scratch, {kDescription}, {File("one.txt", "1"), File("two.txt", "2")});
    std::string bytes = ReadTestFile(path);
    OwnFile whole(path);
    const uint32_t length = whole.end - whole.start;

    // Cuts across the last entry's record: wherever its header, name or times are cut short,
    // the pre-scan gives no total; a cut only in its data leaves a sound, shorter count.
    int damaged = 0;
    for (uint32_t cutLength = length - 1; cutLength + 24 > length; --cutLength) {
        std::string cut = bytes.substr(0, whole.start + cutLength) + "QXPK";
        for (int shift = 24; shift >= 0; shift -= 8)
            cut += static_cast<char>((cutLength >> shift) & 0xFF);
        std::string cutPath = scratch / ("Cut" + std::to_string(cutLength) + ".exe");
        WriteTestFile(cutPath, cut);

        OwnFile own(cutPath);
        ASSERT_EQ(own.end - own.start, cutLength);
        CInstDesc description;
        bool loaded = false;
        LoadDescription(own.reader, description, loaded, 1033);
        PackageRequirement requirement = PreScan(own.reader, own.size);
        if (requirement.totalBytes == 0) {
            ++damaged;
            EXPECT_LE(requirement.entryCount, 1u) << cutLength << ": only the first file was whole";
        } else {
            EXPECT_GE(requirement.totalBytes, own.size) << cutLength;
            EXPECT_LE(requirement.entryCount, 3u) << cutLength;
        }
    }
    EXPECT_GT(damaged, 0);
}
