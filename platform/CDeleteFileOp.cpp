#include "platform/CDeleteFileOp.h"

#include <windows.h>

CDeleteFileOp::CDeleteFileOp(const char* path)
{
    m_status = DeleteFileA(path) ? FileStatus::Ok : StatusOfError(GetLastError());
}
