#pragma once

#include <cstdint>

// Hands out native menu command ids from 0xFC00 to 0xFFFF (1024 ids): the search starts at the
// cursor, takes the first free id (wrapping round), and moves the cursor there. 0 when all are
// taken. Portable, so that its rules are tested natively.
class LMenuIds {
public:
    static uint16_t Allocate();
    static void Free(uint16_t id);
    // Forgets every allocation (tests).
    static void Reset();

    static const uint16_t kFirst = 0xFC00;
    static const int kCount = 1024;
};
