#include "package/CBitReader.h"

bool CBitReader::NextByte()
{
    if (m_source.Position() >= m_limit)
        return false;
    uint32_t count = 1;
    m_source.Read(&m_current, count);
    if (count != 1)
        return false;
    m_unread = 8;
    return true;
}
