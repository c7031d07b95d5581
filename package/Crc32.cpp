#include "package/Crc32.h"

namespace {

struct CrcTable {
    uint32_t entries[256];

    CrcTable()
    {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};

const CrcTable kTable;

} // namespace

uint32_t Crc32(uint32_t crc, const void* bytes, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    crc = ~crc;
    for (size_t i = 0; i < count; ++i)
        crc = kTable.entries[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
