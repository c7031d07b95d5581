#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "package/CPackageWriter.h"
#include "package/PackageTrailer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Packs files of the boundary sizes and reads them back with the installer's own reader.
TEST(WriterReaderRoundTrip, EveryRecordComesBackIntact)
{
    const fs::path dir = fs::temp_directory_path() / "packwriter-roundtrip";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const size_t sizes[] = {0, 1, 2, 3, 4095, 4096, 4097, 8191, 8192, size_t(1) << 20};
    std::vector<std::string> contents;
    std::mt19937 rng(42);
    for (size_t n : sizes) {
        std::string s(n, '\0');
        for (size_t i = 0; i < n; ++i)
            s[i] = (n & 1) ? char(rng()) : "abcab cabbage "[i % 14];
        contents.push_back(s);
        std::ofstream(dir / std::to_string(n), std::ios::binary) << s;
    }
    const std::string outPath = (dir / "setup.exe").string();
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    ASSERT_TRUE(out);
    std::fputs("MZ-stub", out);
    CPackageWriter writer(out);
    const std::string desc = "<Folder>\r\"Sample Tool\"\r";
    writer.AddDescription(desc.data(), desc.size());
    writer.AddFolder(".");
    for (size_t n : sizes)
        writer.AddFile(std::to_string(n), 1, 2, (dir / std::to_string(n)).string());
    ASSERT_TRUE(writer.Finish()) << writer.Error();
    std::fclose(out);

    std::ifstream in(outPath, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)), {});
    CMemoryStream stream;
    stream.Write(file.data(), int32_t(file.size()));
    uint32_t start = 0, end = 0;
    FindPackage(stream, start, end);
    ASSERT_EQ(start, 7u);
    CPackageReader reader(stream, start, end);
    reader.Rewind();

    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagDescription);
    ASSERT_TRUE(reader.ReadRecordHeader());
    std::string readDesc(desc.size() + 10, '\0');
    readDesc.resize(reader.ReadBytes(&readDesc[0], uint32_t(readDesc.size())));
    EXPECT_EQ(readDesc, desc);
    EXPECT_TRUE(reader.RecordIntact());

    auto readName = [&]() {
        std::string name;
        char c;
        while (reader.ReadBytes(&c, 1) == 1 && c != 0)
            name.push_back(c);
        return name;
    };
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFolder);
    ASSERT_TRUE(reader.ReadRecordHeader());
    EXPECT_EQ(readName(), ".");
    EXPECT_TRUE(reader.RecordIntact());
    for (size_t k = 0; k < contents.size(); ++k) {
        ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFile);
        ASSERT_TRUE(reader.ReadRecordHeader());
        EXPECT_EQ(readName(), std::to_string(sizes[k]));
        uint8_t times[8];
        ASSERT_TRUE(reader.ReadTimes(times));
        EXPECT_EQ(times[3], 1);
        EXPECT_EQ(times[7], 2);
        CMemoryStream data;
        reader.ReadDataInto(data);
        ASSERT_EQ(data.Size(), contents[k].size());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.Data()), data.Size()), contents[k]);
        EXPECT_TRUE(reader.RecordIntact()) << "size " << sizes[k];
    }
    EXPECT_EQ(reader.NextTag(), CPackageReader::kTagEnd);
    fs::remove_all(dir);
}

} // namespace
