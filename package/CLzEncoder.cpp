#include "package/CLzEncoder.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Pending bytes are parsed in blocks of this size so that memory stays bounded for large files.
constexpr size_t kBlockSize = 1u << 20;
// The buffer holds a few blocks, so that the bytes still needed move to its front only now and
// then rather than after every data run.
constexpr size_t kBufferSize = 4 * kBlockSize;
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
// No position: below every reach.
constexpr int32_t kNone = INT32_MIN;

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
static_assert(kSlack >= 24 && CLzEncoder::kMaxMatch < 24, "a comparison reads 24 bytes");

// Length of the common prefix of a and b, at most limit (at most kMaxMatch); below limit,
// aSmaller says whether a's differing byte is the smaller one. Reads 24 bytes from a and b
// whatever the limit. The tree walk spends most of the packer's time here, each step waiting
// for the order its comparison gives: each word's bytes, turned so that the first byte counts
// most, are compared as numbers, and the first differing word's result is taken, so that a step
// waits for a load, a byte swap and a comparison rather than for the differing byte's place.
// The 24 bytes at a walk's own position, read once for the whole walk; on a little-endian
// machine also as three words, and those turned so that the first byte counts most.
struct Key {
    const uint8_t* bytes;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    uint64_t word0, word1, word2;
    uint64_t order0, order1, order2;
    explicit Key(const uint8_t* at) : bytes(at)
    {
        std::memcpy(&word0, at, 8);
        std::memcpy(&word1, at + 8, 8);
        std::memcpy(&word2, at + 16, 8);
        order0 = __builtin_bswap64(word0);
        order1 = __builtin_bswap64(word1);
        order2 = __builtin_bswap64(word2);
    }
#else
    explicit Key(const uint8_t* at) : bytes(at) {}
#endif
};

inline int CommonLength(const uint8_t* a, const Key& b, int limit, bool& aSmaller)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Three words rather than an array of them: some compilers copy an array through memory.
    uint64_t x0, x1, x2;
    std::memcpy(&x0, a, 8);
    std::memcpy(&x1, a + 8, 8);
    std::memcpy(&x2, a + 16, 8);
    const uint64_t d0 = x0 ^ b.word0, d1 = x1 ^ b.word1, d2 = x2 ^ b.word2;
    const bool less0 = __builtin_bswap64(x0) < b.order0;
    const bool less1 = __builtin_bswap64(x1) < b.order1;
    const bool less2 = __builtin_bswap64(x2) < b.order2;
    aSmaller = d0 != 0 ? less0 : d1 != 0 ? less1 : less2;
    // The first differing byte; the stop bit ends the count at the third word's end.
    const int length = d0 != 0 ? __builtin_ctzll(d0) / 8
                       : d1 != 0 ? 8 + __builtin_ctzll(d1) / 8
                                 : 16 + __builtin_ctzll(d2 | uint64_t(1) << 63) / 8;
    return std::min(limit, length);
#else
    int length = 0;
    while (length < limit && a[length] == b.bytes[length])
        ++length;
    aSmaller = length < limit && a[length] < b.bytes[length];
    return length;
#endif
}

} // namespace

CLzEncoder::CLzEncoder(Parse parse)
    : m_parse(parse), m_buffer(kBufferSize + kSlack, 0), m_matchLength(new uint8_t[kBlockSize]),
      m_matchDistance(new uint16_t[kBlockSize]), m_cost(new uint32_t[kBlockSize + 1]),
      m_treeRoot(size_t(1) << kHashBits, kNone), m_tree(2 * kRingSize), m_shortHead(size_t(1) << kHashBits, kNone),
      m_shortChain(kRingSize)
{
}

