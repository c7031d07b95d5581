#pragma once

#include <cstdint>

class CFileStream;

// Sets the creation and last-write times of an open file from an entry's 8 time bytes (two
// big-endian counts of seconds since 1904-01-01 00:00:00 UTC), through the handle the file was
// written with, leaving the last-access time alone. False when the system refuses.
bool ApplyEntryTimes(CFileStream& file, const uint8_t* times);
