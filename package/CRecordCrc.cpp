#include "package/CRecordCrc.h"

namespace {

struct CrcTable {
    uint32_t entries[256];
    CrcTable()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[i] = c;
        }
    }
};

const CrcTable kTable;

} // namespace

void CRecordCrc::Add(const void* bytes, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    uint32_t c = m_state;
    for (size_t i = 0; i < count; ++i)
        c = kTable.entries[(c ^ p[i]) & 0xFFu] ^ (c >> 8);
    m_state = c;
}

uint32_t CRecordCrc::Of(const void* bytes, size_t count)
{
    CRecordCrc crc;
    crc.Add(bytes, count);
    return crc.Value();
}
