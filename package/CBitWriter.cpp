#include "package/CBitWriter.h"

void CBitWriter::Put(uint32_t value, int count)
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

void CBitWriter::Finish()
{
    if (m_pendingCount > 0)
        Put(0, 8 - m_pendingCount);
}

void CBitWriter::Take(std::vector<uint8_t>& out)
{
    out.insert(out.end(), m_bytes.begin(), m_bytes.end());
    m_bytes.clear();
}
