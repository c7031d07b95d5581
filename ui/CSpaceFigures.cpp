#include "ui/CSpaceFigures.h"

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
    char digits[24];
    char* end = digits + sizeof(digits);
    char* p = end;
    *--p = '\0';
    do {
        *--p = char('0' + megabytes % 10);
        megabytes /= 10;
    } while (megabytes != 0);
    char text[32];
    size_t length = 0;
    while (*p)
        text[length++] = *p++;
    text[length++] = ' ';
    text[length++] = 'M';
    text[length++] = 'B';
    text[length] = '\0';
    return LString(text);
}
