#pragma once

#include <cstdint>
#include <cstring>

// Copies the few bytes of one match (at most a few dozen) without a library call. On Windows
// memcpy is an import from the C runtime DLL, and calling it three times per match cost more
// than the decoding itself. Fixed-size copies compile to plain moves; nothing outside
// [to, to + count) is written and nothing outside [from, from + count) is read.
inline void CopyShort(uint8_t* to, const uint8_t* from, uint32_t count)
{
    while (count >= 8) {
        __builtin_memcpy(to, from, 8);
        to += 8;
        from += 8;
        count -= 8;
    }
    if (count & 4) {
        __builtin_memcpy(to, from, 4);
        to += 4;
        from += 4;
    }
    if (count & 2) {
        __builtin_memcpy(to, from, 2);
        to += 2;
        from += 2;
    }
    if (count & 1)
        *to = *from;
}
