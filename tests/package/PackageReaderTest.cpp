#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "platform/CUrl.h"
#include "TestEncoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::RecordWriter;

std::string Text(const CMemoryStream& s) { return std::string(reinterpret_cast<const char*>(s.Data()), s.Size()); }
std::string Path(const CUrl& url) { return url.path.Text(); }

// The stream placed behind a few bytes of "image", so that offsets are not trivially 0.
struct Package {
    explicit Package(const std::vector<uint8_t>& bytes)
    {
        stream.Write("IMAGE", 5);
        stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        stream.Write("QXPKxxxx", 8);
    }
    CPackageReader Reader() { return CPackageReader(stream, 5, stream.Size() - 8); }
    CMemoryStream stream;
};

std::vector<uint8_t> Sample(bool check = true)
{
    RecordWriter w(check);
    w.Description("Title: Demo\r\n");
    w.Folder(".");
    w.Folder("Manual");
    w.File("Manual/read%20me.txt", "read me first", 0x01020304, 0x0a0b0c0d);
    return w.Bytes();
}

TEST(PackageReader, WalksDescriptionFoldersAndFiles)
{
    Package p(Sample());
    CPackageReader reader = p.Reader();
    reader.Rewind();
    CUrl base = ParseUrl("file:///C:/Program%20Files/Demo");

    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagDescription);
    ASSERT_TRUE(reader.ReadRecordHeader());
    CMemoryStream description;
    reader.ReadDataInto(description);
    EXPECT_EQ(Text(description), "Title: Demo\r\n");
    EXPECT_TRUE(reader.RecordIntact());

    CUrl url;
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFolder);
    ASSERT_TRUE(reader.ReadEntry(base, url));
    EXPECT_TRUE(reader.RecordIntact());
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFolder);
    ASSERT_TRUE(reader.ReadEntry(base, url));
    EXPECT_EQ(Path(url), "/C:/Program%20Files/Demo/Manual");

    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFile);
    ASSERT_TRUE(reader.ReadEntry(base, url));
    EXPECT_EQ(Path(url), "/C:/Program%20Files/Demo/Manual/read%20me.txt");
    uint8_t times[8];
    ASSERT_TRUE(reader.ReadTimes(times));
    EXPECT_EQ(std::vector<uint8_t>(times, times + 8), (std::vector<uint8_t>{1, 2, 3, 4, 10, 11, 12, 13}));
    CMemoryStream data;
    reader.ReadDataInto(data);
    EXPECT_EQ(Text(data), "read me first");
    EXPECT_TRUE(reader.RecordIntact());

    // The packer writes no end tag: the package end ends the stream.
    EXPECT_EQ(reader.NextTag(), CPackageReader::kTagEnd);
    EXPECT_EQ(reader.LastTag(), CPackageReader::kTagEnd);
    EXPECT_EQ(reader.SourcePosition(), reader.End());
}

TEST(PackageReader, SourcePositionCountsWhatWasDecodedNotWhatWasReadAhead)
{
    RecordWriter w(true);
    w.Description("Title: Demo\r\n");
    std::string noise;
    uint32_t x = 12345;
    for (int i = 0; i < 3000; ++i) {
        x = x * 1103515245u + 12345u;
        noise += static_cast<char>(x >> 24);
    }
    w.File("a.bin", noise, 1, 2);
    w.File("b.txt", "small", 1, 2);
    Package p(w.Bytes());
    CPackageReader reader = p.Reader();
    reader.Rewind();
    CUrl base = ParseUrl("file:///C:/Demo");
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagDescription);
    ASSERT_TRUE(reader.ReadRecordHeader());
    reader.MeasureData();
    // Only a few bytes of a 3000-byte record are decoded yet.
    const uint32_t afterDescription = reader.SourcePosition();
    EXPECT_LT(afterDescription, reader.Start() + 64);
    CUrl url;
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFile);
    ASSERT_TRUE(reader.ReadEntry(base, url));
    uint8_t times[8];
    ASSERT_TRUE(reader.ReadTimes(times));
    EXPECT_EQ(reader.MeasureData(), 3000u);
    const uint32_t afterFirst = reader.SourcePosition();
    EXPECT_GT(afterFirst, afterDescription + 3000);
    EXPECT_LT(afterFirst, reader.End());
    // The last record still follows, although the reader may hold its bytes already.
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFile);
    ASSERT_TRUE(reader.ReadEntry(base, url));
    ASSERT_TRUE(reader.ReadTimes(times));
    EXPECT_EQ(reader.MeasureData(), 5u);
    EXPECT_TRUE(reader.RecordIntact());
    EXPECT_EQ(reader.NextTag(), CPackageReader::kTagEnd);
    EXPECT_EQ(reader.SourcePosition(), reader.End());
}

