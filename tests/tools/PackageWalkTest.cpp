#include "package/CPackageWriter.h"
#include "tools/mkinstaller/CExtractTarget.h"
#include "tools/mkinstaller/CPackageWalk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct PackItem {
    bool folder;
    std::string name;
    std::string contents;
};

class PackageWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("package-walk-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Packs the items behind a small stub; returns the installer's path.
    std::string Pack(const std::vector<PackItem>& items, const std::string& name = "setup.exe")
    {
        const std::string path = (m_dir / name).string();
        std::FILE* out = std::fopen(path.c_str(), "wb");
        EXPECT_TRUE(out);
        std::fputs("MZ-stub", out);
        CPackageWriter writer(out);
        const std::string desc = "<Folder>\r\"Sample\"\r";
        writer.AddDescription(desc.data(), desc.size());
        int n = 0;
        for (const PackItem& item : items) {
            if (item.folder) {
                writer.AddFolder(item.name);
                continue;
            }
            const std::string source = (m_dir / ("source" + std::to_string(n++))).string();
            std::ofstream(source, std::ios::binary) << item.contents;
            writer.AddFile(item.name, 3000000000u, 3100000000u, source);
        }
        EXPECT_TRUE(writer.Finish()) << writer.Error();
        std::fclose(out);
        return path;
    }

    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

class CRecording : public CPackageVisitor {
public:
    bool Description(const std::string& text) override { return m_seen.push_back("desc " + text), true; }
    bool Folder(const WalkedEntry& e) override { return m_seen.push_back("folder " + e.path), true; }
    bool EndFile(const WalkedEntry& e) override
    {
        m_seen.push_back("file " + e.path + " " + std::to_string(e.size));
        return true;
    }
    std::vector<std::string> m_seen;
};

TEST_F(PackageWalkTest, WalksRecordsInOrderWithDecodedNamesAndSizes)
{
    const std::string big(5000, 'x');
    const std::string setup = Pack({{true, ".", ""},
                                    {true, "Manual", ""},
                                    {false, "Manual/read%20me.txt", "hello"},
                                    {false, "big.bin", big}});
    CRecording recording;
    CPackageWalk walk;
    ASSERT_TRUE(walk.Walk(setup, recording)) << walk.Error();
    const std::vector<std::string> expected = {"desc <Folder>\r\"Sample\"\r", "folder ", "folder Manual",
                                               "file Manual/read me.txt 5", "file big.bin 5000"};
    EXPECT_EQ(recording.m_seen, expected);
    EXPECT_EQ(walk.DataBytes(), 5005u);
    EXPECT_EQ(walk.UncheckedRecords(), 0);
    EXPECT_EQ(CPackageWalk::UnixTime(2082844800u), 0);
}

TEST_F(PackageWalkTest, NamesThatLeaveTheDestinationOrCannotBeCreatedStopTheWalk)
{
    const char* outside[] = {"..", "../x", "/D:/x", "file:///D:/x", "http://host/x", "//host/share/x", "%2e%2e/x",
                             "a/../../x"};
    for (const char* name : outside) {
        const std::string setup = Pack({{true, ".", ""}, {false, name, "evil"}});
        CPackageVisitor nothing;
        CPackageWalk walk;
        EXPECT_FALSE(walk.Walk(setup, nothing)) << name;
        EXPECT_NE(walk.Error().find("outside the destination"), std::string::npos) << name << ": " << walk.Error();
    }
    for (const char* name : {"a%3ab", "x%2fy", "trailing%2e", "a%5cb"}) {
        const std::string setup = Pack({{false, name, "evil"}});
        CPackageVisitor nothing;
        CPackageWalk walk;
        EXPECT_FALSE(walk.Walk(setup, nothing)) << name;
        EXPECT_NE(walk.Error().find("cannot create"), std::string::npos) << name << ": " << walk.Error();
    }
}

TEST_F(PackageWalkTest, DamageAndTruncationAreReportedAndBytesBehindTheTrailerAreNot)
{
    const std::string setup = Pack({{true, ".", ""}, {false, "a.txt", std::string(3000, 'a') + "tail of the file"}});
    std::string bytes = Read(setup);
    CPackageVisitor nothing;

    std::ofstream(setup, std::ios::binary | std::ios::app) << "signature block behind the package";
    CPackageWalk signedWalk;
    EXPECT_TRUE(signedWalk.Walk(setup, nothing)) << signedWalk.Error();

    std::string damaged = bytes;
    damaged[damaged.size() - 14] ^= 0x10; // inside the compressed data, before the trailer
    std::ofstream(setup, std::ios::binary | std::ios::trunc) << damaged;
    CPackageWalk damagedWalk;
    EXPECT_FALSE(damagedWalk.Walk(setup, nothing));
    EXPECT_NE(damagedWalk.Error().find(setup), std::string::npos) << damagedWalk.Error();

    std::ofstream(setup, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() - 3);
    CPackageWalk cutWalk;
    EXPECT_FALSE(cutWalk.Walk(setup, nothing));
    EXPECT_NE(cutWalk.Error().find("no package found"), std::string::npos) << cutWalk.Error();

    CPackageWalk missingWalk;
    EXPECT_FALSE(missingWalk.Walk((m_dir / "none.exe").string(), nothing));
    EXPECT_NE(missingWalk.Error().find("cannot open"), std::string::npos);
}

TEST_F(PackageWalkTest, ExtractWritesTheTreeWithItsTimes)
{
    const std::string setup = Pack({{true, ".", ""}, {false, "sub/deeper/f.txt", "content"}, {false, "e", ""}});
    const fs::path target = m_dir / "out";
    CExtractTarget extract(target.string(), nullptr);
    ASSERT_TRUE(extract.Prepare());
    CPackageWalk walk;
    ASSERT_TRUE(walk.Walk(setup, extract)) << walk.Error();
    EXPECT_EQ(Read(target / "sub/deeper/f.txt"), "content");
    EXPECT_TRUE(fs::exists(target / "e"));
    EXPECT_EQ(fs::file_size(target / "e"), 0u);
    struct stat info;
    ASSERT_EQ(::stat((target / "e").c_str(), &info), 0);
    EXPECT_EQ(int64_t(info.st_mtime), CPackageWalk::UnixTime(3100000000u));
}

TEST_F(PackageWalkTest, ExtractFailingPartWayTakesBackWhatItWrote)
{
    // The file "a" is in the way of the later folder "a/b".
    const std::string setup = Pack({{true, ".", ""}, {true, "x", ""}, {false, "x/y", "data"}, {false, "a", "file"},
                                    {true, "a/b", ""}});
    for (bool existing : {false, true}) {
        const fs::path target = m_dir / "out";
        fs::remove_all(target);
        if (existing)
            fs::create_directory(target);
        CExtractTarget extract(target.string(), nullptr);
        ASSERT_TRUE(extract.Prepare());
        CPackageWalk walk;
        EXPECT_FALSE(walk.Walk(setup, extract));
        EXPECT_NE(walk.Error().find("a/b"), std::string::npos) << walk.Error();
        extract.Undo();
        // An empty folder that was there stays, empty; one this extraction made is gone.
        EXPECT_EQ(fs::exists(target), existing);
        EXPECT_TRUE(!existing || fs::is_empty(target));
    }
}

TEST_F(PackageWalkTest, ExtractRefusesAFolderThatHoldsAnything)
{
    const fs::path target = m_dir / "full";
    fs::create_directory(target);
    std::ofstream(target / "keep.txt") << "mine";
    CExtractTarget extract(target.string(), nullptr);
    EXPECT_FALSE(extract.Prepare());
    EXPECT_NE(extract.Error().find("not empty"), std::string::npos);
    extract.Undo();
    EXPECT_EQ(Read(target / "keep.txt"), "mine");
}

} // namespace
