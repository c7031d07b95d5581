#pragma once

#include "package/CStream.h"

// The 8 bytes behind a package: the magic "QXPK" and the package length, big-endian.
constexpr uint32_t kTrailerSize = 8;
constexpr char kTrailerMagic[4] = {'Q', 'X', 'P', 'K'};

// Finds the last trailer in the file whose length fits before it, also when other bytes follow
// it. Gives the package's start and end offsets; both 0 when there is none.
void FindPackage(CStream& file, uint32_t& start, uint32_t& end);
