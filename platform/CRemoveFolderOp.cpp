#include "platform/CRemoveFolderOp.h"

#include <windows.h>

CRemoveFolderOp::CRemoveFolderOp(const char* path)
{
    m_status = RemoveDirectoryA(path) ? FileStatus::Ok : FileStatus::Failed;
}
