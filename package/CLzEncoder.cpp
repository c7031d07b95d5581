#include "package/CLzEncoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Pending bytes are parsed in blocks of this size so that memory stays bounded for large files.
constexpr size_t kBlockSize = 1u << 20;
constexpr int kHashBits = 15;
// Chain links only ever lead to the last kMaxDistance positions, so they live in a ring: a
// slot is reused only once its position is out of reach, and the walk stops at such a
// position before following its link.
constexpr size_t kRingSize = 8192;
static_assert(kRingSize > CLzEncoder::kMaxDistance, "the ring must cover the window");
constexpr int kLiteralCost = 1 + 8;
constexpr int kMatchCost = 1 + CLzEncoder::kDistanceBits + CLzEncoder::kLengthBits;

// Match candidates are kept on one hash chain per key length.
constexpr int kTierKey[CLzEncoder::kTiers] = {3, 5, 8};

inline uint32_t HashKey(const uint8_t* p, int length)
{
    uint64_t key = 0;
    if (length >= 8) {
        std::memcpy(&key, p, 8);
    } else {
        for (int i = 0; i < length; ++i)
            key = (key << 8) | p[i];
    }
    key *= 0x9e3779b97f4a7c15ull;
    return static_cast<uint32_t>(key >> (64 - kHashBits));
}

// Length of the common prefix of a and b, at most limit; eight bytes at a time.
inline int CommonLength(const uint8_t* a, const uint8_t* b, int limit)
{
    int length = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    while (length + 8 <= limit) {
        uint64_t x, y;
        std::memcpy(&x, a + length, 8);
        std::memcpy(&y, b + length, 8);
        if (x != y)
            return length + __builtin_ctzll(x ^ y) / 8; // the first differing byte
        length += 8;
    }
#endif
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
}

} // namespace

CLzEncoder::CLzEncoder(Parse parse) : m_parse(parse) {}

void CLzEncoder::Write(const void* bytes, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    while (count > 0) {
        const size_t room = kBlockSize - (m_buffer.size() - m_historyLength);
        const size_t take = std::min(room, count);
        m_buffer.insert(m_buffer.end(), p, p + take);
        m_bytesIn += take;
        p += take;
        count -= take;
        if (m_buffer.size() - m_historyLength == kBlockSize)
            EncodeBlock();
    }
}

void CLzEncoder::EndRun()
{
    EncodeBlock();
    m_out.Put(0, 1);
    m_out.Put(0, kDistanceBits);
}

void CLzEncoder::Finish()
{
    EncodeBlock();
    m_out.Finish();
}

void CLzEncoder::EncodeBlock()
{
    const size_t from = m_historyLength;
    const size_t to = m_buffer.size();
    if (from == to)
        return;
    FindMatches(from, to);
    if (m_parse == kOptimal)
        EmitOptimal(from, to);
    else
        EmitGreedy(from, to);
    // Keep the window's worth of history for the next block.
    const size_t keep = std::min<size_t>(to, kMaxDistance);
    m_buffer.erase(m_buffer.begin(), m_buffer.end() - static_cast<std::ptrdiff_t>(keep));
    m_historyLength = keep;
}

void CLzEncoder::FindMatches(size_t from, size_t to)
{
    const uint8_t* data = m_buffer.data();
    for (int t = 0; t < kTiers; ++t) {
        m_head[t].assign(size_t(1) << kHashBits, -1);
        m_previous[t].assign(kRingSize, -1);
    }
    m_matchLength.assign(to - from, 0);
    m_matchDistance.assign(to - from, 0);
    auto insert = [&](size_t i) {
        for (int t = 0; t < kTiers && i + size_t(kTierKey[t]) <= to; ++t) {
            const uint32_t h = HashKey(data + i, kTierKey[t]);
            m_previous[t][i & (kRingSize - 1)] = m_head[t][h];
            m_head[t][h] = static_cast<int32_t>(i);
        }
    };
    // Positions of the history are candidates too; only the block's end limits a match.
    for (size_t i = 0; i < from && i + kMinMatch <= to; ++i)
        insert(i);
    for (size_t i = from; i + kMinMatch <= to; ++i) {
        const int limit = static_cast<int>(std::min<size_t>(kMaxMatch, to - i));
        int best = 0;
        uint32_t bestDistance = 0;
        // Longest keys first: every earlier position that shares a tier's key is on that
        // tier's chain, so when a tier finds nothing as long as its key, no match is that long
        // and the next tier only has to look for shorter ones.
        for (int t = kTiers - 1; t >= 0 && best < limit; --t) {
            if (kTierKey[t] > limit)
                continue;
            const int tierLimit = t + 1 < kTiers ? std::min(limit, kTierKey[t + 1] - 1) : limit;
            if (best >= tierLimit)
                break;
            for (int32_t c = m_head[t][HashKey(data + i, kTierKey[t])]; c >= 0; c = m_previous[t][size_t(c) & (kRingSize - 1)]) {
                const size_t distance = i - size_t(c);
                if (distance > kMaxDistance)
                    break;
                if (best > 0 && data[size_t(c) + size_t(best)] != data[i + size_t(best)])
                    continue;
                const int length = CommonLength(data + c, data + i, limit);
                if (length > best) {
                    best = length;
                    bestDistance = static_cast<uint32_t>(distance);
                    if (best >= tierLimit)
                        break;
                }
            }
            if (best >= kTierKey[t])
                break;
        }
        if (best >= kMinMatch) {
            m_matchLength[i - from] = static_cast<uint8_t>(best);
            m_matchDistance[i - from] = static_cast<uint16_t>(bestDistance);
        }
        insert(i);
    }
}

void CLzEncoder::EmitOptimal(size_t from, size_t to)
{
    const size_t n = to - from;
    // Cheapest cost from every position to the block's end; choice 0 is a literal, otherwise
    // the length of the match to take there.
    m_cost.assign(n + 1, 0);
    m_choice.assign(n, 0);
    for (size_t k = n; k-- > 0;) {
        uint32_t best = m_cost[k + 1] + kLiteralCost;
        uint8_t choice = 0;
        for (int length = kMinMatch; length <= m_matchLength[k]; ++length) {
            const uint32_t cost = m_cost[k + size_t(length)] + kMatchCost;
            if (cost < best) {
                best = cost;
                choice = static_cast<uint8_t>(length);
            }
        }
        m_cost[k] = best;
        m_choice[k] = choice;
    }
    for (size_t k = 0; k < n;) {
        if (m_choice[k] == 0) {
            EmitLiteral(m_buffer[from + k]);
            ++k;
        } else {
            EmitMatch(m_matchDistance[k], m_choice[k]);
            k += m_choice[k];
        }
    }
}

void CLzEncoder::EmitGreedy(size_t from, size_t to)
{
    for (size_t k = 0; k < to - from;) {
        if (m_matchLength[k] >= kMinMatch) {
            EmitMatch(m_matchDistance[k], m_matchLength[k]);
            k += m_matchLength[k];
        } else {
            EmitLiteral(m_buffer[from + k]);
            ++k;
        }
    }
}

void CLzEncoder::EmitLiteral(uint8_t byte)
{
    m_out.Put(1, 1);
    m_out.Put(byte, 8);
}

void CLzEncoder::EmitMatch(uint32_t distance, int length)
{
    m_out.Put(0, 1);
    m_out.Put(distance, kDistanceBits);
    m_out.Put(static_cast<uint32_t>(length - kMinMatch), kLengthBits);
}
