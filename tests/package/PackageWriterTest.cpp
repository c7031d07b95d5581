#include "package/CPackageWriter.h"
#include "package/CRecordCrc.h"
#include "tests/package/CodeReplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class PackageWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("packwriter-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string MakeFile(const std::string& name, const std::string& contents)
    {
        const fs::path p = m_dir / name;
        std::ofstream(p, std::ios::binary) << contents;
        return p.string();
    }

    std::vector<uint8_t> ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

std::string Be32(uint32_t v)
{
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

TEST(RecordCrc, MatchesTheCommonCheckValue)
{
    EXPECT_EQ(CRecordCrc::Of("123456789", 9), 0xCBF43926u);
    CRecordCrc split;
    split.Add("1234", 4);
    split.Add("56789", 5);
    EXPECT_EQ(split.Value(), 0xCBF43926u);
    EXPECT_EQ(CRecordCrc::Of("", 0), 0u);
}

TEST_F(PackageWriterTest, WritesRecordsBehindTheStubWithTrailer)
{
    const std::string data = MakeFile("data.bin", "hello hello hello");
    const std::string outPath = (m_dir / "out.exe").string();
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    ASSERT_TRUE(out);
    std::fputs("STUB", out);
    CPackageWriter writer(out);
    const std::string desc = "<Folder>\r\"Sample\"\r";
    writer.AddDescription(desc.data(), desc.size());
    writer.AddFolder(".");
    writer.AddFolder("Manual");
    writer.AddFile("Manual/read%20me.txt", 0x01020304u, 0xA0B0C0D0u, data);
    ASSERT_TRUE(writer.Finish()) << writer.Error();
    std::fclose(out);

    const std::vector<uint8_t> file = ReadAll(outPath);
    ASSERT_GE(file.size(), 12u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "STUB");
    const size_t end = file.size() - 8;
    EXPECT_EQ(std::string(file.begin() + long(end), file.begin() + long(end) + 4), "QXPK");
    const uint32_t length = uint32_t(file[end + 4]) << 24 | uint32_t(file[end + 5]) << 16 |
                            uint32_t(file[end + 6]) << 8 | file[end + 7];
    ASSERT_EQ(length, end - 4);
    EXPECT_EQ(length, writer.PackageBytes());

    const Replay r = ReplayCodes(std::vector<uint8_t>(file.begin() + 4, file.begin() + long(end)));
    ASSERT_TRUE(r.ok) << r.fault;
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[0], std::string("\x01", 1) + Be32(CRecordCrc::Of(desc.data(), desc.size())) + desc);
    const std::string folder1 = std::string(".\0", 2);
    const std::string folder2 = std::string("Manual\0", 7);
    const std::string name = std::string("Manual/read%20me.txt\0", 21);
    const std::string times = Be32(0x01020304u) + Be32(0xA0B0C0D0u);
    const std::string body = name + times + "hello hello hello";
    EXPECT_EQ(r.runs[1], "\x05" + Be32(CRecordCrc::Of(folder1.data(), folder1.size())) + folder1 + "\x05" +
                             Be32(CRecordCrc::Of(folder2.data(), folder2.size())) + folder2 + "\x04" +
                             Be32(CRecordCrc::Of(body.data(), body.size())) + body);
}

TEST_F(PackageWriterTest, EmptyFileIsAnEmptyDataRun)
{
    const std::string empty = MakeFile("empty", "");
    const std::string outPath = (m_dir / "out.exe").string();
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    ASSERT_TRUE(out);
    CPackageWriter writer(out);
    writer.AddDescription("", 0);
    writer.AddFile("empty", 0, 0, empty);
    ASSERT_TRUE(writer.Finish());
    std::fclose(out);
    std::vector<uint8_t> file = ReadAll(outPath);
    file.resize(file.size() - 8);
    const Replay r = ReplayCodes(file);
    ASSERT_TRUE(r.ok) << r.fault;
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[1].size(), 1u + 4u + 6u + 8u);
}

TEST_F(PackageWriterTest, MissingFileFailsNamingIt)
{
    const std::string outPath = (m_dir / "out.exe").string();
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    ASSERT_TRUE(out);
    CPackageWriter writer(out);
    writer.AddDescription("x", 1);
    const std::string missing = (m_dir / "no-such-file").string();
    writer.AddFile("no-such-file", 0, 0, missing);
    EXPECT_FALSE(writer.Finish());
    std::fclose(out);
    EXPECT_NE(writer.Error().find(missing), std::string::npos) << writer.Error();
}

// The installer reads itself with 32-bit positions, so stub and package together must stay
// below 4 GiB; a stub just short of it (a sparse file) leaves room for almost nothing.
TEST_F(PackageWriterTest, RefusesAnInstallerThatWouldReach4GiB)
{
    for (const uint64_t stub : {uint64_t(0xFFFFFFFFull - 200), uint64_t(0xFFFFFFFFull - 30000)}) {
        const std::string outPath = (m_dir / "big.exe").string();
        std::FILE* out = std::fopen(outPath.c_str(), "wb");
        ASSERT_TRUE(out);
        ASSERT_EQ(fseeko(out, off_t(stub - 1), SEEK_SET), 0);
        ASSERT_EQ(std::fputc('M', out), 'M');
        CPackageWriter writer(out);
        const std::string data = MakeFile("data.bin", std::string(3000, 'x') + std::string(1000, 'y'));
        writer.AddDescription("<Folder>\r\"X\"\r", 13);
        writer.AddFile("data.bin", 0, 0, data);
        const bool finished = writer.Finish();
        std::fclose(out);
        fs::remove(outPath);
        if (stub > 0xFFFFFFFFull - 1000) {
            EXPECT_FALSE(finished);
            EXPECT_NE(writer.Error().find("4 GiB"), std::string::npos) << writer.Error();
        } else {
            EXPECT_TRUE(finished) << writer.Error();
        }
    }
}

TEST_F(PackageWriterTest, SameInputGivesSamePackage)
{
    std::string big;
    for (int i = 0; i < 30000; ++i)
        big += std::to_string(i * 7919 % 1000) + " ";
    const std::string data = MakeFile("big.txt", big);
    std::vector<uint8_t> packages[2];
    for (auto& package : packages) {
        const std::string outPath = (m_dir / "out.exe").string();
        std::FILE* out = std::fopen(outPath.c_str(), "wb");
        ASSERT_TRUE(out);
        CPackageWriter writer(out);
        writer.AddDescription("<Folder>\rX\r", 11);
        writer.AddFolder(".");
        writer.AddFile("big.txt", 5, 6, data);
        writer.AddFile("again.txt", 5, 6, data);
        ASSERT_TRUE(writer.Finish());
        std::fclose(out);
        package = ReadAll(outPath);
    }
    EXPECT_EQ(packages[0], packages[1]);
    // The second copy of the file is found through the window across the record boundary.
    EXPECT_LT(packages[0].size(), big.size());
}

} // namespace
