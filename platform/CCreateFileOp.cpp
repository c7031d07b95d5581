#include "platform/CCreateFileOp.h"

#include <windows.h>

namespace {

// What a creation that keeps the file open asks for, and where the handle goes.
struct Keep {
    DWORD extraAccess;
    void** handle;
};

// With a Keep context the handle is handed on; otherwise it is closed at once.
unsigned long TryCreateFile(const char* path, void* context)
{
    Keep* keep = static_cast<Keep*>(context);
    const DWORD access = GENERIC_READ | GENERIC_WRITE | (keep ? keep->extraAccess : 0);
    HANDLE file = CreateFileA(path, access, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    if (keep)
        *keep->handle = file;
    else
        CloseHandle(file);
    return 0;
}

} // namespace

CCreateFileOp::CCreateFileOp(const char* path, ConflictMode mode)
{
    CreateItem(path, mode, TryCreateFile, false);
}

CCreateFileOp::CCreateFileOp(const char* path, ConflictMode mode, void*& kept, unsigned long extraAccess)
{
    kept = nullptr;
    Keep keep = {extraAccess, &kept};
    CreateItem(path, mode, TryCreateFile, false, &keep);
}
