// Packages as the packer writes them and the installer reads them: the trailer, the records,
// damaged and cut packages, and what the writer refuses.
#include "package/BigEndian.h"
#include "package/CBitWriter.h"
#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "package/CRecordCrc.h"
#include "package/PackageTrailer.h"
#include "platform/CUrl.h"
#include "tests/package/TestPackage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using testsupport::PackedFile;
using testsupport::PackEntry;

std::string Trailer(uint32_t length)
{
    uint8_t bytes[4];
    WriteBigEndian32(length, bytes);
    return "QXPK" + std::string(reinterpret_cast<const char*>(bytes), 4);
}

// A program file in memory with its package found as the installer finds it.
struct Program {
    explicit Program(const std::string& bytes)
    {
        stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        FindPackage(stream, start, end);
    }
    CMemoryStream stream;
    uint32_t start = 12345;
    uint32_t end = 12345;
};

std::string Data(CPackageReader& reader)
{
    CMemoryStream data;
    reader.ReadDataInto(data);
    return data.Size() ? std::string(reinterpret_cast<const char*>(data.Data()), data.Size()) : "";
}

const std::string kDescription = "<Folder>\r\"Demo\"\r";

// Noise last: literals only, so that damage there stays in the record, and enough bytes for
// the reader to hold some ahead of what it decoded.
std::vector<PackEntry> SampleEntries()
{
    std::string noise;
    for (uint32_t i = 0, x = 12345; i < 3000; ++i, x = x * 1103515245u + 12345u)
        noise += static_cast<char>(x >> 24);
    return {{true, ".", ""},
            {true, "Manual", ""},
            {false, "Manual/read%20me.txt", "read me first", 0x01020304, 0x0a0b0c0d},
            {false, "empty", ""},
            {false, "noise.bin", noise, 1, 2}};
}

// Reads every record as the installer does, at most ten: for each whether it came whole and intact.
std::vector<bool> ReadRecords(CPackageReader& reader)
{
    const CUrl base = ParseUrl("file:///C:/D");
    std::vector<bool> whole;
    reader.Rewind();
    for (int tag = reader.NextTag(); tag != CPackageReader::kTagEnd && whole.size() < 10; tag = reader.NextTag()) {
        CUrl url;
        uint8_t times[8];
        bool read = tag == CPackageReader::kTagDescription ? reader.ReadRecordHeader() : reader.ReadEntry(base, url);
        if (tag == CPackageReader::kTagFile)
            read = read && reader.ReadTimes(times);
        if (tag != CPackageReader::kTagFolder)
            reader.MeasureData();
        whole.push_back(read && reader.RecordIntact());
    }
    return whole;
}

TEST(PackageTrailer, FindsTheLastTrailerWhoseLengthFits)
{
    const std::string package = "\x01\x02\x03";
    const struct {
        std::string file;
        uint32_t start, end;
    } cases[] = {
        {"MZimage" + package + Trailer(3), 7, 10},
        {"MZimage" + package + Trailer(3) + "signature block", 7, 10},
        {package + Trailer(3), 0, 3}, // nothing before the package
        {"MZ" + Trailer(0), 2, 2},
        {"MZ\x09\x09" + Trailer(2) + Trailer(1000), 2, 4}, // a length that does not fit is passed over
        {"", 0, 0},
        {"QXPK", 0, 0},
        {std::string("QXPK\0\0\0", 7), 0, 0},
        {std::string(600, 'z'), 0, 0},
        {Trailer(1), 0, 0},
    };
    for (const auto& c : cases) {
        Program p(c.file);
        EXPECT_EQ(p.start, c.start) << c.file;
        EXPECT_EQ(p.end, c.end) << c.file;
    }
}

TEST(Package, EveryRecordComesBackAsItWasPacked)
{
    std::vector<PackEntry> entries = SampleEntries();
    entries.push_back({false, "large.bin", std::string(1536u << 10, 'L') + "end", 7, 8}); // read twice
    Program p(PackedFile("MZ-stub", kDescription, entries));
    ASSERT_EQ(p.start, 7u);
    CPackageReader reader(p.stream, p.start, p.end);
    for (int pass = 0; pass < 2; ++pass) { // a rewind starts over
        reader.Rewind();
        ASSERT_EQ(reader.NextTag(), CPackageReader::kTagDescription);
        ASSERT_TRUE(reader.ReadRecordHeader());
        EXPECT_EQ(Data(reader), kDescription);
        EXPECT_TRUE(reader.RecordIntact());
    }
    // The position counts what was decoded, not what the reader took ahead.
    EXPECT_LT(reader.SourcePosition(), reader.Start() + 64);
    const CUrl base = ParseUrl("file:///C:/Program%20Files/Demo");
    for (const PackEntry& entry : entries) {
        ASSERT_EQ(reader.NextTag(), entry.folder ? CPackageReader::kTagFolder : CPackageReader::kTagFile);
        CUrl url;
        ASSERT_TRUE(reader.ReadEntry(base, url));
        EXPECT_EQ(url.path.Text(), "/C:/Program%20Files/Demo" + (entry.name == "." ? "" : "/" + entry.name));
        if (!entry.folder) {
            uint8_t times[8];
            ASSERT_TRUE(reader.ReadTimes(times));
            EXPECT_EQ(ReadBigEndian32(times), entry.created);
            EXPECT_EQ(ReadBigEndian32(times + 4), entry.written);
            EXPECT_EQ(Data(reader), entry.data);
        }
        EXPECT_TRUE(reader.RecordChecked() && reader.RecordIntact()) << entry.name;
    }
    EXPECT_EQ(reader.NextTag(), CPackageReader::kTagEnd);
    EXPECT_EQ(reader.SourcePosition(), reader.End());
}

