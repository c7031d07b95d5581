#include "platform/CDeleteTreeOp.h"

#include "platform/CFileFind.h"

CDeleteTreeOp::CDeleteTreeOp(const char* path)
{
    bool folder;
    bool link;
    {
        CFileFind entry(path, false);
        if (!entry.Found()) {
            m_status = FileStatus::NotFound;
            return;
        }
        folder = entry.IsFolder();
        link = (entry.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }
    if (!folder) {
        m_status = DeleteFileA(path) ? FileStatus::Ok : FileStatus::Failed;
        return;
    }
    // A linked folder (junction) is removed as a link: what it points at is not ours.
    if (!link) {
        for (CFileFind child(path, true); child.Found(); child.Next())
            CDeleteTreeOp(child.EntryPath().Text());
    }
    m_status = RemoveDirectoryA(path) ? FileStatus::Ok : FileStatus::Failed;
}
