#include "package/CRecordCrc.h"

#include "package/Crc32.h"

// The reader checks records with the same function, so writer and reader cannot disagree.
void CRecordCrc::Add(const void* bytes, size_t count)
{
    m_crc = Crc32(m_crc, bytes, count);
}

uint32_t CRecordCrc::Of(const void* bytes, size_t count)
{
    return Crc32(0, bytes, count);
}
