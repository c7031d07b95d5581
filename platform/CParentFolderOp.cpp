#include "platform/CParentFolderOp.h"

#include "platform/PathText.h"

#include <windows.h>

CParentFolderOp::CParentFolderOp(const char* path)
{
    LString parent = ParentPath(path);
    if (parent.IsEmpty())
        return;
    DWORD attributes = GetFileAttributesA(parent.Text());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    m_path = parent;
    m_status = FileStatus::Ok;
}
