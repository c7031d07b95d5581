#include "install/CProcedureRun.h"

#include "platform/CDiskSpace.h"

bool QueryFreeSpace(const char* path, uint64_t& bytes)
{
    CDiskSpace space(path);
    if (space.GetStatus() != CDiskSpace::kDone)
        return false;
    bytes = space.FreeBytes();
    return true;
}
