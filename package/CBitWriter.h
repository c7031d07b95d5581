#pragma once

#include <cstdint>
#include <vector>

// Collects bits most significant bit first into whole bytes. The package stream is not byte
// aligned anywhere but at its start, so fields are simply appended one after another.
class CBitWriter {
public:
    // Appends the low `count` bits of value (count from 1 to 24), highest first. Inline: the
    // encoder puts one field per code.
    void Put(uint32_t value, int count)
    {
        m_pending = (m_pending << count) | (value & ((1u << count) - 1u));
        m_pendingCount += count;
        m_bitCount += static_cast<uint64_t>(count);
        while (m_pendingCount >= 8) {
            m_pendingCount -= 8;
            m_bytes.push_back(static_cast<uint8_t>(m_pending >> m_pendingCount));
        }
        m_pending &= (1u << m_pendingCount) - 1u;
    }
    // Pads the last partial byte with zero bits.
    void Finish();

    // Completed bytes not yet taken; Take hands them over and forgets them.
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    void Take(std::vector<uint8_t>& out);
    // Forgets them once the caller has written them out itself, keeping the room they took.
    void Drop() { m_bytes.clear(); }
    // Bits written since the start, padding included.
    uint64_t BitCount() const { return m_bitCount; }

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_pending = 0; // bits not yet forming a whole byte, right-aligned
    int m_pendingCount = 0;
    uint64_t m_bitCount = 0;
};
