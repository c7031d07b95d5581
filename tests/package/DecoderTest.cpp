#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "TestEncoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::BitWriter;

// A package reader over the given bytes, rewound to their start.
struct Decoder {
    explicit Decoder(const std::vector<uint8_t>& bytes)
    {
        stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        reader.Rewind();
    }
    std::string Read(uint32_t count)
    {
        std::string out(count, '\0');
        out.resize(reader.ReadBytes(&out[0], count));
        return out;
    }

    CMemoryStream stream;
    CPackageReader reader{stream, 0, UINT32_MAX};
};

TEST(Decoder, LiteralsThenEndCode)
{
    Decoder d({0xb0, 0xd8, 0xac, 0x60, 0x00, 0x00});
    EXPECT_EQ(d.Read(100), "abc");
}

TEST(Decoder, MatchAtDistanceOneRepeatsTheLastByte)
{
    Decoder d({0xb0, 0x80, 0x02, 0x00, 0x00, 0x00});
    EXPECT_EQ(d.Read(100), "aaaa");
}

TEST(Decoder, ShortRunReturnsShortAndNextRequestStartsAfterItsEndCode)
{
    BitWriter w;
    w.Literals("0123456789");
    w.EndCode();
    w.Literals("next");
    w.EndCode();
    Decoder d(w.Bytes());
    EXPECT_EQ(d.Read(4096), "0123456789");
    EXPECT_EQ(d.Read(4096), "next");
    EXPECT_EQ(d.Read(4096), "");
}

TEST(Decoder, PendingMatchIsHandedOutOneByteAtATimeWithoutReadingBits)
{
    BitWriter w;
    w.Literals("xy");
    w.Match(2, 15); // 18 bytes: xyxy...
    w.EndCode();
    Decoder d(w.Bytes());
    EXPECT_EQ(d.Read(2), "xy");
    EXPECT_EQ(d.Read(1), "x");
    uint32_t after = d.stream.Position();
    std::string rest;
    for (int i = 0; i < 17; ++i)
        rest += d.Read(1);
    EXPECT_EQ(rest, "yxyxyxyxyxyxyxyxy");
    EXPECT_EQ(d.stream.Position(), after); // no source byte was needed
    EXPECT_EQ(d.Read(1), "");
}

TEST(Decoder, SourceEndingInsideADistanceEndsTheRequest)
{
    BitWriter w;
    w.Literals("ab");
    w.Bits(0, 1);
    w.Bits(0x1fff, 5); // the first 5 of 13 distance bits
    std::vector<uint8_t> bytes = w.Bytes();
    Decoder d(bytes);
    EXPECT_EQ(d.Read(10), "ab");
    EXPECT_EQ(d.Read(10), "");
}

TEST(Decoder, ReadsStopAtTheLimitEvenWhenMoreBytesFollow)
{
    BitWriter w;
    w.Literals("abcdef");
    std::vector<uint8_t> bytes = w.Bytes();
    CMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
    // The package ends after 3 bytes: two and a bit literals are in reach.
    CPackageReader reader(stream, 0, 3);
    reader.Rewind();
    char out[8];
    EXPECT_EQ(reader.ReadBytes(out, 8), 2u);
    EXPECT_EQ(std::string(out, 2), "ab");
}

TEST(Decoder, RunOfExactChunkMultipleIsFullChunksThenAnEmptyOne)
{
    struct ChunkLog : CStream {
        void SetPosition(uint32_t) override {}
        void Truncate() override {}
        void Write(const void* bytes, int32_t count) override
        {
            sizes.push_back(count);
            data.append(static_cast<const char*>(bytes), static_cast<size_t>(count));
        }
        void Read(void*, uint32_t& count) override { count = 0; }
        void SeekEnd() override {}
        std::vector<int32_t> sizes;
        std::string data;
    };
    std::string data;
    for (int i = 0; i < 8192; ++i)
        data += static_cast<char>('a' + i % 26);
    BitWriter w;
    w.Literals(data);
    w.EndCode();
    Decoder d(w.Bytes());
    ChunkLog target;
    d.reader.ReadDataInto(target);
    EXPECT_EQ(target.sizes, (std::vector<int32_t>{4096, 4096, 0}));
    EXPECT_EQ(target.data, data);
}

TEST(Decoder, MeasureConsumesTheRun)
{
    BitWriter w;
    w.Literals("hello");
    w.Match(5, 2); // 5 more bytes
    w.EndCode();
    w.Literal('z');
    w.EndCode();
    Decoder d(w.Bytes());
    EXPECT_EQ(d.reader.MeasureData(), 10u);
    EXPECT_EQ(d.Read(5), "z");
}

} // namespace
