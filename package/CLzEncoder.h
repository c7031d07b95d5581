#pragma once

#include "package/CBitWriter.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Encoder of the package's compressed stream. The format, read most significant bit first:
//   literal   1, then the byte (8 bits)                                   9 bits, one byte
//   match     0, then distance 1..8191 (13 bits), then length - 3 (4 bits)   18 bits, 3..18 bytes
//   end code  0, then 13 zero bits                                         ends a data run
// The final byte is padded with zero bits. The history window is the last 8191 bytes produced,
// across record boundaries, but a match never reaches before the start of the stream. A match
// may overlap the bytes it produces (distance 1 repeats the last byte).
//
// The optimal parse finds the longest match at every position and then the cheapest path of
// literals and matches; since every match costs the same, a prefix of the longest match is as
// good as any other match of that length. Matches of four bytes or more are found in binary
// trees over the window that keep its positions sorted by the bytes that follow them: a new
// position's search path passes both its sorted neighbours, the only candidates for the
// longest match, and a position that repeats an older one as far as a match reaches replaces
// it, so repetitive input keeps the trees shallow. Three-byte matches come from hash chains.
// The trees and chains live as long as the encoder: a position enters them once, when the
// longest match's worth of bytes after it is known, so that a small data run costs no more
// than its bytes. The few positions at a block's end that lack those bytes are searched
// without entering, and compared with each other directly.
// Which of the longest matches is taken fixes the stream, so that packages stay the same from
// one packer to the next: the most recent one in the trees (at a block's end, one not in them
// only when longer). The positions of a tree that share a prefix of some length with the key
// form one run in the sorted order, beside the key's place, and each node is more recent than
// those below it, so the most recent of the run lies on the key's search path: the walk keeps
// the first of the longest it meets. A three-byte match is the most recent in the key's tree
// when the tree holds one (another key with the same hash), else the most recent on the chain.
// The greedy parse takes the longest match wherever there is one; it exists for comparison.
class CLzEncoder {
public:
    enum Parse { kOptimal, kGreedy };

    static constexpr int kDistanceBits = 13;
    static constexpr int kLengthBits = 4;
    static constexpr uint32_t kMaxDistance = (1u << kDistanceBits) - 1u; // 0 is the end code
    static constexpr int kMinMatch = 3;
    static constexpr int kMaxMatch = (1 << kLengthBits) + kMinMatch - 1;

    explicit CLzEncoder(Parse parse = kOptimal);
    CLzEncoder(const CLzEncoder&) = delete;
    CLzEncoder& operator=(const CLzEncoder&) = delete;

    // Bytes of the stream; they are encoded in blocks as they come.
    void Write(const void* bytes, size_t count);
    // Encodes what is pending and ends the current data run with the end code.
    void EndRun();
    // Encodes what is pending and pads the last byte; nothing may be written afterwards.
    void Finish();

    // The encoded bytes completed so far; the caller takes them away as it likes.
    CBitWriter& Output() { return m_out; }
    uint64_t BytesIn() const { return m_bytesIn; }

private:
    void EncodeBlock();
    // Moves the bytes still needed to the buffer's front when it is full.
    void Slide();
    void FindMatches(size_t from, size_t to);
    // Adds the position to its tree and chain (its kMaxMatch bytes are known) and returns its
    // longest match with the distance of one such match.
    // The hashes are those of the position's first bytes.
    int Insert(size_t position, uint32_t treeHash, uint32_t shortHash, uint32_t& distance);
    int InsertInTree(size_t position, uint32_t treeHash, uint32_t& distance);
    // The longest match, up to limit bytes, of a position that is not in the trees yet.
    int Search(size_t position, int limit, uint32_t& distance) const;
    // The longest match among the positions of the chain from candidate on, up to kMinMatch.
    int ShortMatch(size_t position, int32_t candidate, uint32_t& distance) const;
    // Drops the matches that the cheapest path does not take.
    void ChooseOptimal(size_t count);
    // Emits a match wherever one is left, a literal elsewhere.
    void EmitChosen(size_t from, size_t to);
    void EmitLiteral(uint8_t byte);
    void EmitMatch(uint32_t distance, int length);

    Parse m_parse;
    CBitWriter m_out;
    // The stream's bytes from some point on, up to a fixed size: history, then the bytes not
    // yet encoded from m_encoded on; m_length bytes are in use. Positions are indices here.
    std::vector<uint8_t> m_buffer;
    size_t m_length = 0;
    size_t m_encoded = 0;
    // Positions below this one are in the trees and chains.
    size_t m_inserted = 0;
    uint64_t m_bytesIn = 0;
    // Per block: longest match length and its distance for every pending position, and the
    // cheapest cost from each to the block's end. Every entry is written before it is read, so
    // they are left uncleared: a page is touched only once a block reaches it.
    std::unique_ptr<uint8_t[]> m_matchLength;
    std::unique_ptr<uint16_t[]> m_matchDistance;
    std::unique_ptr<uint32_t[]> m_cost;
    // Root of each tree by key hash, and the two subtrees of every position in the window.
    std::vector<int32_t> m_treeRoot;
    std::vector<int32_t> m_tree;
    // Most recent position by the hash of its first bytes, and every position's predecessor.
    std::vector<int32_t> m_shortHead;
    std::vector<int32_t> m_shortChain;
};
