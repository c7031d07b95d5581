// Stands in for an uninstaller at its last step: starts its own removal and ends, after an
// optional pause in milliseconds (argument 1) that keeps it running while the batch begins.
#include "integration/CSystemFolders.h"
#include "integration/Uninstaller.h"

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    char own[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    CSystemFolders folders;
    RemoveSelf(own, folders.Temp().Text());
    if (argc > 1)
        Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    return 0;
}
