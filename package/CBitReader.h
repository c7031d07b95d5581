#pragma once

#include "package/CStream.h"

// Reads bit fields most significant bit first from a byte stream. It takes the bytes in small
// blocks, since a call into the stream for every byte cost more than the decoding, and reads
// no byte at or beyond its limit, so a damaged package cannot run into the bytes that follow
// it (the trailer, or whatever lies behind).
class CBitReader {
public:
    explicit CBitReader(CStream& source, uint32_t limit = UINT32_MAX) : m_source(source), m_limit(limit) {}

    // Drops the unread bits of the current byte and the bytes taken ahead; the next read starts
    // at the source's position.
    void Reset()
    {
        m_unread = 0;
        m_next = m_filled = 0;
    }
    // The source position of the first byte not yet begun.
    uint32_t Position() const { return m_source.Position() - (m_filled - m_next); }
    // Reads n bits (1 to 16); false and 0 when the source ran dry first.
    bool ReadBits(int n, uint32_t& value)
    {
        uint32_t accumulator = 0;
        while (m_unread < n) {
            accumulator = (accumulator << m_unread) | (static_cast<uint32_t>(m_current) >> (8 - m_unread));
            n -= m_unread;
            if (!NextByte()) {
                m_unread = 0;
                value = 0;
                return false;
            }
        }
        accumulator = (accumulator << n) | (static_cast<uint32_t>(m_current) >> (8 - n));
        m_current = static_cast<uint8_t>(m_current << n);
        m_unread -= n;
        value = accumulator;
        return true;
    }

private:
    bool NextByte()
    {
        if (m_next == m_filled && !Refill())
            return false;
        m_current = m_block[m_next++];
        m_unread = 8;
        return true;
    }
    bool Refill();

    static constexpr uint32_t kBlockSize = 256;
    uint8_t m_block[kBlockSize];
    uint32_t m_next = 0;
    uint32_t m_filled = 0;
    int m_unread = 0;
    uint8_t m_current = 0;
    CStream& m_source;
    uint32_t m_limit;
};
