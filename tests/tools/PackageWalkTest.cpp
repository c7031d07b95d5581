// Installers read back by the packer: the walk over the package and the extraction.
#include "tests/package/TestPackage.h"
#include "tools/mkinstaller/CExtractTarget.h"
#include "tools/mkinstaller/CPackageWalk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testsupport::PackEntry;

class PackageWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("package-walk-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Writes the installer of the entries, with the given bytes behind it; returns its path.
    std::string Installer(const std::vector<PackEntry>& entries, const std::string& behind = "")
    {
        const std::string path = (m_dir / "setup.exe").string();
        std::ofstream(path, std::ios::binary) << testsupport::PackedFile("MZ-stub", "<Folder>\r\"Sample\"\r", entries)
                                              << behind;
        return path;
    }

    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

// Each way the walk refuses a package, and its message.
TEST_F(PackageWalkTest, RefusesWhatTheInstallerWouldNotInstall)
{
    const std::vector<PackEntry> sample = {{true, ".", ""}, {false, "a.txt", "the contents of a small text file"}};
    const std::string bytes = Read(Installer(sample));
    std::string damaged = bytes;
    damaged[damaged.size() - 14] ^= 0x10; // in the file's data, before the trailer
    const struct {
        std::string file; // "": no file at all
        std::string message;
    } cases[] = {
        {Read(Installer({{true, ".", ""}, {false, "../x", "evil"}})), "outside the destination"},
        {Read(Installer({{false, "a%3ab", "evil"}})), "cannot create"},
        {damaged, "damaged"},
        {bytes.substr(0, bytes.size() - 3), "no package found"},
        {"", "cannot open"},
    };
    const std::string path = (m_dir / "setup.exe").string();
    for (const auto& c : cases) {
        fs::remove(path);
        if (!c.file.empty())
            std::ofstream(path, std::ios::binary) << c.file;
        CPackageVisitor nothing;
        CPackageWalk walk;
        EXPECT_FALSE(walk.Walk(path, nothing)) << c.message;
        EXPECT_EQ(walk.Error().rfind(path + ": ", 0), 0u) << walk.Error();
        EXPECT_NE(walk.Error().find(c.message), std::string::npos) << walk.Error();
    }
}

// Names decoded, data and times as packed; bytes behind the trailer (a signature) are not the
// package's.
TEST_F(PackageWalkTest, ExtractWritesTheTreeWithItsTimes)
{
    const std::string setup = Installer({{true, ".", ""},
                                         {true, "Empty", ""},
                                         {false, "sub/deeper/read%20me.txt", "content"},
                                         {false, "e", "", 3000000000u, 3100000000u}},
                                        "signature block");
    const fs::path target = m_dir / "out";
    CExtractTarget extract(target.string(), nullptr);
    ASSERT_TRUE(extract.Prepare());
    CPackageWalk walk;
    ASSERT_TRUE(walk.Walk(setup, extract)) << walk.Error();
    EXPECT_EQ(walk.DataBytes(), 7u);
    EXPECT_EQ(walk.UncheckedRecords(), 0);
    EXPECT_TRUE(fs::is_directory(target / "Empty"));
    EXPECT_EQ(Read(target / "sub/deeper/read me.txt"), "content");
    EXPECT_EQ(Read(target / "e"), "");
    struct stat info;
    ASSERT_EQ(::stat((target / "e").c_str(), &info), 0);
    EXPECT_EQ(int64_t(info.st_mtime), 3100000000 - 2082844800); // seconds since 1904, unsigned
}

TEST_F(PackageWalkTest, ExtractFailingPartWayTakesBackWhatItWroteAndNothingElse)
{
    // The file "a" is in the way of the later folder "a/b".
    const std::string setup = Installer({{true, ".", ""}, {true, "x", ""}, {false, "x/y", "data"}, {false, "a", "file"},
                                     {true, "a/b", ""}});
    const fs::path target = m_dir / "out";
    for (bool existing : {false, true}) {
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

} // namespace
