#include "install/JournalPaths.h"

#include "install/CJournalRecord.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"
#include "platform/TextCompare.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsReparsePoint(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool NativePathOf(const CJournalRecord& record, LString& path, LString* knownFolder)
{
    return FileUrlToPath(ParseUrl(record.url.Text()), false, path, knownFolder);
}

LString BackupPath(const LString& path, const LString& name)
{
    return JoinPath(ParentPath(path.Text()).Text(), name.Text());
}

LString IdentifiedPath(const CJournalRecord& record, LString* knownFolder)
{
    LString path;
    if (record.kind == kJournalFolder || !NativePathOf(record, path, knownFolder))
        return LString();
    return record.kind == kJournalReplaced ? BackupPath(path, record.backupName) : path;
}

bool ReadFileIdentity(const char* path, CFileIdentity& identity)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    identity.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    identity.lastWrite = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool ReadOpenFileIdentity(void* handle, CFileIdentity& identity)
{
    LARGE_INTEGER size;
    FILETIME written;
    if (!GetFileSizeEx(static_cast<HANDLE>(handle), &size) || !GetFileTime(static_cast<HANDLE>(handle), nullptr, nullptr, &written))
        return false;
    identity.size = static_cast<uint64_t>(size.QuadPart);
    identity.lastWrite = (uint64_t(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return true;
}

LString FormatIdentity(const CFileIdentity& identity)
{
    static const char kDigits[] = "0123456789ABCDEF";
    char text[33];
    for (int i = 0; i < 16; ++i) {
        text[i] = kDigits[(identity.size >> (60 - 4 * i)) & 15];
        text[16 + i] = kDigits[(identity.lastWrite >> (60 - 4 * i)) & 15];
    }
    text[32] = 0;
    return LString(text);
}

bool ParseIdentity(const LString& text, CFileIdentity& identity)
{
    if (text.Length() != 32)
        return false;
    identity = CFileIdentity();
    for (int i = 0; i < 32; ++i) {
        int value = HexValue(text.Text()[i]);
        if (value < 0)
            return false;
        uint64_t& half = i < 16 ? identity.size : identity.lastWrite;
        half = (half << 4) | static_cast<uint64_t>(value);
    }
    return true;
}

bool IsInstallerName(const LString& name, const char* prefix)
{
    size_t length = std::strlen(prefix);
    if (name.Length() <= length || std::memcmp(name.Text(), prefix, length) != 0)
        return false;
    const char* at = name.Text() + length;
    if (*at == '-')
        ++at;
    if (!*at)
        return false;
    for (; *at; ++at) {
        if (*at < '0' || *at > '9')
            return false;
    }
    return true;
}

bool IsProductFolder(const LString& destination, const LString& product)
{
    // A full path on a drive: "C:\...".
    const char* text = destination.Text();
    if (destination.Length() < 4 || text[1] != ':' || text[2] != '\\')
        return false;
    LString last = LastComponent(text);
    return !product.IsEmpty() && EqualsNoCase(last.Text(), product.Text()) && !IsReparsePoint(text);
}

bool IsConfinedPath(const LString& path, const LString& destination)
{
    const size_t base = destination.Length();
    if (path.Length() <= base + 1 || CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.Text(), static_cast<int>(base),
                                                    destination.Text(), static_cast<int>(base)) != CSTR_EQUAL
        || path.Text()[base] != '\\')
        return false;
    // Every component below the destination, down to the path itself; an empty one ("a\\b")
    // is not what this program writes.
    for (size_t from = base + 1;;) {
        size_t end = NextSeparator(path.Text(), from);
        if (end == from || IsReparsePoint(LString(path.Text(), end).Text()))
            return false;
        if (end == path.Length())
            return true;
        from = end + 1;
    }
}
