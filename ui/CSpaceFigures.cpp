#include "ui/CSpaceFigures.h"

#include <cstring>

namespace {

constexpr uint64_t kMegabyte = 1048576;

uint64_t SaturatingAdd(uint64_t a, uint64_t b)
{
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

} // namespace

uint64_t CSpaceFigures::RequiredMegabytes(uint32_t entryCount, uint32_t unitSize, uint64_t totalBytes)
{
    uint64_t bytes = SaturatingAdd(uint64_t(entryCount) * unitSize, totalBytes);
    uint64_t megabytes = SaturatingAdd(bytes, kMegabyte - 1) >> 20;
    return megabytes <= 1 ? 1 : megabytes;
}

uint64_t CSpaceFigures::AvailableMegabytes(uint32_t unitSize, uint64_t freeUnits)
{
    // Split the units into whole megabytes and a rest, so that the product cannot overflow:
    // F * U / 2^20 = (F / 2^20) * U + (F % 2^20) * U / 2^20 exactly.
    uint64_t whole = freeUnits / kMegabyte;
    uint64_t rest = freeUnits % kMegabyte * unitSize / kMegabyte;
    if (unitSize != 0 && whole > (UINT64_MAX - rest) / unitSize)
        return UINT64_MAX;
    return whole * unitSize + rest;
}

LString CSpaceFigures::MegabytesText(uint64_t megabytes)
{
    // Divided by ten in 16-bit pieces, most significant first: a 64-bit division would bring
    // the runtime's division routine into the 32-bit installer.
    uint32_t pieces[4] = {uint32_t(megabytes >> 48), uint32_t(megabytes >> 32) & 0xFFFF,
                          uint32_t(megabytes >> 16) & 0xFFFF, uint32_t(megabytes) & 0xFFFF};
    char text[24 + sizeof(" MB")];
    char* const digitsEnd = text + 24;
    char* p = digitsEnd;
    bool more;
    do {
        uint32_t remainder = 0;
        more = false;
        for (uint32_t& piece : pieces) {
            const uint32_t value = (remainder << 16) | piece;
            piece = value / 10;
            remainder = value % 10;
            more = more || piece != 0;
        }
        *--p = char('0' + remainder);
    } while (more);
    std::memcpy(digitsEnd, " MB", sizeof(" MB"));
    return LString(p);
}
