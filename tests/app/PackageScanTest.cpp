#include "app/PackageScan.h"
#include "install/CInstDesc.h"
#include "tests/install/PackedInstaller.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

const std::string kDescription = "<Folder>\n\"Sample Tool\"\n\n<InsTitle>\nSample Tool 1.0\n";

struct Scan {
    PackedInstaller own;
    uint32_t size;
    CInstDesc description;
    bool loaded = false;

    explicit Scan(const std::string& path) : own(path), size(uint32_t(ReadTestFile(path).size()))
    {
        LoadDescription(own.reader, description, loaded, 1033);
    }
    PackageRequirement Requirement() { return PreScan(own.reader, size); }
};

} // namespace

TEST(PackageScan, CountsTheFilesAndTheUninstallerCopy)
{
    ScratchFolder scratch("scan");
    const std::string path = scratch / "Setup.exe";
    ASSERT_TRUE(WriteInstaller(path, {kDescription, "<InsTitle>\nThe second\n"},
                               {Folder("."), File("ReadMe.txt", std::string(5000, 'r')), File("Empty.txt", ""),
                                File("Tool.exe", "MZ tool")}));
    Scan scan(path);
    EXPECT_TRUE(scan.loaded);
    // The first of two descriptions counts; the reader stands past the second.
    EXPECT_STREQ(scan.description.Text(kDescInsTitle).Text(), "Sample Tool 1.0");
    EXPECT_EQ(scan.own.reader.LastTag(), CPackageReader::kTagFolder);

    PackageRequirement requirement = scan.Requirement();
    EXPECT_EQ(requirement.entryCount, 4u);
    EXPECT_EQ(requirement.totalBytes, 5000u + 7u + scan.size);
    EXPECT_EQ(scan.own.reader.LastTag(), CPackageReader::kTagEnd);

    // Without a package only the uninstaller copy counts.
    ASSERT_TRUE(WriteTestFile(scratch / "Bare.exe", "MZ a program without a package"));
    Scan bare(scratch / "Bare.exe");
    EXPECT_FALSE(bare.loaded);
    requirement = bare.Requirement();
    EXPECT_EQ(requirement.entryCount, 1u);
    EXPECT_EQ(requirement.totalBytes, bare.size);
}

TEST(PackageScan, ACutEntryStopsTheCountAndGivesNoTotal)
{
    ScratchFolder scratch("scan4");
    const std::string path = scratch / "Setup.exe";
    ASSERT_TRUE(WriteInstaller(path, {kDescription}, {Folder("."), File("one.txt", "1"), File("two.txt", "2")}));
    const std::string whole = ReadTestFile(path);

    // Cuts across the last entry's record: wherever its header, name or times are cut short,
    // the pre-scan gives no total; a cut only in its data leaves a sound, shorter count.
    int damaged = 0;
    for (uint32_t cut = 1; cut < 24; ++cut) {
        ASSERT_TRUE(WriteTestFile(path, whole) && CutPackage(path, cut));
        PackageRequirement requirement = Scan(path).Requirement();
        if (requirement.totalBytes == 0) {
            ++damaged;
            EXPECT_LE(requirement.entryCount, 1u) << cut << ": only the first file was whole";
        } else {
            EXPECT_GE(requirement.totalBytes, uint32_t(whole.size()) - cut) << cut;
            EXPECT_LE(requirement.entryCount, 3u) << cut;
        }
    }
    EXPECT_GT(damaged, 0);
}
