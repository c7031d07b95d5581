#include "platform/CCreateFileOp.h"

#include <windows.h>

namespace {

// The context, when given, receives the open handle; otherwise the handle is closed at once.
unsigned long TryCreateFile(const char* path, void* context)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    if (context)
        *static_cast<void**>(context) = file;
    else
        CloseHandle(file);
    return 0;
}

} // namespace

CCreateFileOp::CCreateFileOp(const char* path, ConflictMode mode)
{
    CreateItem(path, mode, TryCreateFile, false);
}

CCreateFileOp::CCreateFileOp(const char* path, ConflictMode mode, void*& kept)
{
    kept = nullptr;
    CreateItem(path, mode, TryCreateFile, false, &kept);
}
