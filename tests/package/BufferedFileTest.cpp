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

// The buffer's stretch: the tests read across its edges.
const uint32_t kStretch = CBufferedFile::kBufferSize;

std::string Pattern(size_t size)
{
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>(i * 7 + i / 251);
    return out;
}

// Opening never creates a file; writing needs the read-write mode (and an unbuffered stream), and
// the first error stays.
TEST(FileStream, RefusesWhatItsModeDoesNotAllow)
{
    const std::string missing = testing::TempDir() + "does-not-exist.bin";
    CFileStream none(missing.c_str(), CFileStream::kModeReadWrite, 0);
    EXPECT_EQ(none.Error(), kStreamCannotOpen);
    EXPECT_FALSE(std::ifstream(missing).is_open());

    ScratchFile file("contents");
    for (bool buffered : {false, true}) {
        CFileStream plain(file.path.c_str(), CFileStream::kModeRead, CFileStream::kFlagSequential);
        CBufferedFile withBuffer(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        CFileStream& s = buffered ? static_cast<CFileStream&>(withBuffer) : plain;
        s.Write("x", 1);
        s.Truncate();
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
    s.SetPosition(uint32_t(data.size() - 5)); // asks for more than is left
    s.Read(&part[0], count);
    EXPECT_EQ(part.substr(0, count), data.substr(data.size() - 5));
    part.assign(kStretch + 188, '\0');
    count = uint32_t(part.size());
    s.SetPosition(1);
    s.Read(&part[0], count);
    EXPECT_EQ(part, data.substr(1, part.size()));
    EXPECT_EQ(s.Position(), part.size() + 1);
    EXPECT_FALSE(s.Failed());
}

} // namespace
