#include "package/CBitReader.h"

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
