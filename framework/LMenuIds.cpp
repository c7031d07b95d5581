#include "framework/LMenuIds.h"

#include <cstring>

namespace {
uint32_t g_bits[LMenuIds::kCount / 32];
int g_cursor = 0;
} // namespace

uint16_t LMenuIds::Allocate()
{
    for (int step = 0; step < kCount; ++step) {
        const int index = (g_cursor + step) % kCount;
        const uint32_t mask = 1u << (index % 32);
        if (!(g_bits[index / 32] & mask)) {
            g_bits[index / 32] |= mask;
            g_cursor = index;
            return static_cast<uint16_t>(kFirst + index);
        }
    }
    return 0;
}

void LMenuIds::Free(uint16_t id)
{
    if (id < kFirst)
        return;
    const int index = id - kFirst;
    g_bits[index / 32] &= ~(1u << (index % 32));
}

void LMenuIds::Reset()
{
    std::memset(g_bits, 0, sizeof(g_bits));
    g_cursor = 0;
}
