#include "platform/CTempFile.h"

#include "platform/CChildPathOp.h"
#include "platform/CCreateFileOp.h"
#include "platform/CFileOp.h"

#include <windows.h>

CTempFile::CTempFile(const char* folder, const char* baseName)
{
    CChildPathOp child(folder, baseName);
    if (!child.Succeeded())
        return;
    LString stamped = CFileOp::NumberedPath(child.ResultPath().Text(), static_cast<long>(GetTickCount()));
    CCreateFileOp create(stamped.Text(), ConflictMode::Number);
    if (!create.Succeeded())
        return;
    m_path = create.ResultPath();
    m_owned = true;
}

FileStatus CTempFile::Create(const char* path)
{
    if (Created())
        return FileStatus::Failed;
    CCreateFileOp create(path, ConflictMode::Fail);
    if (create.Succeeded()) {
        m_path = create.ResultPath();
        m_owned = true;
    }
    return create.Status();
}

CTempFile::~CTempFile()
{
    if (m_owned)
        DeleteFileA(m_path.Text());
}
