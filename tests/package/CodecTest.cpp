// The compressed stream: the packer's encoder against the installer's decoder.
#include "package/CLzEncoder.h"
#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Encodes one data run per string. The data goes in uneven pieces, as the packer's reads of a
// file give it, so that every result here also holds for pieces that straddle the encoder's blocks.
// bits: the stream's length before the padding.
std::vector<uint8_t> Encode(const std::vector<std::string>& runs, CLzEncoder::Parse parse = CLzEncoder::kOptimal,
                            uint64_t* bits = nullptr)
{
    CLzEncoder encoder(parse);
    for (const std::string& run : runs) {
        for (size_t at = 0; at < run.size(); at += 777)
            encoder.Write(run.data() + at, std::min<size_t>(777, run.size() - at));
        encoder.EndRun();
    }
    if (bits)
        *bits = encoder.Output().BitCount();
    encoder.Finish();
    std::vector<uint8_t> out;
    encoder.Output().Take(out);
    return out;
}

// Reads `runs` data runs back with the installer's reader; every byte of the stream is used.
std::vector<std::string> Decode(const std::vector<uint8_t>& bytes, size_t runs)
{
    CMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
    CPackageReader reader(stream, 0, stream.Size());
    reader.Rewind();
    std::vector<std::string> out;
    for (size_t i = 0; i < runs; ++i) {
        CMemoryStream run;
        reader.ReadDataInto(run);
        out.push_back(run.Size() ? std::string(reinterpret_cast<const char*>(run.Data()), run.Size()) : "");
    }
    EXPECT_EQ(reader.SourcePosition(), stream.Size());
    return out;
}

std::string RandomBytes(size_t n, uint32_t seed, int alphabet = 256)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = char(rng() % unsigned(alphabet));
    return s;
}

std::string TextLike(size_t n)
{
    static const char* words[] = {"the ", "installer ", "package ", "folder ", "file ", "of ",
                                  "and ", "window ", "\r\n", "description ", "a ", "to "};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < n)
        s += words[rng() % 12];
    s.resize(n);
    return s;
}

// The format's bit layout, fixed from both ends: three literals, a match that overlaps the byte
// it copies, an empty run (the end code alone, padded).
TEST(Codec, KnownCodesBothWays)
{
    const struct {
        std::string run;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"abc", {0xb0, 0xd8, 0xac, 0x60, 0x00, 0x00}},
        {"aaaa", {0xb0, 0x80, 0x02, 0x00, 0x00, 0x00}},
        {"", {0x00, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode({c.run}), c.bytes) << c.run;
        EXPECT_EQ(Decode(c.bytes, 1), std::vector<std::string>{c.run}) << c.run;
    }
}

// Sizes around the chunk and window edges, data from noise to one repeated byte, both parses.
// A second run repeats the start of the first, so matches reach back across the end code.
TEST(Codec, EveryRunComesBackAsItWent)
{
    for (size_t n : {size_t(0), size_t(1), size_t(2), size_t(3), size_t(4095), size_t(4096), size_t(4097),
                     size_t(8191), size_t(8192), size_t(1) << 20}) {
        for (const std::string& data : {RandomBytes(n, uint32_t(n)), RandomBytes(n, 3, 4), TextLike(n),
                                        std::string(n, 'z')}) {
            for (auto parse : {CLzEncoder::kOptimal, CLzEncoder::kGreedy}) {
                const std::vector<std::string> runs = {data, data.substr(0, 5000)};
                ASSERT_EQ(Decode(Encode(runs, parse), 2), runs) << "size " << n << ", parse " << parse;
            }
        }
    }
}

// The cheapest encoding's size from the longest match at every position found by trying every
// distance: the match finder must not lose a match, nor the parse a cheaper path. A match ends
// with its run but may copy from the runs before.
size_t BruteForceOptimalSize(const std::vector<std::string>& runs)
{
    std::string data;
    uint64_t bits = 0;
    for (const std::string& run : runs) {
        data += run;
        std::vector<uint64_t> cost(run.size() + 1, 0);
        for (size_t k = run.size(); k-- > 0;) {
            const size_t i = data.size() - run.size() + k;
            size_t longest = 0, limit = std::min<size_t>(CLzEncoder::kMaxMatch, run.size() - k);
            for (size_t d = 1; d <= CLzEncoder::kMaxDistance && d <= i; ++d) {
                size_t length = 0;
                while (length < limit && data[i - d + length] == data[i + length])
                    ++length;
                longest = std::max(longest, length);
            }
            cost[k] = cost[k + 1] + 9;
            for (size_t length = CLzEncoder::kMinMatch; length <= longest; ++length)
                cost[k] = std::min(cost[k], cost[k + length] + 18);
        }
        bits += cost[0] + 14; // the end code
    }
    return size_t((bits + 7) / 8); // padding to a whole byte
}

TEST(Codec, OptimalParseIsAsShortAsTheFormatAllows)
{
    std::string periodic; // repeats at many distances, some near the window's edge
    for (int i = 0; periodic.size() < 12000; ++i)
        periodic += std::string(size_t(i % 23 + 1), char('a' + i % 5)) + RandomBytes(size_t(i % 9), uint32_t(i), 4);
    const std::string edge = RandomBytes(64, 11); // repeated only at the window's far edge
    for (const std::string& data : {TextLike(12000), RandomBytes(12000, 3, 4), RandomBytes(9000, 4, 2), periodic,
                                    RandomBytes(8000, 8) + RandomBytes(8000, 8), std::string(1 + 18 * 100, 'q'),
                                    edge + RandomBytes(CLzEncoder::kMaxDistance - 64, 12) + edge}) {
        EXPECT_EQ(Encode({data}).size(), BruteForceOptimalSize({data}));
    }
    // Runs of 0 to 39 bytes, as a product's names and small files give: the last bytes of each
    // find their matches before the next run is known, and serve as matches after it.
    std::vector<std::string> runs;
    for (size_t at = 0, n = 0; at < periodic.size(); at += n, n = (n + 7) % 40)
        runs.push_back(periodic.substr(at, n));
    EXPECT_EQ(Encode(runs).size(), BruteForceOptimalSize(runs));
}

// Megabytes before two runs, with no byte in common with them and ending shortly before the
// encoder moves its buffer, within the second run: the runs cost no bit more and come back whole.
TEST(Codec, WhatCameBeforeCostsTheRunsNothing)
{
    std::string before = RandomBytes((4u << 20) - 20000, 5, 128);
    for (char& c : before)
        c = char(c | 0x80);
    const std::vector<std::string> runs = {RandomBytes(12000, 3, 4), TextLike(12000)}, all = {before, runs[0], runs[1]};
    uint64_t bits[3] = {};
    EXPECT_EQ(Decode(Encode(all, CLzEncoder::kOptimal, &bits[0]), 3), all);
    Encode({before}, CLzEncoder::kOptimal, &bits[1]);
    Encode(runs, CLzEncoder::kOptimal, &bits[2]);
    EXPECT_EQ(bits[0], bits[1] + bits[2]);
}

} // namespace