void CLzEncoder::Write(const void* bytes, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    while (count > 0) {
        if (m_length == kBufferSize)
            Slide();
        const size_t take = std::min({count, kBlockSize - (m_length - m_encoded), kBufferSize - m_length});
        std::memcpy(m_buffer.data() + m_length, p, take);
        m_length += take;
        m_bytesIn += take;
        p += take;
        count -= take;
        if (m_length - m_encoded == kBlockSize)
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

void CLzEncoder::Slide()
{
    // What the next insertion or search can reach stays; the shift keeps every position's ring
    // slot. Less than a block is pending, so a full buffer always frees most of its room.
    const size_t reach = m_inserted > kMaxDistance ? m_inserted - kMaxDistance : 0;
    const size_t shift = reach & ~(kRingSize - 1);
    std::memmove(m_buffer.data(), m_buffer.data() + shift, m_length - shift);
    m_length -= shift;
    m_encoded -= shift;
    m_inserted -= shift;
    const int32_t by = static_cast<int32_t>(shift);
    for (std::vector<int32_t>* table : {&m_treeRoot, &m_tree, &m_shortHead, &m_shortChain}) {
        for (int32_t& position : *table)
            position = position >= by ? position - by : kNone;
    }
}

void CLzEncoder::EncodeBlock()
{
    const size_t from = m_encoded;
    const size_t to = m_length;
    if (from == to)
        return;
    FindMatches(from, to);
    // The greedy parse takes the longest match wherever there is one.
    if (m_parse == kOptimal)
        ChooseOptimal(to - from);
    EmitChosen(from, to);
    m_encoded = to;
}

void CLzEncoder::FindMatches(size_t from, size_t to)
{
    const uint8_t* data = m_buffer.data();
    // Every position whose longest match's worth of bytes is known enters the trees, the
    // history's left over from the last block first; the block's own find their matches on
    // the way, which the block's end cannot cut short.
    const size_t complete = to >= size_t(kMaxMatch) ? to - size_t(kMaxMatch) + 1 : 0;
    uint8_t* lengths = m_matchLength.get();
    uint16_t* distances = m_matchDistance.get();
    // Each position's bucket heads are looked up one position ahead: the tables are too large
    // for the nearest cache, and the next position's heads are fetched while this one is searched.
    uint32_t treeHash = TreeHash(data + m_inserted);
    uint32_t shortHash = ShortHash(data + m_inserted);
    for (; m_inserted < complete; ++m_inserted) {
        const size_t i = m_inserted;
        const uint32_t nextTreeHash = TreeHash(data + i + 1);
        const uint32_t nextShortHash = ShortHash(data + i + 1);
        __builtin_prefetch(&m_treeRoot[nextTreeHash]);
        __builtin_prefetch(&m_shortHead[nextShortHash]);
        uint32_t distance = 0;
        const int length = Insert(i, treeHash, shortHash, distance);
        if (i >= from) {
            lengths[i - from] = static_cast<uint8_t>(length >= kMinMatch ? length : 0);
            distances[i - from] = static_cast<uint16_t>(distance);
        }
        treeHash = nextTreeHash;
        shortHash = nextShortHash;
    }
    // The block's last positions: their matches end at the block's end.
    for (size_t i = std::max(from, m_inserted); i < to; ++i) {
        uint32_t distance = 0;
        const int length = Search(i, static_cast<int>(to - i), distance);
        lengths[i - from] = static_cast<uint8_t>(length >= kMinMatch ? length : 0);
        distances[i - from] = static_cast<uint16_t>(distance);
    }
}

int CLzEncoder::Insert(size_t position, uint32_t treeHash, uint32_t shortHash, uint32_t& distance)
{
    int length = InsertInTree(position, treeHash, distance);
    // The tree holds every match of kTreeKey bytes or more; a shorter one is the most recent
    // position with the same first bytes.
    const uint32_t h = shortHash;
    const int32_t candidate = m_shortHead[h];
    m_shortChain[position & (kRingSize - 1)] = candidate;
    m_shortHead[h] = static_cast<int32_t>(position);
    if (length < kMinMatch)
        length = std::max(length, ShortMatch(position, candidate, distance));
    return length;
}

int CLzEncoder::ShortMatch(size_t position, int32_t candidate, uint32_t& distance) const
{
    const uint8_t* data = m_buffer.data();
    const int32_t reach = static_cast<int32_t>(position) - int32_t(kMaxDistance);
    for (; candidate >= reach;
         candidate = m_shortChain[size_t(candidate) & (kRingSize - 1)]) {
        if (std::memcmp(data + candidate, data + position, kMinMatch) == 0) {
            distance = static_cast<uint32_t>(position - size_t(candidate));
            return kMinMatch;
        }
    }
    return 0;
}

int CLzEncoder::InsertInTree(size_t position, uint32_t h, uint32_t& bestDistance)
{
    const uint8_t* data = m_buffer.data();
    const Key key(data + position);
    int32_t* tree = m_tree.data();
    int32_t candidate = m_treeRoot[h];
    m_treeRoot[h] = static_cast<int32_t>(position);
    // The new position becomes the root of its bucket's tree: the old tree is split along the
    // search path into the positions whose keys sort before it and those that sort after it.
    // `smaller` and `larger` are the links where the next such position is hung.
    int32_t* smaller = &tree[2 * (position & (kRingSize - 1))];
    int32_t* larger = smaller + 1;
    // The longest match so far above, its position below: the walk meets ever older positions,
    // so the largest such pair is the first position that reached the longest length.
    uint64_t best = 0;
    const int32_t reach = static_cast<int32_t>(position) - int32_t(kMaxDistance);
    while (candidate >= reach) {
        int32_t* node = &tree[2 * (size_t(candidate) & (kRingSize - 1))];
        // Both subtrees are read before the comparison has chosen one, so that the next step's
        // node is on its way while this one compares.
        const int32_t earlier = node[0], later = node[1];
        bool sortsBefore = false;
        const int length = CommonLength(data + candidate, key, kMaxMatch, sortsBefore);
        if (length == kMaxMatch) {
            // Equal as far as any match can reach: the new position takes the older one's place
            // and subtrees, and the older one leaves the tree, since it can never be the better
            // match again.
            *smaller = earlier;
            *larger = later;
            bestDistance = static_cast<uint32_t>(position - size_t(candidate));
            return kMaxMatch;
        }
        best = std::max(best, uint64_t(length) << 32 | uint32_t(candidate));
        // A candidate that sorts before the key hangs on the smaller side, and the walk goes on
        // into its subtree of later keys; and the other way round. Selected rather than
        // branched: on a walk the side is as good as random.
        *(sortsBefore ? smaller : larger) = candidate;
        smaller = sortsBefore ? &node[1] : smaller;
        larger = sortsBefore ? larger : &node[0];
        candidate = sortsBefore ? later : earlier;
    }
    // Every node below a position is older than it, so what lies beyond the window is cut off
    // whole.
    *smaller = kNone;
    *larger = kNone;
    const int length = static_cast<int>(best >> 32);
    if (length > 0)
        bestDistance = static_cast<uint32_t>(position - size_t(uint32_t(best)));
    return length;
}

int CLzEncoder::Search(size_t position, int limit, uint32_t& distance) const
{
    const uint8_t* data = m_buffer.data();
    const Key key(data + position);
    int best = 0;
    // The same walk as an insertion's, with the key cut short at limit, changing nothing.
    if (limit >= kTreeKey) {
        int32_t candidate = m_treeRoot[TreeHash(key.bytes)];
        const int32_t reach = static_cast<int32_t>(position) - int32_t(kMaxDistance);
        while (candidate >= reach) {
            const int32_t* node = &m_tree[2 * (size_t(candidate) & (kRingSize - 1))];
            bool sortsBefore = false;
            const int length = CommonLength(data + candidate, key, limit, sortsBefore);
            if (length > best) {
                best = length;
                distance = static_cast<uint32_t>(position - size_t(candidate));
            }
            if (length == limit)
                break;
            candidate = node[sortsBefore ? 1 : 0];
        }
    }
    // The positions just before, not in the trees yet: fewer than kMaxMatch.
    for (size_t earlier = m_inserted; earlier < position; ++earlier) {
        bool ignored = false;
        const int length = CommonLength(data + earlier, key, limit, ignored);
        if (length > best) {
            best = length;
            distance = static_cast<uint32_t>(position - earlier);
        }
    }
    if (best < kMinMatch && limit >= kMinMatch)
        best = std::max(best, ShortMatch(position, m_shortHead[ShortHash(key.bytes)], distance));
    return best;
}

void CLzEncoder::ChooseOptimal(size_t count)
{
    // Cheapest cost from every position to the block's end. A path from a position can always
    // be turned into one from the next position that costs no more (a literal dropped, a match
    // started one byte later at the same distance, a three-byte match made two literals), so the
    // cost never grows towards the end: of the matches at a position the longest is the
    // cheapest, and the choice is between it and a literal.
    uint32_t* cost = m_cost.get();
    uint8_t* lengths = m_matchLength.get();
    cost[count] = 0;
    for (size_t k = count; k-- > 0;) {
        const uint32_t literal = cost[k + 1] + kLiteralCost;
        const size_t length = lengths[k];
        // Chosen without a jump, which the data would make as good as random: a position
        // without a match looks at the next one's cost, which never makes the match cheaper.
        const bool isMatch = length >= size_t(kMinMatch);
        const uint32_t match = cost[k + (isMatch ? length : 1)] + kMatchCost;
        const bool take = isMatch && match < literal;
        cost[k] = take ? match : literal;
        lengths[k] = take ? static_cast<uint8_t>(length) : 0;
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
