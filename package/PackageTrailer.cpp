#include "package/PackageTrailer.h"
#include "package/BigEndian.h"

#include <cstring>

void FindPackage(CStream& file, uint32_t& start, uint32_t& end)
{
    start = 0;
    end = 0;
    file.SeekEnd();
    if (file.Failed())
        return;
    // Moves back one byte at a time: a magic whose length does not fit is passed over.
    for (uint32_t p = file.Position(); p >= kTrailerSize; --p) {
        uint8_t trailer[kTrailerSize];
        uint32_t count = kTrailerSize;
        file.SetPosition(p - kTrailerSize);
        file.Read(trailer, count);
        if (count < kTrailerSize)
            return;
        uint32_t length = ReadBigEndian32(trailer + 4);
        if (std::memcmp(trailer, kTrailerMagic, 4) == 0 && length <= p - kTrailerSize) {
            end = p - kTrailerSize;
            start = end - length;
            return;
        }
    }
}
