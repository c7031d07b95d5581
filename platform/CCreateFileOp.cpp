#include "platform/CCreateFileOp.h"

#include "platform/CFileHandle.h"

namespace {

unsigned long TryCreateFile(const char* path)
{
    CFileHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid() ? 0 : GetLastError();
}

} // namespace

CCreateFileOp::CCreateFileOp(const char* path, ConflictMode mode)
{
    CreateItem(path, mode, TryCreateFile, false);
}
