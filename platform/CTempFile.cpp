#include "platform/CTempFile.h"

#include "platform/CChildPathOp.h"
#include "platform/CCreateFileOp.h"
#include "platform/CFileOp.h"

#include <windows.h>

namespace {

// Creates the stamped file and returns its open handle (null on failure); `path` gets its name.
void* CreateStamped(const char* folder, const char* baseName, LString& path)
{
    CChildPathOp child(folder, baseName);
    if (!child.Succeeded())
        return nullptr;
    LString stamped = CFileOp::NumberedPath(child.ResultPath().Text(), static_cast<long>(GetTickCount()));
    void* handle = nullptr;
    CCreateFileOp create(stamped.Text(), ConflictMode::Number, handle);
    if (create.Succeeded())
        path = create.ResultPath();
    return handle;
}

} // namespace

CTempFile::CTempFile(const char* folder, const char* baseName)
    : m_contents(CreateStamped(folder, baseName, m_path), CFileStream::kModeReadWrite)
    , m_owned(m_contents.IsOpen())
{
    if (!m_owned)
        m_path = LString();
}

CTempFile::~CTempFile()
{
    // An open file cannot be deleted.
    Close();
    if (m_owned)
        DeleteFileA(m_path.Text());
}