TEST(PackageReader, RewindAndSecondDescriptionReadLeadToTheFirstEntryAgain)
{
    Package p(Sample());
    CPackageReader reader = p.Reader();
    for (int pass = 0; pass < 2; ++pass) {
        reader.Rewind();
        ASSERT_EQ(reader.NextTag(), CPackageReader::kTagDescription);
        ASSERT_TRUE(reader.ReadRecordHeader());
        EXPECT_EQ(reader.MeasureData(), 13u);
        EXPECT_EQ(reader.NextTag(), CPackageReader::kTagFolder);
    }
}

TEST(PackageReader, DamagedRecordIsReportedAndZeroHeaderIsNotChecked)
{
    for (bool check : {true, false}) {
        std::vector<uint8_t> bytes = Sample(check);
        // Flip one bit inside the file's contents near the end of the stream.
        bytes[bytes.size() - 4] ^= 0x10;
        Package p(bytes);
        CPackageReader reader = p.Reader();
        reader.Rewind();
        CUrl base = ParseUrl("file:///C:/D");
        CUrl url;
        ASSERT_EQ(reader.NextTag(), CPackageReader::kTagDescription);
        reader.ReadRecordHeader();
        reader.MeasureData();
        EXPECT_TRUE(reader.RecordIntact());
        while (reader.NextTag() == CPackageReader::kTagFolder)
            reader.ReadEntry(base, url);
        ASSERT_EQ(reader.LastTag(), CPackageReader::kTagFile);
        uint8_t times[8];
        ASSERT_TRUE(reader.ReadEntry(base, url));
        ASSERT_TRUE(reader.ReadTimes(times));
        reader.MeasureData();
        EXPECT_EQ(reader.RecordIntact(), !check);
    }
}

TEST(PackageReader, TruncatedPackagesStopCleanly)
{
    std::vector<uint8_t> full = Sample();
    CUrl base = ParseUrl("file:///C:/D");
    // The last byte holds only bits of the final end code: a run cut there is complete.
    for (size_t cut = 0; cut + 1 < full.size(); ++cut) {
        Package p(std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(cut)));
        CPackageReader reader = p.Reader();
        reader.Rewind();
        int records = 0;
        bool failed = false;
        for (int tag = reader.NextTag(); tag != 0 && !failed && records < 10; tag = reader.NextTag(), ++records) {
            CUrl url;
            uint8_t times[8];
            if (tag == CPackageReader::kTagDescription)
                failed = !reader.ReadRecordHeader() || (reader.MeasureData(), !reader.RecordIntact());
            else if (tag == CPackageReader::kTagFolder)
                failed = !reader.ReadEntry(base, url) || !reader.RecordIntact();
            else if (tag == CPackageReader::kTagFile)
                failed = !reader.ReadEntry(base, url) || !reader.ReadTimes(times) ||
                         (reader.MeasureData(), !reader.RecordIntact());
            else
                failed = true;
        }
        // A cut package never yields all four records intact, and reading never passes its end.
        EXPECT_TRUE(failed || records < 4) << "cut at " << cut;
        EXPECT_LE(reader.SourcePosition(), reader.End()) << "cut at " << cut;
    }
}

TEST(PackageReader, CutHeaderAndShortTimesFail)
{
    RecordWriter w;
    w.Tag(CPackageReader::kTagFolder);
    w.Bits().Literals("ab");
    w.Bits().EndCode(); // header cut after 2 bytes
    w.Tag(CPackageReader::kTagFile);
    w.Bits().Literals(std::string(4, '\0') + "f" + std::string(1, '\0') + "1234");
    w.Bits().EndCode(); // only 4 time bytes
    Package p(w.Bytes());
    CPackageReader reader = p.Reader();
    reader.Rewind();
    CUrl base = ParseUrl("file:///C:/D");
    CUrl url;
    uint8_t times[8];
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFolder);
    EXPECT_FALSE(reader.ReadEntry(base, url));
    ASSERT_EQ(reader.NextTag(), CPackageReader::kTagFile);
    EXPECT_TRUE(reader.ReadEntry(base, url));
    EXPECT_FALSE(reader.ReadTimes(times));
}

TEST(MemoryStream, StartsAt4096AndGrowsIn1024Steps)
{
    CMemoryStream s;
    std::string block(4096, 'x');
    s.Write(block.data(), 4096);
    EXPECT_EQ(s.Capacity(), 4096u);
    s.Write("y", 1);
    EXPECT_EQ(s.Capacity(), 5120u);
    s.SetPosition(2);
    char out[3];
    uint32_t count = 3;
    s.Read(out, count);
    EXPECT_EQ(count, 3u);
    s.SetPosition(3000);
    s.Truncate();
    s.SeekEnd();
    EXPECT_EQ(s.Position(), 3000u);
    EXPECT_EQ(s.Size(), 3000u);
    s.Write(nullptr, -1);
    EXPECT_EQ(s.Error(), kStreamWriteFailed);
}

} // namespace
