#pragma once

#include <cstdint>

// Free space on the drive of a path (the drive root of the path, or of the current directory
// when the path has no drive). Units are 32-bit, so callers take FreeBytes (a 64-bit product)
// rather than multiplying the two themselves.
class CDiskSpace {
public:
    enum Status { kDone = 0, kDriveNotFound = 1, kFailed = 2 };

    explicit CDiskSpace(const char* path);

    Status GetStatus() const { return m_status; }
    uint32_t UnitSize() const { return m_unitSize; }
    uint32_t FreeUnits() const { return m_freeUnits; }
    uint64_t FreeBytes() const { return uint64_t(m_unitSize) * m_freeUnits; }

    // Whether queries go through GetDiskFreeSpaceExA (later Windows 95 systems only); decided
    // once per process from the platform information.
    static bool UsesExtendedQuery();

private:
    Status m_status = kFailed;
    uint32_t m_unitSize = 512;
    uint32_t m_freeUnits = 0;
};
