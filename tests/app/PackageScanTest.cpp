#include "app/PackageScan.h"
#include "install/CInstDesc.h"
#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"
#include "package/CPackageWriter.h"
#include "package/PackageTrailer.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

struct PackedFile {
    std::string name;
    std::string contents;
};

// An installer file: a stub, then a package with the given descriptions, a folder and files.
std::string WriteInstaller(const ScratchFolder& scratch, const std::vector<std::string>& descriptions,
                           const std::vector<PackedFile>& files)
{
    std::string path = scratch / "Setup.exe";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("MZ stub of the installer", out);
    CPackageWriter writer(out);
    for (const std::string& description : descriptions)
        writer.AddDescription(description.data(), description.size());
    writer.AddFolder(".");
    for (const PackedFile& file : files) {
        std::string source = scratch / ("source-" + file.name);
        WriteTestFile(source, file.contents);
        writer.AddFile(file.name, 1, 2, source);
    }
    EXPECT_TRUE(writer.Finish()) << writer.Error();
    std::fclose(out);
    return path;
}

uint32_t SizeOf(CStream& file)
{
    file.SeekEnd();
    return file.Position();
}

uint32_t PackageEnd(CStream& file, uint32_t& start)
{
    uint32_t end = 0;
    FindPackage(file, start, end);
    return end;
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
        , end(PackageEnd(file, start))
        , reader(file, start, end)
    {
    }
};

const std::string kDescription = "<Folder>\n\"Sample Tool\"\n\n<InsTitle>\nSample Tool 1.0\n";

} // namespace

TEST(PackageScan, CountsTheFilesAndTheUninstallerCopy)
{
    ScratchFolder scratch("scan");
    std::string path = WriteInstaller(scratch, {kDescription},
                                      {{"ReadMe.txt", std::string(5000, 'r')}, {"Empty.txt", ""}, {"Tool.exe", "MZ tool"}});
    OwnFile own(path);
    CInstDesc description;
    bool loaded = false;
    LoadDescription(own.reader, description, loaded, 1033);
    EXPECT_TRUE(loaded);
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

TEST(PackageScan, TheFirstOfTwoDescriptionsCounts)
{
    ScratchFolder scratch("scan2");
    std::string path = WriteInstaller(scratch, {kDescription, "<InsTitle>\nThe second\n"}, {{"a.txt", "a"}});
    OwnFile own(path);
    CInstDesc description;
    bool loaded = false;
    LoadDescription(own.reader, description, loaded, 1033);
    EXPECT_STREQ(description.Text(kDescInsTitle).Text(), "Sample Tool 1.0");
    EXPECT_EQ(own.reader.LastTag(), CPackageReader::kTagFolder) << "the second description is read past";
    // A reload after a cancelled installation keeps the description it has.
    LoadDescription(own.reader, description, loaded, 1033);
    EXPECT_STREQ(description.Text(kDescInsTitle).Text(), "Sample Tool 1.0");
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
    std::string path = WriteInstaller(scratch, {kDescription}, {{"one.txt", "1"}, {"two.txt", "2"}});
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
