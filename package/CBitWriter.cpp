#include "package/CBitWriter.h"

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
