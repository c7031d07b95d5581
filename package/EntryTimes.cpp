#include "package/EntryTimes.h"
#include "package/BigEndian.h"

#include "package/CFileStream.h"

#include <windows.h>

namespace {

FILETIME ToFileTime(const uint8_t* bytes)
{
    uint32_t seconds = ReadBigEndian32(bytes);
    SYSTEMTIME epoch = {};
    epoch.wYear = 1904;
    epoch.wMonth = 1;
    epoch.wDay = 1;
    FILETIME base = {};
    SystemTimeToFileTime(&epoch, &base);
    ULARGE_INTEGER value;
    value.LowPart = base.dwLowDateTime;
    value.HighPart = base.dwHighDateTime;
    value.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ull;
    FILETIME result;
    result.dwLowDateTime = value.LowPart;
    result.dwHighDateTime = value.HighPart;
    return result;
}

} // namespace

bool ApplyEntryTimes(CFileStream& file, const uint8_t* times)
{
    if (!file.IsOpen())
        return false;
    FILETIME created = ToFileTime(times);
    FILETIME written = ToFileTime(times + 4);
    return SetFileTime(static_cast<HANDLE>(file.Handle()), &created, nullptr, &written) != 0;
}
