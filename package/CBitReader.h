#pragma once

#include "package/CStream.h"

#include <cstring>

// Reads bit fields most significant bit first from a byte stream. It takes the bytes in small
// blocks, since a call into the stream for every byte cost more than the decoding, and keeps up
// to eight of them in a bit buffer, so that a whole code is usually looked at in one step. It
// reads no byte at or beyond its limit, so a damaged package cannot run into the bytes that
// follow it (the trailer, or whatever lies behind).
class CBitReader {
public:
    // Unread bits, the next one at the top of the value. The decoder keeps a copy in its own
    // variables through its loop, where the compiler need not fear that the bytes it writes
    // land in the reader, and hands it back before any other read.
    struct Buffer {
        uint64_t value = 0;
        int count = 0;

        uint32_t Peek(int n) const { return static_cast<uint32_t>(value >> (64 - n)); }
        void Skip(int n)
        {
            value <<= n;
            count -= n;
        }
    };

    explicit CBitReader(CStream& source, uint32_t limit = UINT32_MAX) : m_source(source), m_limit(limit) {}

    // Drops the unread bits and the bytes taken ahead; the next read starts at the source's
    // position.
    void Reset()
    {
        m_buffer = Buffer();
        m_next = m_filled = 0;
    }
    // The source position of the first byte not yet begun.
    uint32_t Position() const
    {
        return m_source.Position() - (m_filled - m_next) - static_cast<uint32_t>(m_buffer.count / 8);
    }
    // Reads n bits (1 to 24); false and 0 when the source ran dry first, and the bits that were
    // left are gone.
    bool ReadBits(int n, uint32_t& value)
    {
        if (!Fill(m_buffer, n)) {
            m_buffer = Buffer();
            value = 0;
            return false;
        }
        value = m_buffer.Peek(n);
        m_buffer.Skip(n);
        return true;
    }

    Buffer Take() const { return m_buffer; }
    void Give(const Buffer& buffer) { m_buffer = buffer; }
    // Tops the buffer up to at least n bits (1 to 57) when it holds fewer; false when the source
    // runs dry first (the bits there are stay).
    bool Fill(Buffer& buffer, int n)
    {
        if (buffer.count >= n)
            return true;
        // Eight bytes at once where the block holds them (nearly always): the bits below the
        // counted ones are those of the bytes that follow, which a later fill puts in the same
        // places again. That leaves at least 57 bits.
        if (m_filled - m_next >= 8) {
            uint64_t next;
            std::memcpy(&next, m_block + m_next, 8);
            buffer.value |= __builtin_bswap64(next) >> buffer.count;
            const int taken = (64 - buffer.count) >> 3;
            m_next += static_cast<uint32_t>(taken);
            buffer.count += taken * 8;
            return true;
        }
        return TopUp(buffer, n);
    }

private:
    bool TopUp(Buffer& buffer, int n);
    bool Refill();

    static constexpr uint32_t kBlockSize = 256;
    Buffer m_buffer;
    uint8_t m_block[kBlockSize];
    uint32_t m_next = 0;
    uint32_t m_filled = 0;
    CStream& m_source;
    uint32_t m_limit;
};
