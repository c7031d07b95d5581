#include "platform/CFileFind.h"

#include "platform/CFileHandle.h"
#include "platform/PathText.h"

CFileFind::CFileFind(const char* path, bool children)
    : m_path(path)
    , m_children(children)
{
    if (children) {
        LString pattern = JoinPath(path, "*");
        m_find.Reset(FindFirstFileA(pattern.Text(), &m_data));
        if (!m_find.IsValid()) {
            MapFindError();
            return;
        }
        m_status = FileStatus::Ok;
        SkipDots();
        return;
    }
    m_find.Reset(FindFirstFileA(path, &m_data));
    if (!m_find.IsValid()) {
        MapFindError();
        return;
    }
    m_status = FileStatus::Ok;
    m_path = ReplaceLastComponent(path, m_data.cFileName);
}

void CFileFind::MapFindError()
{
    DWORD error = GetLastError();
    bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
        || error == ERROR_NO_MORE_FILES;
    m_status = missing ? FileStatus::Conflict : FileStatus::Failed;
}

void CFileFind::SkipDots()
{
    // The listing of a folder starts with "." and ".."; only those two are passed over, so that
    // a folder such as ".config" that happens to be listed early is still seen.
    while (m_status == FileStatus::Ok && IsFolder() && IsDotEntry(m_data.cFileName)) {
        if (!FindNextFileA(m_find.Get(), &m_data))
            MapFindError();
    }
}

bool CFileFind::IsDotEntry(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

void CFileFind::Next()
{
    if (!m_children || m_status != FileStatus::Ok) {
        m_status = FileStatus::Conflict;
        return;
    }
    if (!FindNextFileA(m_find.Get(), &m_data))
        MapFindError();
    // Systems do not promise to list "." and ".." first.
    while (m_status == FileStatus::Ok && IsFolder() && IsDotEntry(m_data.cFileName)) {
        if (!FindNextFileA(m_find.Get(), &m_data))
            MapFindError();
    }
}

LString CFileFind::EntryPath() const
{
    if (m_children)
        return JoinPath(m_path.Text(), m_data.cFileName);
    return m_path;
}

void CFileFind::SetWritable(bool writable)
{
    if (writable)
        m_data.dwFileAttributes &= ~DWORD(FILE_ATTRIBUTE_READONLY);
    else
        m_data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
}

void CFileFind::SetTimes(const FILETIME& creation, const FILETIME& lastWrite)
{
    m_data.ftCreationTime = creation;
    m_data.ftLastWriteTime = lastWrite;
}

void CFileFind::Apply()
{
    if (m_status != FileStatus::Ok || IsFolder())
        return;
    LString path = EntryPath();
    {
        CFileHandle file(CreateFileA(path.Text(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
            m_status = FileStatus::NotFound;
            return;
        }
        SetFileTime(file.Get(), &m_data.ftCreationTime, nullptr, &m_data.ftLastWriteTime);
    }
    // Attributes go on after the handle is closed, so that a read-only bit cannot get in the
    // way of the times.
    SetFileAttributesA(path.Text(), m_data.dwFileAttributes);
    m_status = FileStatus::Ok;
}
