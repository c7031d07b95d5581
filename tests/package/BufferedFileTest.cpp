#include "package/CBufferedFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A scratch file with given contents, removed again at the end of the test.
struct ScratchFile {
    explicit ScratchFile(const std::string& contents) : path(testing::TempDir() + "bufferedfile.bin")
    {
        std::ofstream(path, std::ios::binary) << contents;
    }
    ~ScratchFile() { std::remove(path.c_str()); }
    std::string Contents() const
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string path;
};

// The buffer's stretch: the tests read and write across its edges.
const uint32_t kStretch = CBufferedFile::kBufferSize;

std::string Pattern(size_t size)
{
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>(i * 7 + i / 251);
    return out;
}

// Opening never creates a file; writing needs the read-write mode, and the first error stays.
TEST(FileStream, RefusesWhatItsModeDoesNotAllow)
{
    const std::string missing = testing::TempDir() + "does-not-exist.bin";
    CFileStream none(missing.c_str(), CFileStream::kModeReadWrite, 0);
    EXPECT_EQ(none.Error(), kStreamCannotOpen);
    EXPECT_FALSE(std::ifstream(missing).is_open());

    ScratchFile file("contents");
    for (bool buffered : {false, true}) {
        CFileStream plain(file.path.c_str(), CFileStream::kModeRead, CFileStream::kFlagSequential);
        CBufferedFile withBuffer(file.path.c_str(), CFileStream::kModeRead, 0);
        CFileStream& s = buffered ? static_cast<CFileStream&>(withBuffer) : plain;
        s.Write("x", 1);
        EXPECT_EQ(s.Error(), kStreamNotWritable);
        char out[4];
        uint32_t count = 4;
        s.Read(out, count);
        EXPECT_EQ(count, 0u);
    }
    EXPECT_EQ(file.Contents(), "contents");
}

// One byte at a time to the end, a small read across a stretch's edge, a large read past it.
TEST(BufferedFile, ReadsAcrossTheBufferEdgesAndStopsAtTheEnd)
{
    const std::string data = Pattern(2 * kStretch + 276);
    ScratchFile file(data);
    CBufferedFile s(file.path.c_str(), CFileStream::kModeRead, 0);
    std::string got;
    char c;
    for (uint32_t count = 1; s.Read(&c, count), count == 1;)
        got += c;
    EXPECT_EQ(got, data);
    EXPECT_EQ(s.Position(), data.size());

    std::string part(20, '\0');
    uint32_t count = 20;
    s.SetPosition(kStretch - 12);
    s.Read(&part[0], count);
    EXPECT_EQ(part, data.substr(kStretch - 12, 20));
    part.assign(kStretch + 188, '\0');
    count = uint32_t(part.size());
    s.SetPosition(1);
    s.Read(&part[0], count);
    EXPECT_EQ(part, data.substr(1, part.size()));
    EXPECT_EQ(s.Position(), part.size() + 1);
    EXPECT_FALSE(s.Failed());
}

TEST(BufferedFile, WritesReachTheFileAcrossEdgesGapsAndTruncation)
{
    const uint32_t size = kStretch + 88;
    ScratchFile file(Pattern(size));
    std::string expected = Pattern(size);
    {
        CBufferedFile s(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        s.SetPosition(kStretch - 7);
        s.Write("0123456789", 10); // crosses the stretch's end
        expected.replace(kStretch - 7, 10, "0123456789");
        s.SetPosition(size + 3);
        s.Write("tail", 4); // grows the file from inside the buffer, the gap zeroed
        expected += std::string(3, '\0') + "tail";
        s.SeekEnd();
        EXPECT_EQ(s.Position(), size + 7);
        s.SetPosition(2);
        s.Write("AB", 2);
        expected.replace(2, 2, "AB");
        // Reading back through the buffer sees the unflushed change.
        char back[2];
        uint32_t count = 2;
        s.SetPosition(2);
        s.Read(back, count);
        EXPECT_EQ(std::string(back, count), "AB");
        const std::string big = Pattern(kStretch + 1000); // goes to the file directly
        s.SetPosition(size + 7);
        s.Write(big.data(), static_cast<int32_t>(big.size()));
        expected += big;
    }
    EXPECT_EQ(file.Contents(), expected);
    {
        CBufferedFile s(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        s.SetPosition(kStretch - 2);
        s.Write("XYZW", 4);
        s.SetPosition(kStretch + 1);
        s.Truncate(); // the buffered bytes before the cut are written first
        s.SeekEnd();
        EXPECT_EQ(s.Position(), kStretch + 1);
        EXPECT_FALSE(s.Failed());
    }
    EXPECT_EQ(file.Contents(), expected.substr(0, kStretch - 2) + "XYZ");
}

} // namespace
