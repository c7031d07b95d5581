#include "package/EntryTimes.h"
#include "package/BigEndian.h"

#include "platform/CFileHandle.h"

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

bool ApplyEntryTimes(const char* path, const uint8_t* times)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    CFileHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    FILETIME created = ToFileTime(times);
    FILETIME written = ToFileTime(times + 4);
    SetFileTime(file.Get(), &created, nullptr, &written);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(path, attributes);
    return true;
}
