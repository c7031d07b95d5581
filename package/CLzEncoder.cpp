#include "package/CLzEncoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Pending bytes are parsed in blocks of this size so that memory stays bounded for large files.
constexpr size_t kBlockSize = 1u << 20;
constexpr int kHashBits = 16;
// Tree links only ever lead to the last kMaxDistance positions, so the nodes live in a ring: a
// slot is reused only once its position is out of reach, and the walk stops at such a
// position before reading its node.
constexpr size_t kRingSize = 8192;
static_assert(kRingSize > CLzEncoder::kMaxDistance, "the ring must cover the window");
constexpr int kLiteralCost = 1 + 8;
constexpr int kMatchCost = 1 + CLzEncoder::kDistanceBits + CLzEncoder::kLengthBits;

// Positions are sorted into trees by the hash of their first kTreeKey bytes: a match that long
// can only start at a position of the same tree. Shorter matches are looked up on chains of
// the positions with the same hash of their first kMinMatch bytes.
constexpr int kTreeKey = 4;

inline uint32_t TreeHash(const uint8_t* p)
{
    uint32_t key;
    static_assert(kTreeKey == sizeof key, "the tree key is one word");
    std::memcpy(&key, p, kTreeKey);
    return (key * 2654435761u) >> (32 - kHashBits);
}

inline uint32_t ShortHash(const uint8_t* p)
{
    const uint32_t key = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    return (key * 2654435761u) >> (32 - kHashBits);
}

// The buffer is followed by this many readable bytes, so that a comparison may read whole
// words past the last pending byte and clip its result afterwards.
constexpr size_t kSlack = 32;
static_assert(kSlack >= 8 * ((CLzEncoder::kMaxMatch + 7) / 8), "a comparison reads whole words");

// Length of the common prefix of a and b, at most limit (at most kMaxMatch); eight bytes at a
// time, reading up to kSlack bytes beyond a + limit and b + limit.
inline int CommonLength(const uint8_t* a, const uint8_t* b, int limit)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (int length = 0; length < limit; length += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + length, 8);
        std::memcpy(&y, b + length, 8);
        if (x != y)
            return std::min(limit, length + __builtin_ctzll(x ^ y) / 8); // the first differing byte
    }
    return limit;
#else
    int length = 0;
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
#endif
}

} // namespace

CLzEncoder::CLzEncoder(Parse parse)
    : m_parse(parse), m_buffer(kMaxDistance + kBlockSize + kSlack, 0), m_tree(2 * kRingSize), m_shortChain(kRingSize)
{
}

