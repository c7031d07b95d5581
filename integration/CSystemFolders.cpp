#include "integration/CSystemFolders.h"

#include "platform/CRegKey.h"

#include <windows.h>

CSystemFolders* CSystemFolders::s_current = nullptr;

namespace {

const DWORD kFolderBufferSize = 300;

// The text of a call that fills a buffer and returns the length, or 0 on failure (a length
// that does not fit is a failure too). Both calls have this form: one function serves them.
LString FolderFrom(DWORD(WINAPI* call)(DWORD, LPSTR))
{
    char buffer[kFolderBufferSize + 1]; // read only as far as the call says it wrote
    DWORD length = call(kFolderBufferSize, buffer);
    if (length == 0 || length >= kFolderBufferSize)
        return LString();
    return LString(buffer, length);
}

} // namespace

CSystemFolders::CSystemFolders()
{
    m_temp = FolderFrom(&GetTempPathA);
    if (m_temp.IsEmpty())
        m_temp = FolderFrom(&GetCurrentDirectoryA);
    CRegKey versionKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", CRegKey::kOpenForReading);
    versionKey.ReadString("ProgramFilesDir", m_programFiles);
}
