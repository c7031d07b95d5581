#pragma once

#include <cstdint>

// Sets the creation and last-write times of the file at path from an entry's 8 time bytes
// (two big-endian counts of seconds since 1904-01-01 00:00:00 UTC), leaving the last-access
// time alone, then writes back the file's attributes. True when the file could be opened;
// a folder is left as it is and also gives true.
bool ApplyEntryTimes(const char* path, const uint8_t* times);