void CLzEncoder::Write(const void* bytes, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    while (count > 0) {
        const size_t room = kBlockSize - (m_length - m_historyLength);
        const size_t take = std::min(room, count);
        std::memcpy(m_buffer.data() + m_length, p, take);
        m_length += take;
        m_bytesIn += take;
        p += take;
        count -= take;
        if (m_length - m_historyLength == kBlockSize)
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
    const size_t to = m_length;
    if (from == to)
        return;
    FindMatches(from, to);
    // The greedy parse takes the longest match wherever there is one.
    if (m_parse == kOptimal)
        ChooseOptimal(to - from);
    EmitChosen(from, to);
    // Keep the window's worth of history for the next block.
    const size_t keep = std::min<size_t>(to, kMaxDistance);
    std::memmove(m_buffer.data(), m_buffer.data() + to - keep, keep);
    m_historyLength = keep;
    m_length = keep;
}

void CLzEncoder::FindMatches(size_t from, size_t to)
{
    const uint8_t* data = m_buffer.data();
    m_treeRoot.assign(size_t(1) << kHashBits, -1);
    m_shortHead.assign(size_t(1) << kHashBits, -1);
    m_matchLength.assign(to - from, 0);
    m_matchDistance.assign(to - from, 0);
    // Positions of the history are inserted too, so that the block's first bytes find matches
    // there; only the block's end limits a match.
    for (size_t i = 0; i + kMinMatch <= to; ++i) {
        // The heads are spread over tables too large for the nearest cache: ask for the next
        // position's while this one is searched.
        __builtin_prefetch(&m_treeRoot[TreeHash(data + i + 1)]);
        __builtin_prefetch(&m_shortHead[ShortHash(data + i + 1)]);
        const int limit = static_cast<int>(std::min<size_t>(kMaxMatch, to - i));
        uint32_t distance = 0;
        int length = InsertAndMatch(i, limit, distance);
        // The tree holds every match of kTreeKey bytes or more; a shorter one is the most
        // recent position with the same first bytes.
        const uint32_t h = ShortHash(data + i);
        int32_t candidate = m_shortHead[h];
        m_shortChain[i & (kRingSize - 1)] = candidate;
        m_shortHead[h] = static_cast<int32_t>(i);
        if (length < kMinMatch) {
            for (; candidate >= 0 && i - size_t(candidate) <= kMaxDistance;
                 candidate = m_shortChain[size_t(candidate) & (kRingSize - 1)]) {
                if (std::memcmp(data + candidate, data + i, kMinMatch) == 0) {
                    length = kMinMatch;
                    distance = static_cast<uint32_t>(i - size_t(candidate));
                    break;
                }
            }
        }
        if (i >= from && length >= kMinMatch) {
            m_matchLength[i - from] = static_cast<uint8_t>(length);
            m_matchDistance[i - from] = static_cast<uint16_t>(distance);
        }
    }
}

int CLzEncoder::InsertAndMatch(size_t position, int limit, uint32_t& bestDistance)
{
    const uint8_t* data = m_buffer.data();
    const uint8_t* key = data + position;
    // Near the block's end the key's last byte may lie beyond the pending bytes: the position
    // then lands in some tree, where it finds what it finds; its chain finds the short match.
    const uint32_t h = TreeHash(key);
    int32_t candidate = m_treeRoot[h];
    m_treeRoot[h] = static_cast<int32_t>(position);
    // The new position becomes the root of its bucket's tree: the old tree is split along the
    // search path into the positions whose keys sort before it and those that sort after it.
    // `smaller` and `larger` are the links where the next such position is hung, and the two
    // lengths say how many leading bytes every position hung there shares with the key.
    int32_t* smaller = &m_tree[2 * (position & (kRingSize - 1))];
    int32_t* larger = smaller + 1;
    int smallerLength = 0;
    int largerLength = 0;
    int best = 0;
    while (candidate >= 0 && position - size_t(candidate) <= kMaxDistance) {
        int32_t* node = &m_tree[2 * (size_t(candidate) & (kRingSize - 1))];
        int length = std::min(smallerLength, largerLength);
        length += CommonLength(data + candidate + length, key + length, limit - length);
        if (length > best) {
            best = length;
            bestDistance = static_cast<uint32_t>(position - size_t(candidate));
        }
        if (length == limit) {
            // Equal as far as any match can reach: the new position takes the older one's place
            // and subtrees, and the older one leaves the tree, since it can never be the better
            // match again.
            *smaller = node[0];
            *larger = node[1];
            return best;
        }
        if (data[size_t(candidate) + size_t(length)] < key[length]) {
            *smaller = candidate;
            smaller = &node[1];
            candidate = node[1];
            smallerLength = length;
        } else {
            *larger = candidate;
            larger = &node[0];
            candidate = node[0];
            largerLength = length;
        }
    }
    // Every node below a position is older than it, so what lies beyond the window is cut off
    // whole.
    *smaller = -1;
    *larger = -1;
    return best;
}

void CLzEncoder::ChooseOptimal(size_t count)
{
    // Cheapest cost from every position to the block's end. A path from a position can always
    // be turned into one from the next position that costs no more (a literal dropped, a match
    // started one byte later at the same distance, a three-byte match made two literals), so the
    // cost never grows towards the end: of the matches at a position the longest is the
    // cheapest, and the choice is between it and a literal.
    m_cost.assign(count + 1, 0);
    for (size_t k = count; k-- > 0;) {
        const uint32_t literal = m_cost[k + 1] + kLiteralCost;
        const size_t length = m_matchLength[k];
        if (length >= size_t(kMinMatch) && m_cost[k + length] + kMatchCost < literal) {
            m_cost[k] = m_cost[k + length] + kMatchCost;
        } else {
            m_cost[k] = literal;
            m_matchLength[k] = 0;
        }
    }
}

void CLzEncoder::EmitChosen(size_t from, size_t to)
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
    m_out.Put(0x100u | byte, kLiteralCost);
}

void CLzEncoder::EmitMatch(uint32_t distance, int length)
{
    m_out.Put(distance << kLengthBits | static_cast<uint32_t>(length - kMinMatch), kMatchCost);
}
