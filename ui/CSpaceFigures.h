#pragma once

#include "framework/LString.h"

#include <cstdint>

// The two figures of the target folder frame, in whole megabytes. Everything is computed in
// 64 bits: a product of more than 4 GiB or a disk of more than 2 TiB shows its true size
// instead of a value that wrapped around.
class CSpaceFigures {
public:
    // Space the installation needs: every entry is charged one allocation unit on top of the
    // data, rounded up to whole megabytes, and never less than 1.
    static uint64_t RequiredMegabytes(uint32_t entryCount, uint32_t unitSize, uint64_t totalBytes);
    // Free space: unit size times free units, truncated to whole megabytes.
    static uint64_t AvailableMegabytes(uint32_t unitSize, uint64_t freeUnits);
    // The decimal figure followed by " MB".
    static LString MegabytesText(uint64_t megabytes);
};
