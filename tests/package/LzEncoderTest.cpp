#include "package/CLzEncoder.h"
#include "tests/package/CodeReplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Encode(const std::string& data, CLzEncoder::Parse parse = CLzEncoder::kOptimal)
{
    CLzEncoder encoder(parse);
    encoder.Write(data.data(), data.size());
    encoder.EndRun();
    encoder.Finish();
    std::vector<uint8_t> out;
    encoder.Output().Take(out);
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

TEST(LzEncoder, EncodesThreeLiteralsAndTheEndCode)
{
    EXPECT_EQ(Encode("abc"), (std::vector<uint8_t>{0xb0, 0xd8, 0xac, 0x60, 0x00, 0x00}));
}

TEST(LzEncoder, EncodesARepeatAsAMatchOverlappingItself)
{
    EXPECT_EQ(Encode("aaaa"), (std::vector<uint8_t>{0xb0, 0x80, 0x02, 0x00, 0x00, 0x00}));
}

TEST(LzEncoder, EmptyRunIsTheEndCodeAlone)
{
    // 14 zero bits padded to two bytes.
    EXPECT_EQ(Encode(""), (std::vector<uint8_t>{0x00, 0x00}));
}

TEST(LzEncoder, BoundarySizesReplayExactly)
{
    for (size_t n : {size_t(0), size_t(1), size_t(2), size_t(3), size_t(4095), size_t(4096),
                     size_t(4097), size_t(8191), size_t(8192), size_t(1) << 20}) {
        for (const std::string& data : {RandomBytes(n, uint32_t(n)), RandomBytes(n, 3, 4), TextLike(n),
                                        std::string(n, 'z')}) {
            for (auto parse : {CLzEncoder::kOptimal, CLzEncoder::kGreedy}) {
                const Replay r = ReplayCodes(Encode(data, parse));
                ASSERT_TRUE(r.ok) << r.fault << " at size " << n;
                ASSERT_EQ(r.runs.size(), 1u);
                ASSERT_EQ(r.runs[0], data) << "size " << n;
            }
        }
    }
}

TEST(LzEncoder, LongRunUsesFullLengthMatches)
{
    const std::string data(1 + 18 * 100, 'q');
    const Replay r = ReplayCodes(Encode(data));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.literals, 1u);
    EXPECT_EQ(r.matches, 100u);
}

TEST(LzEncoder, WindowSpansRunsButEveryRunEndsOnItsOwn)
{
    CLzEncoder encoder;
    const std::string first = TextLike(3000);
    encoder.Write(first.data(), first.size());
    encoder.EndRun();
    encoder.Write(first.data(), first.size()); // repeats the previous run: matches only
    encoder.EndRun();
    encoder.Finish();
    std::vector<uint8_t> out;
    encoder.Output().Take(out);
    const Replay r = ReplayCodes(out);
    ASSERT_TRUE(r.ok) << r.fault;
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[0], first);
    EXPECT_EQ(r.runs[1], first);
    EXPECT_LT(out.size(), first.size() * 9 / 8 + 3000 / 18 * 3);
}

TEST(LzEncoder, MatchesReachAtMostTheWindow)
{
    // A block repeated 8191 bytes later can be matched; one 8192 bytes later cannot.
    const std::string block = RandomBytes(64, 11);
    for (size_t gap : {size_t(8191 - 64), size_t(8192 - 64)}) {
        const std::string data = block + RandomBytes(gap, 12) + block;
        const Replay r = ReplayCodes(Encode(data));
        ASSERT_TRUE(r.ok) << r.fault;
        ASSERT_EQ(r.runs.at(0), data);
        if (gap + 64 <= CLzEncoder::kMaxDistance)
            EXPECT_GE(r.matches, 64u / 18u);
        else
            EXPECT_LT(r.matches, 3u);
    }
}

TEST(LzEncoder, OptimalParseNeverLosesToGreedy)
{
    // Overlapping repeats, text, small alphabets and noise: the cheapest path is never longer.
    std::string tricky;
    for (int i = 0; i < 200; ++i)
        tricky += "xabcdefgh" + std::to_string(i % 7) + "abcdq" + "cdefghij";
    for (const std::string& data : {tricky, TextLike(1 << 18), RandomBytes(1 << 16, 5, 3),
                                    RandomBytes(1 << 16, 9)}) {
        const size_t optimal = Encode(data, CLzEncoder::kOptimal).size();
        const size_t greedy = Encode(data, CLzEncoder::kGreedy).size();
        EXPECT_LE(optimal, greedy);
    }
    const std::string text = TextLike(1 << 18);
    EXPECT_LT(Encode(text, CLzEncoder::kOptimal).size(), Encode(text, CLzEncoder::kGreedy).size());
}

// The cheapest encoding's size from the longest match at every position found by trying every
// distance: the match finder's chains must not lose a match.
size_t BruteForceOptimalSize(const std::string& data)
{
    const size_t n = data.size();
    std::vector<int> longest(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const size_t limit = std::min<size_t>(CLzEncoder::kMaxMatch, n - i);
        for (size_t d = 1; d <= CLzEncoder::kMaxDistance && d <= i; ++d) {
            size_t length = 0;
            while (length < limit && data[i - d + length] == data[i + length])
                ++length;
            longest[i] = std::max(longest[i], int(length));
        }
    }
    std::vector<uint64_t> cost(n + 1, 0);
    for (size_t k = n; k-- > 0;) {
        cost[k] = cost[k + 1] + 9;
        for (int length = CLzEncoder::kMinMatch; length <= longest[k]; ++length)
            cost[k] = std::min(cost[k], cost[k + size_t(length)] + 18);
    }
    return size_t((cost[0] + 14 + 7) / 8); // the end code, then padding to a whole byte
}

TEST(LzEncoder, OptimalParseIsAsShortAsTheFormatAllows)
{
    std::string periodic; // repeats at many distances, some near the window's edge
    for (int i = 0; periodic.size() < 12000; ++i)
        periodic += std::string(size_t(i % 23 + 1), char('a' + i % 5)) + RandomBytes(size_t(i % 9), uint32_t(i), 4);
    const std::string edge = RandomBytes(64, 11); // repeated only at the window's far edge
    for (const std::string& data : {TextLike(12000), RandomBytes(12000, 3, 4), RandomBytes(9000, 4, 2), periodic,
                                    RandomBytes(8000, 8) + RandomBytes(8000, 8),
                                    edge + RandomBytes(CLzEncoder::kMaxDistance - 64, 12) + edge}) {
        EXPECT_EQ(Encode(data, CLzEncoder::kOptimal).size(), BruteForceOptimalSize(data));
    }
}

TEST(LzEncoder, SameInputGivesSameBytes)
{
    const std::string data = TextLike(100000) + RandomBytes(50000, 2);
    EXPECT_EQ(Encode(data), Encode(data));
}

TEST(LzEncoder, WritesInPiecesEncodeLikeOneWrite)
{
    const std::string data = TextLike((1 << 20) + 12345);
    CLzEncoder pieces;
    for (size_t i = 0; i < data.size(); i += 777)
        pieces.Write(data.data() + i, std::min<size_t>(777, data.size() - i));
    pieces.EndRun();
    pieces.Finish();
    std::vector<uint8_t> out;
    pieces.Output().Take(out);
    EXPECT_EQ(out, Encode(data));
}

} // namespace
