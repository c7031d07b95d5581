#include "platform/KernelExport.h"

#include <windows.h>

void* KernelExport(const char* name)
{
    // kernel32 is in every process: loading it by name finds that one, and keeps it for the
    // pointers the callers keep.
    HMODULE kernel = LoadLibraryA("kernel32");
    return kernel ? reinterpret_cast<void*>(GetProcAddress(kernel, name)) : nullptr;
}
