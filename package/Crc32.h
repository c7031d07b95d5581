#pragma once

#include <cstddef>
#include <cstdint>

// CRC-32 of the IEEE polynomial, as zlib's crc32(): start with 0 and feed the bytes in as many
// pieces as convenient; the result of one call is the crc argument of the next.
uint32_t Crc32(uint32_t crc, const void* bytes, size_t count);
