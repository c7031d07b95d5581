#include "platform/FileSystem.h"

#include "platform/CFileFind.h"
#include "platform/PathText.h"

#include <windows.h>

bool IsFolder(const char* path)
{
    CFileFind entry(path, false);
    return entry.Found() && entry.IsFolder();
}

PathKind KindOfPath(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Nothing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

unsigned long EnsureParentFolders(const char* path)
{
    LString parent = ParentPath(path);
    // A bare name has no parent to create (and its drive root would be found again and again).
    if (parent.IsEmpty())
        return 0;
    LString root = DriveRootOf(parent.Text());
    if (parent == root)
        return 0;
    unsigned long error = EnsureParentFolders(parent.Text());
    if (error != 0)
        return error;
    if (CreateDirectoryA(parent.Text(), nullptr))
        return 0;
    error = GetLastError();
    return error == ERROR_ALREADY_EXISTS ? 0 : error;
}

bool DeleteAtRestart(const char* path)
{
    return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}
