#include "platform/CTempFile.h"

#include "platform/CCreateFileOp.h"
#include "platform/CFileOp.h"
#include "platform/CRenameOp.h"
#include "platform/KernelExport.h"
#include "platform/PathText.h"

#include <windows.h>

#include <cstring>

namespace {

// Renaming an open file through its handle spares the system a second open of it; Windows
// Vista and later (and Wine) offer it, earlier systems rename by path.
using SetFileInformationFn = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
const int kFileRenameInfo = 3;

SetFileInformationFn HandleRename()
{
    static bool looked = false;
    static SetFileInformationFn function = nullptr;
    if (!looked) {
        looked = true;
        function = reinterpret_cast<SetFileInformationFn>(KernelExport("SetFileInformationByHandle"));
    }
    return function;
}

// Ok, Conflict when the name is taken, or Failed when the handle cannot do it (the caller then
// renames by path). The new name is the full native path behind the prefix \??\, which every
// system that has the call reads the same way.
FileStatus RenameThroughHandle(void* handle, const char* newPath)
{
    SetFileInformationFn rename = HandleRename();
    if (!rename || !handle)
        return FileStatus::Failed;
    struct {
        DWORD replaceIfExists;
        HANDLE rootDirectory;
        DWORD nameBytes;
        WCHAR name[4 + MAX_PATH + 1];
    } info = {};
    const WCHAR prefix[] = L"\\??\\";
    std::memcpy(info.name, prefix, 4 * sizeof(WCHAR));
    const int length = MultiByteToWideChar(CP_ACP, 0, newPath, -1, info.name + 4, MAX_PATH + 1);
    if (length <= 1)
        return FileStatus::Failed;
    info.nameBytes = static_cast<DWORD>((4 + length - 1) * sizeof(WCHAR));
    if (rename(static_cast<HANDLE>(handle), kFileRenameInfo, &info, sizeof info))
        return FileStatus::Ok;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? FileStatus::Conflict : FileStatus::Failed;
}

// Creates the stamped file and returns its open handle (null on failure); `path` gets its name.
void* CreateStamped(const char* folder, const char* baseName, LString& path)
{
    // The folder is not asked about first: creating the file fails as well where it is missing.
    if (!folder || !*folder)
        return nullptr;
    LString plain = JoinPath(folder, SanitizeName(baseName, std::strlen(baseName)).Text());
    LString stamped = CFileOp::NumberedPath(plain.Text(), static_cast<long>(GetTickCount()));
    void* handle = nullptr;
    CCreateFileOp create(stamped.Text(), ConflictMode::Number, handle, HandleRename() ? DELETE : 0);
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

FileStatus CTempFile::RenameTo(const char* name)
{
    LString newPath = ReplaceLastComponent(m_path.Text(), name);
    FileStatus status = newPath.IsEmpty() ? FileStatus::Failed : RenameThroughHandle(m_contents.Handle(), newPath.Text());
    Close();
    if (status == FileStatus::Failed && !newPath.IsEmpty())
        status = CRenameOp(m_path.Text(), name, ConflictMode::UseExisting).Status();
    if (status == FileStatus::Ok)
        m_path = newPath;
    return status;
}

CTempFile::CTempFile() : m_contents(nullptr, CFileStream::kModeReadWrite), m_owned(false) {}

FileStatus CTempFile::Create(const char* path)
{
    if (Created())
        return FileStatus::Failed;
    void* handle = nullptr;
    CCreateFileOp create(path, ConflictMode::Fail, handle, HandleRename() ? DELETE : 0);
    if (create.Succeeded() && GetFileType(handle) != FILE_TYPE_DISK) {
        // A device's name ("NUL", "CON") opens the device, which is no file to write.
        CloseHandle(handle);
        return FileStatus::Failed;
    }
    if (create.Succeeded()) {
        m_contents.Adopt(handle);
        m_path = create.ResultPath();
        m_owned = true;
    }
    return create.Status();
}

CTempFile::~CTempFile()
{
    // An open file cannot be deleted.
    Close();
    if (m_owned)
        DeleteFileA(m_path.Text());
}
