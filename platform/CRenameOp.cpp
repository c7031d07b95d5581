#include "platform/CRenameOp.h"

#include "platform/PathText.h"
#include "platform/TextCompare.h"

#include <windows.h>

CRenameOp::CRenameOp(const char* path, const char* newName, ConflictMode mode)
{
    LString newPath = ReplaceLastComponent(path, newName);
    if (newPath.IsEmpty())
        return;
    if (EqualsNoCase(newPath.Text(), path)) {
        m_path = LString(path);
        m_status = FileStatus::Ok;
        return;
    }
    LString tried = newPath;
    for (long number = 2;; ++number) {
        if (MoveFileExA(path, tried.Text(), 0)) {
            m_path = tried;
            m_status = FileStatus::Ok;
            return;
        }
        DWORD error = GetLastError();
        if (!IsNameConflict(error)) {
            m_status = StatusOfError(error);
            return;
        }
        if (mode == ConflictMode::UseExisting) {
            m_status = FileStatus::Conflict;
            return;
        }
        tried = NumberedPath(newPath.Text(), number);
        if (tried.IsEmpty())
            return;
    }
}
