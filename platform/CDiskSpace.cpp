#include "platform/CDiskSpace.h"

#include "platform/CPlatformInfo.h"
#include "platform/KernelExport.h"
#include "platform/PathText.h"

#include <windows.h>

namespace {

using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Later Windows 95 systems (OSR2, build above 1000) report drives over 2 GB correctly only
// through GetDiskFreeSpaceExA, which the first release lacks; it is looked up once.
GetDiskFreeSpaceExFn FreeSpaceEx()
{
    static bool looked = false;
    static GetDiskFreeSpaceExFn function = nullptr;
    if (!looked) {
        looked = true;
        const CPlatformInfo& info = CPlatformInfo::Current();
        if (info.IsWindows95Family() && (info.buildNumber & 0xFFFF) > 1000) {
            function = reinterpret_cast<GetDiskFreeSpaceExFn>(KernelExport("GetDiskFreeSpaceExA"));
        }
    }
    return function;
}

} // namespace

bool CDiskSpace::UsesExtendedQuery()
{
    return FreeSpaceEx() != nullptr;
}

CDiskSpace::CDiskSpace(const char* path)
{
    LString root = DriveRootOf(path);
    if (GetDiskFreeSpaceExFn ex = FreeSpaceEx()) {
        ULARGE_INTEGER available, total, totalFree;
        if (ex(root.Text(), &available, &total, &totalFree)) {
            m_unitSize = 4096;
            m_freeUnits = static_cast<uint32_t>(available.QuadPart >> 12);
            m_status = kDone;
            return;
        }
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (GetDiskFreeSpaceA(root.Text(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
        m_unitSize = sectorsPerCluster * bytesPerSector;
        m_freeUnits = freeClusters;
        m_status = kDone;
        return;
    }
    DWORD error = GetLastError();
    m_freeUnits = 0;
    m_status = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? kDriveNotFound : kFailed;
}
