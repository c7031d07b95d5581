#pragma once

#include "framework/LString.h"
#include "platform/CFindHandle.h"
#include "platform/FileStatus.h"

#include <cstdint>
#include <windows.h>

// One directory entry as the system reports it. In single mode it is the entry of the path
// itself (and the stored path takes the entry's true letter case); in children mode the
// entries inside the folder at the path, one after another with Next, "." and ".." skipped
// wherever the system lists them.
// The finder also carries times and attributes from one file to another (SetWritable, Apply).
class CFileFind {
public:
    CFileFind(const char* path, bool children);
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    FileStatus Status() const { return m_status; }
    bool Found() const { return m_status == FileStatus::Ok; }

    // The next entry; the end of the listing is Conflict. In single mode always Conflict.
    void Next();
    // Children mode: the folder joined with the entry's name; single mode: the corrected path.
    LString EntryPath() const;

    uint32_t Attributes() const { return m_data.dwFileAttributes; }
    bool IsFolder() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsReadOnly() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0; }
    const FILETIME& CreationTime() const { return m_data.ftCreationTime; }
    const FILETIME& LastAccessTime() const { return m_data.ftLastAccessTime; }
    const FILETIME& LastWriteTime() const { return m_data.ftLastWriteTime; }
    uint64_t Size() const { return (uint64_t(m_data.nFileSizeHigh) << 32) | m_data.nFileSizeLow; }
    const char* Name() const { return m_data.cFileName; }
    const char* ShortName() const { return m_data.cAlternateFileName; }

    // Clears (writable) or sets the read-only bit in the stored attributes; nothing is written.
    void SetWritable(bool writable);
    void SetTimes(const FILETIME& creation, const FILETIME& lastWrite);
    // Writes the stored creation time, last write time and attributes to the file. Only for a
    // file that was found; NotFound when it cannot be opened for writing.
    void Apply();

private:
    static bool IsDotEntry(const char* name);
    void SkipDots();
    void MapFindError();

    FileStatus m_status = FileStatus::Failed;
    LString m_path;
    bool m_children;
    CFindHandle m_find;
    WIN32_FIND_DATAA m_data = {};
};