TEST(Package, DamageIsSeenInTheRecordItHits)
{
    EXPECT_EQ(CRecordCrc::Of("123456789", 9), 0xCBF43926u); // headers hold the common CRC-32
    std::string file = PackedFile("", kDescription, SampleEntries());
    file[file.size() - 100] ^= 0x10; // in the noise
    Program p(file);
    CPackageReader reader(p.stream, p.start, p.end);
    EXPECT_EQ(ReadRecords(reader), (std::vector<bool>{true, true, true, true, true, false}));

    // An older packer wrote zero headers: such a record is not checked.
    CBitWriter bits;
    for (unsigned char c : std::string("\x01\0\0\0\0text", 9))
        bits.Put(0x100u | c, 9);
    bits.Put(0, 14);
    bits.Finish();
    CMemoryStream old;
    old.Write(bits.Bytes().data(), static_cast<int32_t>(bits.Bytes().size()));
    CPackageReader oldReader(old, 0, old.Size());
    oldReader.Rewind();
    ASSERT_EQ(oldReader.NextTag(), CPackageReader::kTagDescription);
    ASSERT_TRUE(oldReader.ReadRecordHeader());
    EXPECT_EQ(Data(oldReader), "text");
    EXPECT_FALSE(oldReader.RecordChecked());
    EXPECT_TRUE(oldReader.RecordIntact());
}

// Cut at every byte, with other bytes behind the cut: a cut package never reads as whole, and
// the reader never passes its end. A cut in the final end code alone loses nothing.
TEST(Package, ACutPackageStopsCleanly)
{
    const std::string file = PackedFile("", kDescription, SampleEntries());
    const std::string package = file.substr(0, file.size() - 8);
    for (uint32_t cut = 0; cut + 2 < package.size(); ++cut) {
        CMemoryStream stream;
        const std::string bytes = package.substr(0, cut) + Trailer(cut);
        stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        CPackageReader reader(stream, 0, cut);
        const std::vector<bool> whole = ReadRecords(reader);
        EXPECT_LT(std::count(whole.begin(), whole.end(), true), 6) << "cut at " << cut;
        EXPECT_LE(reader.SourcePosition(), reader.End()) << "cut at " << cut;
    }
}

TEST(PackageWriter, RefusesWhatItCannotPack)
{
    const std::string missing = ::testing::TempDir() + "no-such-file";
    std::FILE* out = std::tmpfile();
    ASSERT_TRUE(out);
    CPackageWriter unreadable(out);
    unreadable.AddDescription("x", 1);
    unreadable.AddFile("gone", 0, 0, missing);
    EXPECT_FALSE(unreadable.Finish());
    EXPECT_NE(unreadable.Error().find(missing), std::string::npos) << unreadable.Error();
    std::fclose(out);

    // The installer reads itself with 32-bit positions, so stub and package together must stay
    // below 4 GiB; a stub just short of it (a sparse file) leaves room for almost nothing.
    const std::string data = ::testing::TempDir() + "four-kib-" + std::to_string(getpid());
    std::FILE* in = std::fopen(data.c_str(), "wb");
    ASSERT_TRUE(in);
    std::fputs((std::string(3000, 'x') + std::string(1000, 'y')).c_str(), in);
    std::fclose(in);
    for (const uint64_t stub : {uint64_t(0xFFFFFFFFull - 200), uint64_t(0xFFFFFFFFull - 30000)}) {
        out = std::tmpfile();
        ASSERT_TRUE(out);
        ASSERT_EQ(fseeko(out, off_t(stub - 1), SEEK_SET), 0);
        ASSERT_EQ(std::fputc('M', out), 'M');
        CPackageWriter writer(out);
        writer.AddDescription("<Folder>\r\"X\"\r", 13);
        writer.AddFile("data.bin", 0, 0, data);
        const bool finished = writer.Finish();
        std::fclose(out);
        EXPECT_EQ(finished, stub < 0xFFFFFFFFull - 1000) << writer.Error();
        EXPECT_TRUE(finished || writer.Error().find("4 GiB") != std::string::npos) << writer.Error();
    }
    std::remove(data.c_str());
}

} // namespace
