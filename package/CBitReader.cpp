#include "package/CBitReader.h"

bool CBitReader::TopUp(Buffer& buffer, int n)
{
    // Byte by byte at the end of a block.
    while (buffer.count <= 56) {
        if (m_next == m_filled && !Refill())
            break;
        buffer.value |= static_cast<uint64_t>(m_block[m_next++]) << (56 - buffer.count);
        buffer.count += 8;
    }
    return buffer.count >= n;
}

bool CBitReader::Refill()
{
    const uint32_t position = m_source.Position();
    if (position >= m_limit)
        return false;
    uint32_t count = m_limit - position < kBlockSize ? m_limit - position : kBlockSize;
    m_source.Read(m_block, count);
    m_next = 0;
    m_filled = count;
    return count > 0;
}
