#include "platform/CFileOp.h"

#include "platform/CTextBuilder.h"
#include "platform/PathText.h"

#include <windows.h>

LString CFileOp::NumberedPath(const char* path, long number)
{
    size_t extension = ExtensionPos(path);
    CTextBuilder text;
    text.Append(path, extension);
    text.AppendNumber(number);
    text.Append(path + extension);
    return text.ToString();
}

FileStatus CFileOp::StatusOfError(unsigned long error)
{
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return FileStatus::NotFound;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return FileStatus::InUse;
    return FileStatus::Failed;
}

bool CFileOp::IsNameConflict(unsigned long error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

void CFileOp::CreateItem(const char* path, ConflictMode mode, Attempt attempt, bool wantFolder, void* context)
{
    LString tried(path);
    for (long number = 2;; ++number) {
        unsigned long error = attempt(tried.Text(), context);
        if (error == 0) {
            m_status = FileStatus::Ok;
            m_path = tried;
            return;
        }
        if (!IsNameConflict(error)) {
            m_status = StatusOfError(error);
            return;
        }
        if (mode == ConflictMode::UseExisting) {
            DWORD attributes = GetFileAttributesA(tried.Text());
            bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
            bool fits = attributes != INVALID_FILE_ATTRIBUTES && isFolder == wantFolder;
            m_status = fits ? FileStatus::Ok : FileStatus::Conflict;
            if (fits)
                m_path = tried;
            return;
        }
        if (mode == ConflictMode::Fail) {
            m_status = FileStatus::Conflict;
            return;
        }
        tried = NumberedPath(path, number);
        if (tried.IsEmpty()) {
            m_status = FileStatus::Failed; // out of memory
            return;
        }
    }
}
