#include "package/CBufferedFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A scratch file with given contents, removed again at the end of the test.
struct ScratchFile {
    explicit ScratchFile(const std::string& contents, const char* name = "bufferedfile.bin")
        : path(testing::TempDir() + name)
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f) {
            std::fwrite(contents.data(), 1, contents.size(), f);
            std::fclose(f);
        }
    }
    ~ScratchFile() { std::remove(path.c_str()); }
    std::string Contents() const
    {
        std::string out;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return out;
        char block[4096];
        size_t got;
        while ((got = std::fread(block, 1, sizeof block, f)) > 0)
            out.append(block, got);
        std::fclose(f);
        return out;
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

TEST(FileStream, NeverCreatesAFile)
{
    std::string path = testing::TempDir() + "does-not-exist.bin";
    CFileStream s(path.c_str(), CFileStream::kModeReadWrite, 0);
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(s.Error(), kStreamCannotOpen);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(f, nullptr);
    if (f)
        std::fclose(f);
}

TEST(FileStream, WriteAndTruncateNeedModeOne)
{
    ScratchFile file("contents");
    CFileStream s(file.path.c_str(), CFileStream::kModeRead, CFileStream::kFlagSequential);
    char out[4];
    uint32_t count = 4;
    s.Read(out, count);
    EXPECT_EQ(count, 4u);
    s.Write("x", 1);
    EXPECT_EQ(s.Error(), kStreamNotWritable);
    // The first error stays and the stream does nothing more.
    count = 4;
    s.Read(out, count);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(file.Contents(), "contents");
}

TEST(BufferedFile, ReadsByteByByteAcrossTheBufferBoundaryAndStopsAtTheEnd)
{
    std::string data = Pattern(2 * kStretch + 276);
    ScratchFile file(data);
    CBufferedFile s(file.path.c_str(), CFileStream::kModeRead, 0);
    std::string got;
    for (;;) {
        char c;
        uint32_t count = 1;
        s.Read(&c, count);
        if (count == 0)
            break;
        got += c;
    }
    EXPECT_EQ(got, data);
    EXPECT_EQ(s.Position(), data.size());
    EXPECT_FALSE(s.Failed());
}

TEST(BufferedFile, SmallReadSpanningTwoStretchesAndLargeDirectRead)
{
    std::string data = Pattern(3 * kStretch);
    ScratchFile file(data);
    CBufferedFile s(file.path.c_str(), CFileStream::kModeRead, 0);
    char small[20];
    uint32_t count = sizeof small;
    s.SetPosition(kStretch - 12);
    s.Read(small, count);
    EXPECT_EQ(std::string(small, count), data.substr(kStretch - 12, 20));
    const uint32_t largeSize = kStretch + 188;
    std::string large(largeSize, '\0');
    count = largeSize;
    s.SetPosition(1);
    s.Read(&large[0], count);
    EXPECT_EQ(count, largeSize);
    EXPECT_EQ(large, data.substr(1, largeSize));
    EXPECT_EQ(s.Position(), largeSize + 1);
}

TEST(BufferedFile, WritesAcrossTheBoundaryAreFlushedOnSeekToEndAndDestruction)
{
    const uint32_t size = kStretch + 88;
    ScratchFile file(Pattern(size));
    std::string expected = Pattern(size);
    {
        CBufferedFile s(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        s.SetPosition(kStretch - 7);
        s.Write("0123456789", 10); // crosses the stretch's end
        expected.replace(kStretch - 7, 10, "0123456789");
        s.SetPosition(size);
        s.Write("tail", 4); // grows the file from inside the buffer
        expected += "tail";
        s.SeekEnd();
        EXPECT_EQ(s.Position(), size + 4);
        s.SetPosition(2);
        s.Write("AB", 2);
        expected.replace(2, 2, "AB");
        // Reading back through the buffer sees the unflushed change.
        char back[2];
        uint32_t count = 2;
        s.SetPosition(2);
        s.Read(back, count);
        EXPECT_EQ(std::string(back, count), "AB");
    }
    EXPECT_EQ(file.Contents(), expected);
}

TEST(BufferedFile, WritingPastTheValidBytesFillsTheGapWithZeros)
{
    ScratchFile file("abc");
    {
        CBufferedFile s(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        char c;
        uint32_t count = 1;
        s.Read(&c, count); // buffer holds the 3 bytes
        s.SetPosition(6);
        s.Write("z", 1);
    }
    EXPECT_EQ(file.Contents(), std::string("abc\0\0\0z", 7));
}

TEST(BufferedFile, TruncateFlushesThenCutsAtThePosition)
{
    ScratchFile file(Pattern(kStretch + 1000));
    {
        CBufferedFile s(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        s.SetPosition(kStretch - 2);
        s.Write("XYZW", 4);
        s.SetPosition(kStretch + 1);
        s.Truncate();
        s.SeekEnd();
        EXPECT_EQ(s.Position(), kStretch + 1);
        EXPECT_FALSE(s.Failed());
    }
    EXPECT_EQ(file.Contents(), Pattern(kStretch - 2) + "XYZ");
}

TEST(BufferedFile, LargeWriteGoesDirectlyAndReadOnlyFileRefusesWrites)
{
    ScratchFile file("");
    std::string big = Pattern(kStretch + 1000);
    {
        CBufferedFile s(file.path.c_str(), CFileStream::kModeReadWrite, 0);
        s.Write("head", 4);
        s.Write(big.data(), static_cast<int32_t>(big.size()));
        EXPECT_EQ(s.Position(), big.size() + 4);
    }
    EXPECT_EQ(file.Contents(), "head" + big);

    CBufferedFile r(file.path.c_str(), CFileStream::kModeRead, 0);
    r.Write("x", 1);
    EXPECT_EQ(r.Error(), kStreamNotWritable);
}

} // namespace
