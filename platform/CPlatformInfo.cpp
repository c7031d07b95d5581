#include "platform/CPlatformInfo.h"

#include <windows.h>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA record size");
#endif

void CPlatformInfo::Fill()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    // GetVersionExA is deprecated in newer headers but is what these systems offer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (known) {
        platformId = version.dwPlatformId;
        majorVersion = version.dwMajorVersion;
        minorVersion = version.dwMinorVersion;
        buildNumber = version.dwBuildNumber;
    }
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    pageSize = system.dwPageSize;
    processorCount = system.dwNumberOfProcessors;
    filled = true;
}

CPlatformInfo& CPlatformInfo::Current()
{
    static CPlatformInfo info;
    return info;
}
