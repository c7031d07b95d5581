#include "platform/CCreateFolderOp.h"

#include <windows.h>

namespace {

unsigned long TryCreateFolder(const char* path, void*)
{
    return CreateDirectoryA(path, nullptr) ? 0 : GetLastError();
}

} // namespace

CCreateFolderOp::CCreateFolderOp(const char* path, ConflictMode mode)
{
    CreateItem(path, mode, TryCreateFolder, true);
}
