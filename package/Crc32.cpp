#include "package/Crc32.h"

namespace {

// Eight tables, so that the loop takes eight bytes per step ("slicing by 8"); table 0 is the
// classic byte-wise one.
struct CrcTables {
    uint32_t entries[8][256];

    CrcTables()
    {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[0][n] = c;
        }
        for (uint32_t n = 0; n < 256; ++n)
            for (int t = 1; t < 8; ++t)
                entries[t][n] = entries[0][entries[t - 1][n] & 0xFF] ^ (entries[t - 1][n] >> 8);
    }
};

const CrcTables kTables;

} // namespace

uint32_t Crc32(uint32_t crc, const void* bytes, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    const auto& t = kTables.entries;
    crc = ~crc;
    for (; count >= 8; count -= 8, p += 8) {
        const uint32_t low = crc ^ (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
              t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; count > 0; --count, ++p)
        crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
