#include "platform/CChildPathOp.h"

#include "platform/PathText.h"

#include <cstring>
#include <windows.h>

CChildPathOp::CChildPathOp(const char* folder, const char* name)
    : CChildPathOp(folder, name, std::strlen(name))
{
}

CChildPathOp::CChildPathOp(const char* folder, const char* name, size_t nameLength)
{
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    m_path = JoinPath(folder, SanitizeName(name, nameLength).Text());
    m_status = m_path.IsEmpty() ? FileStatus::Failed : FileStatus::Ok;
}
